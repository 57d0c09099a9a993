#!/usr/bin/python3
"""Les graphiques du portail gardés en mémoire et revalidés par ETag : la même
adresse sert la même étiquette, et une importation dans la base en donne une neuve
(et ouvre dans la liste des bulletins le mois qu'elle ajoute)."""
import os
import re
import tempfile

from essais_http import (Releve, Serveur, base_exemple, commande, demander, envoyer_brut, executer, lire_arguments,
                         statut_brut, verifier)

PERIODE = "type=edition&periodes=M&debut=01/01/2019&fin=31/12/2023"
IMAGE = "/station/76402001/graphique.svg?" + PERIODE
SERIES = "/station/76402001/graphique.csv?" + PERIODE
# Une autre adresse, pour que la première ne soit plus celle que le processus vient de tracer.
AUTRE = "/station/76401001/graphique.svg?" + PERIODE
# La pluie de ces jours est portée à 500 mm : le mois de juin 2021 grandit d'au moins 300 mm.
# Celle de janvier 2025, après la fin des mesures, ouvre un mois de bulletin.
PLUIES = [("14/06/2021", "500,0"), ("15/06/2021", "500,0"), ("03/01/2025", "4,0")]
MOIS_NEUF, MOIS_PRECEDENT = "/bulletin/2025-01", "/bulletin/2024-12"
MOIS_CHANGE = "06/21"
# Les formes de If-None-Match qui désignent l'étiquette courante : la comparaison est faible,
# et nginx affaiblit l'étiquette (W/) de ce qu'il compresse.
FORMES_ETIQUETTE = [
    ("exacte", lambda e: e),
    ("faible", lambda e: "W/" + e),
    ("dans une liste", lambda e: '"autre", ' + e),
    ("étoile", lambda e: "*"),
]
HAUSSE_MINIMALE = 300.0


def obtenir(port, chemin, entetes=None, attendu=200):
    r = demander(port, chemin, entetes=entetes)
    verifier(r.statut == attendu, f"{chemin} {entetes or ''} : {attendu} attendu, {r.statut} venu")
    return r


def verifier_304_sans_corps(port, chemin, etiquette):
    demande = f"GET {chemin} HTTP/1.1\r\nHost: x\r\nIf-None-Match: {etiquette}\r\n\r\n".encode()
    # Un corps envoyé à tort arriverait dans la seconde.
    reponse, _ = envoyer_brut(port, demande, delai=1)
    tete, _, corps = reponse.partition(b"\r\n\r\n")
    verifier(statut_brut(reponse) == 304, f"If-None-Match {etiquette} : 304 attendu, {reponse[:40]!r} venu")
    verifier(corps == b"", f"304 : aucun corps attendu, {len(corps)} octets venus")
    verifier(etiquette.encode() in tete, f"304 : l'ETag {etiquette} rappelé attendu, {tete!r} venu")


def verifier_memoire(port):
    """Le second envoi d'une adresse vient de la mémoire : bien plus vite que le premier tracé."""
    premier = obtenir(port, IMAGE)
    etiquette = premier.entete("etag")
    verifier(etiquette and premier.entete("cache-control") == "no-cache",
             f"ETag et « Cache-Control: no-cache » attendus, {etiquette!r} et {premier.entete('cache-control')!r} venus")
    obtenir(port, AUTRE)
    suivants = [obtenir(port, IMAGE) for _ in range(3)]
    for r in suivants:
        verifier(r.entete("etag") == etiquette and r.corps == premier.corps,
                 f"la même étiquette et le même SVG attendus, {r.entete('etag')!r} venu")
    plus_rapide = min(r.duree for r in suivants)
    verifier(plus_rapide < premier.duree / 2,
             f"le second envoi deux fois plus rapide attendu, {plus_rapide * 1000:.1f} ms contre {premier.duree * 1000:.1f} ms")
    verifier_304_sans_corps(port, IMAGE, etiquette)
    return premier


def verifier_formes(port, etiquette, releve):
    for nom, forme in FORMES_ETIQUETTE:
        with releve.essai():
            r = demander(port, IMAGE, entetes={"If-None-Match": forme(etiquette)})
            verifier(r.statut == 304, f"If-None-Match {nom} « {forme(etiquette)} » : 304 attendu, {r.statut} venu")


def valeur_du_mois(csv, mois):
    for ligne in csv.splitlines():
        champs = ligne.split(";")
        if len(champs) == 4 and champs[1] == mois:
            return float(champs[3].replace(",", ".").replace("\u202f", "").replace("\xa0", ""))
    raise AssertionError


def importer_pluies(programme, base, dossier):
    chemin = os.path.join(dossier, "pluies.csv")
    with open(chemin, "w", encoding="utf-8") as f:
        f.writelines(f"{date};{valeur}\n" for date, valeur in PLUIES)
    commande(programme, "importer", "--base", base, "--station", "76402001", "--genre", "pluvio", "--csv", chemin)


def lire_mois(port):
    texte = obtenir(port, SERIES).texte()
    try:
        return valeur_du_mois(texte, MOIS_CHANGE)
    except (AssertionError, ValueError):
        verifier(False, f"une ligne « {MOIS_CHANGE} » lisible attendue dans les séries, {texte[:200]!r} venu")


def liens_bulletins(port):
    """Les mois que la liste des bulletins propose, et les voisins que la page du dernier mois d'avant montre."""
    return (set(re.findall(r'href="(/bulletin/\d{4}-\d{2})"', obtenir(port, "/bulletin").texte())),
            set(re.findall(r'href="(/bulletin/\d{4}-\d{2})"', obtenir(port, MOIS_PRECEDENT).texte())))


def verifier_mois_neuf(port, avant):
    liste_avant, voisins_avant = avant
    liste, voisins = liens_bulletins(port)
    verifier(MOIS_NEUF not in liste_avant | voisins_avant and MOIS_PRECEDENT in liste_avant,
             f"avant l'import, {MOIS_PRECEDENT} proposé et {MOIS_NEUF} absent attendus, {sorted(liste_avant)[-3:]} vus")
    verifier(MOIS_NEUF in liste and MOIS_NEUF in voisins,
             f"après l'import, {MOIS_NEUF} dans la liste et en lien de {MOIS_PRECEDENT} attendu, "
             f"{sorted(liste)[-3:]} et {sorted(voisins)} vus")


def verifier_apres_import(port, avant, mois_avant, releve):
    apres = obtenir(port, IMAGE)
    nouvelle = apres.entete("etag")
    with releve.essai():
        verifier(nouvelle and nouvelle != avant.entete("etag"), f"une étiquette neuve après l'import attendue, {nouvelle!r} venue")
    with releve.essai():
        verifier(apres.corps != avant.corps, "un SVG changé après l'import attendu, le même est venu")
    with releve.essai():
        revalide = obtenir(port, IMAGE, {"If-None-Match": avant.entete("etag")})
        verifier(revalide.corps == apres.corps and re.search(rb"<svg", revalide.corps),
                 "avec l'ancienne étiquette, 200 et le nouveau SVG attendus, un autre contenu est venu")
    with releve.essai():
        mois_apres = lire_mois(port)
        verifier(mois_apres - mois_avant >= HAUSSE_MINIMALE,
                 f"juin 2021 plus haut d'au moins {HAUSSE_MINIMALE:.0f} mm attendu, {mois_avant} puis {mois_apres} venus")
    with releve.essai():
        verifier_304_sans_corps(port, IMAGE, nouvelle)


def principal():
    arguments = lire_arguments(__doc__)
    releve = Releve()
    with tempfile.TemporaryDirectory(prefix="portail-fraicheur-") as dossier:
        base = base_exemple(arguments.programme, dossier)
        with Serveur(arguments.programme, base, dossier) as serveur:
            avant = verifier_memoire(serveur.port)
            verifier_formes(serveur.port, avant.entete("etag"), releve)
            mois_avant = lire_mois(serveur.port)
            bulletins_avant = liens_bulletins(serveur.port)
            importer_pluies(arguments.programme, base, dossier)
            verifier_apres_import(serveur.port, avant, mois_avant, releve)
            with releve.essai():
                verifier_mois_neuf(serveur.port, bulletins_avant)
    releve.conclure()


if __name__ == "__main__":
    executer(principal)
