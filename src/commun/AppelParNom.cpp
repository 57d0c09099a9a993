#include "commun/AppelParNom.h"

#include <QMetaMethod>
#include <QMetaObject>
#include <QMetaProperty>
#include <array>
#include <vector>

namespace {

constexpr int argumentsMax = 10;

int indexPropriete(const QMetaObject* mo, const QString& nom)
{
    const QByteArray exact = nom.toLatin1();
    const int i = mo->indexOfProperty(exact.constData());
    if (i >= 0)
        return i;
    for (int k = 0; k < mo->propertyCount(); ++k)
        if (QString::fromLatin1(mo->property(k).name()).compare(nom, Qt::CaseInsensitive) == 0)
            return k;
    return -1;
}

QByteArray nomDynamique(const QObject* objet, const QString& nom)
{
    const auto noms = objet->dynamicPropertyNames();
    for (const QByteArray& n : noms)
        if (n == nom.toLatin1())
            return n;
    for (const QByteArray& n : noms)
        if (QString::fromLatin1(n).compare(nom, Qt::CaseInsensitive) == 0)
            return n;
    return QByteArray();
}

// Le nom exact d'abord, puis sans tenir compte de la casse.
int indexMethode(const QMetaObject* mo, const QString& nom, int nbArguments)
{
    int sansCasse = -1;
    for (int k = 0; k < mo->methodCount(); ++k) {
        const QMetaMethod m = mo->method(k);
        if (m.access() != QMetaMethod::Public || m.parameterCount() != nbArguments)
            continue;
        if (m.methodType() != QMetaMethod::Method && m.methodType() != QMetaMethod::Slot)
            continue;
        const QString nomMethode = QString::fromLatin1(m.name());
        if (nomMethode == nom)
            return k;
        if (sansCasse < 0 && nomMethode.compare(nom, Qt::CaseInsensitive) == 0)
            sansCasse = k;
    }
    return sansCasse;
}

bool invoquer(QObject* objet, const QMetaMethod& m, const QVariantList& arguments, QVariant& resultat)
{
    std::vector<QVariant> convertis;
    convertis.reserve(std::size_t(arguments.size()));
    std::vector<QByteArray> nomsTypes;
    nomsTypes.reserve(std::size_t(arguments.size()));
    std::array<QGenericArgument, argumentsMax> args{};
    for (int i = 0; i < arguments.size(); ++i) {
        const QMetaType type = m.parameterMetaType(i);
        nomsTypes.push_back(m.parameterTypeName(i));
        if (type == QMetaType::fromType<QVariant>()) {
            convertis.push_back(arguments.at(i));
            args[std::size_t(i)] = QGenericArgument("QVariant", &convertis.back());
            continue;
        }
        QVariant v = arguments.at(i);
        if (v.metaType() != type && !v.convert(type))
            return false;
        convertis.push_back(v);
        args[std::size_t(i)] = QGenericArgument(nomsTypes.back().constData(), convertis.back().constData());
    }

    const QMetaType typeRetour = m.returnMetaType();
    QGenericReturnArgument retour;
    QVariant valeurRetour;
    if (typeRetour == QMetaType::fromType<QVariant>()) {
        retour = QGenericReturnArgument("QVariant", &resultat);
    } else if (typeRetour.isValid() && typeRetour.id() != QMetaType::Void) {
        valeurRetour = QVariant(typeRetour);
        retour = QGenericReturnArgument(m.typeName(), valeurRetour.data());
    }
    const bool ok = m.invoke(objet, Qt::DirectConnection, retour, args[0], args[1], args[2], args[3],
                             args[4], args[5], args[6], args[7], args[8], args[9]);
    if (ok && valeurRetour.isValid())
        resultat = valeurRetour;
    return ok;
}

} // namespace

QVariant LireMembre(QObject* objet, const QString& nom, bool* trouve)
{
    if (trouve)
        *trouve = false;
    if (!objet)
        return QVariant();
    const QMetaObject* mo = objet->metaObject();
    const int i = indexPropriete(mo, nom);
    if (i >= 0 && mo->property(i).isReadable()) {
        if (trouve)
            *trouve = true;
        return mo->property(i).read(objet);
    }
    const QByteArray dyn = nomDynamique(objet, nom);
    if (!dyn.isEmpty()) {
        if (trouve)
            *trouve = true;
        return objet->property(dyn.constData());
    }
    return AppelerMembre(objet, nom, {}, trouve);
}

bool EcrireMembre(QObject* objet, const QString& nom, const QVariant& valeur)
{
    if (!objet)
        return false;
    const QMetaObject* mo = objet->metaObject();
    const int i = indexPropriete(mo, nom);
    if (i >= 0) {
        const QMetaProperty p = mo->property(i);
        if (!p.isWritable())
            return false;
        QVariant v = valeur;
        if (p.metaType() != QMetaType::fromType<QVariant>() && v.metaType() != p.metaType()
            && !v.convert(p.metaType()))
            return false;
        return p.write(objet, v);
    }
    const QByteArray dyn = nomDynamique(objet, nom);
    if (!dyn.isEmpty()) {
        objet->setProperty(dyn.constData(), valeur);
        return true;
    }
    bool trouve = false;
    AppelerMembre(objet, nom, {valeur}, &trouve);
    if (!trouve)
        AppelerMembre(objet, QStringLiteral("set") + nom, {valeur}, &trouve);
    return trouve;
}

QVariant AppelerMembre(QObject* objet, const QString& nom, const QVariantList& arguments, bool* trouve)
{
    if (trouve)
        *trouve = false;
    if (!objet || arguments.size() > argumentsMax)
        return QVariant();
    const QMetaObject* mo = objet->metaObject();
    const int k = indexMethode(mo, nom, int(arguments.size()));
    if (k < 0)
        return QVariant();
    QVariant resultat;
    const bool ok = invoquer(objet, mo->method(k), arguments, resultat);
    if (trouve)
        *trouve = ok;
    return resultat;
}
