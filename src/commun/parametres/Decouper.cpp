#include "commun/parametres/Decouper.h"

int Decouper(const QString& texte, QStringList& morceaux, const QString& separateur)
{
    morceaux.clear();
    if (texte.isEmpty())
        return 0;
    if (separateur.isEmpty()) {
        morceaux.append(texte);
        return 1;
    }
    QString reste = texte;
    int position = reste.indexOf(separateur);
    while (!reste.isEmpty() && position >= 0) {
        morceaux.append(reste.left(position));
        reste = reste.mid(position + separateur.size());
        position = reste.indexOf(separateur);
    }
    morceaux.append(reste);
    return int(morceaux.size());
}
