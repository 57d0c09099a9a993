#pragma once

#include <QString>

// Un fichier écrit à côté de sa cible puis mis à sa place d'un seul coup.
//
// Son nom, caché, porte le programme, son numéro de processus et un tirage :
// ".graphique-<pid>-<n>-<nom de la cible>" (l'extension reste la dernière) ;
// aucun fichier d'un autre nom n'est jamais créé ni effacé. Son écrivain le
// tient verrouillé (flock) jusqu'à la fin : un provisoire sans verrou est un
// reste, quel que soit son numéro de processus (dans un conteneur, chaque
// programme est le processus 1). Il disparaît à la destruction de l'objet s'il
// n'a pas été mis en place, à l'arrêt du programme par un signal
// (`effacerAuxSignaux`), et sinon (programme tué net) à la création suivante
// d'un provisoire dans le même dossier.
class FichierProvisoire
{
public:
    explicit FichierProvisoire(const QString& cible);
    ~FichierProvisoire();
    FichierProvisoire(const FichierProvisoire&) = delete;
    FichierProvisoire& operator=(const FichierProvisoire&) = delete;

    // Crée le provisoire, vide, sans écraser quoi que ce soit ; rend son
    // descripteur ouvert en écriture, ou -1 et `erreur` en français.
    int creer(QString& erreur);
    // Le fichier vide, que le moteur de base ouvre lui-même.
    bool reserver(QString& erreur);
    const QString& chemin() const { return m_chemin; }
    const QString& cible() const { return m_cible; }

    // rename() : la cible est remplacée d'un coup (un lien symbolique est
    // remplacé lui-même) et garde ses droits ; faux et `erreur` sinon, le
    // provisoire effacé. Sans `remplacer`, une cible qui existe à cet instant
    // reste telle quelle et c'est un échec : le test et la mise en place ne font qu'un.
    bool mettreEnPlace(QString& erreur, bool remplacer = true);
    // Efface le provisoire et ce qu'un moteur de base a mis à côté (-journal).
    void abandonner();

    // Efface les provisoires laissés dans ce dossier que personne ne tient.
    static void nettoyer(const QString& dossier);
    // Efface les provisoires en cours à l'arrêt par SIGINT, SIGTERM, SIGHUP et
    // SIGQUIT (qui le dit d'une ligne) ; SIGXFSZ ignoré, une écriture au-delà
    // de la taille permise échoue et se dit comme les autres.
    static void effacerAuxSignaux();

private:
    int ouvrirVerrouille(const QString& nom, QString& erreur);
    void garderDroits();
    void liberer();

    QString m_cible;
    QString m_chemin;
    int m_place = -1;
    int m_verrou = -1;
};
