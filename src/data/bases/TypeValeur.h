#pragma once

// Genre d'une valeur dans un ordre, tel que la traduction le déduit.
enum class TypeValeur { Inconnu, Booleen, Entier, Reel, Texte, Date };
