#pragma once

#include <QObject>
#include <QString>
#include <functional>

// Jauge de progression telle que le contrôle l'atteint par les noms : légende,
// valeur (en pour cent), message, et si l'utilisateur a demandé l'arrêt.
class JaugeProgression : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(double Value READ Value WRITE setValue)

public:
    using Suivi = std::function<void(const QString& legende, double pourcent)>;
    explicit JaugeProgression(QObject* parent = nullptr);

    QString Caption() const { return m_legende; }
    void setCaption(const QString& legende);
    double Value() const { return m_valeur; }
    void setValue(double pourcent);
    Q_INVOKABLE void Message(const QString& texte);
    Q_INVOKABLE bool AppelAnnulerTraitement() const { return m_annulee; }

    void demanderAnnulation() { m_annulee = true; }
    void setSuivi(Suivi suivi) { m_suivi = std::move(suivi); }

private:
    QString m_legende;
    double m_valeur = 0;
    bool m_annulee = false;
    Suivi m_suivi;
};
