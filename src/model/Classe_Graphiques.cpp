#include "model/Classe_Graphiques.h"
#include "model/Classe_GraphiquesPrive.h"

#include "commun/AppelParNom.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"

namespace {
double deuxDecimales(double v)
{
    return LireNombre(FormatNombre(v, QStringLiteral("#0.00"))).value_or(0.0);
}
} // namespace

Classe_Graphiques::Classe_Graphiques()
    : d(std::make_unique<Classe_GraphiquesPrive>())
{
    d->options.ChargerDepuisParametres();
}

Classe_Graphiques::Classe_Graphiques(const Classe_Graphiques& autre)
    : d(std::make_unique<Classe_GraphiquesPrive>(*autre.d))
{
}

Classe_Graphiques& Classe_Graphiques::operator=(const Classe_Graphiques& autre)
{
    *d = *autre.d;
    return *this;
}

Classe_Graphiques::~Classe_Graphiques() = default;

void Classe_Graphiques::ViderCollection()
{
    d->courbes.clear();
}

void Classe_Graphiques::AjouterCourbe(const CourbePtr& xxCourbe)
{
    if (xxCourbe)
        d->courbes.push_back(xxCourbe);
}

void Classe_Graphiques::AjouterValeurs(int xxNoCourbe, const QVariant& xxValeurs)
{
    if (!positionValide(xxNoCourbe))
        return;
    // Par le nom, comme pour tout objet qui se remplit comme une courbe.
    AppelerMembre(d->courbes[std::size_t(xxNoCourbe - 1)].get(), QStringLiteral("AjouterValeurs"), {xxValeurs});
}

int Classe_Graphiques::noCourbe(const QString& xxCle) const
{
    for (std::size_t i = 0; i < d->courbes.size(); ++i)
        if (d->courbes[i]->Cle() == xxCle)
            return int(i) + 1;
    return -1;
}

CourbePtr Classe_Graphiques::GetCourbe(int indice) const
{
    return positionValide(indice) ? d->courbes[std::size_t(indice - 1)] : nullptr;
}

void Classe_Graphiques::MajAfficher(int xxNoCourbe, bool xxafficher)
{
    if (positionValide(xxNoCourbe))
        d->courbes[std::size_t(xxNoCourbe - 1)]->setAfficher(xxafficher);
}

void Classe_Graphiques::MajTitre(int xxNoCourbe, const QString& xxTitre)
{
    if (positionValide(xxNoCourbe))
        d->courbes[std::size_t(xxNoCourbe - 1)]->setTitre(xxTitre);
}

void Classe_Graphiques::MajPattern(int xxNoCourbe, qint16 xxPattern)
{
    if (positionValide(xxNoCourbe))
        d->courbes[std::size_t(xxNoCourbe - 1)]->setPattern(xxPattern);
}

void Classe_Graphiques::MajSymbol(int xxNoCourbe, qint16 xxSymbol)
{
    if (positionValide(xxNoCourbe))
        d->courbes[std::size_t(xxNoCourbe - 1)]->setSymbol(xxSymbol);
}

void Classe_Graphiques::SupprimerCourbe(int xxNoCourbe)
{
    if (positionValide(xxNoCourbe))
        d->courbes.erase(d->courbes.begin() + (xxNoCourbe - 1));
}

void Classe_Graphiques::setMinY(double v)
{
    d->minY = deuxDecimales(v);
}

void Classe_Graphiques::setMaxY(double v)
{
    d->maxY = deuxDecimales(v);
}

void Classe_Graphiques::setMinDonnees(double v)
{
    d->minDonnees = deuxDecimales(v);
}

void Classe_Graphiques::setMaxDonnees(double v)
{
    d->maxDonnees = deuxDecimales(v);
}

qint16 Classe_Graphiques::StyleGrille() const
{
    return qint16((d->grilleX ? 2 : 0) + (d->grilleY ? 1 : 0));
}

Classe_Graphiques::Borne Classe_Graphiques::Borne::depuis(const QString& texte)
{
    return {texte, LireDateHeure(texte.trimmed())};
}

Classe_Graphiques::Borne Classe_Graphiques::Borne::depuis(const std::optional<QDate>& jour)
{
    if (!jour || !jour->isValid())
        return {};
    return {TexteDate(*jour), DateHeure(*jour)};
}

void Classe_Graphiques::setChargement(const std::optional<QDate>& debut, const std::optional<QDate>& fin)
{
    d->debutChargement = Borne::depuis(debut);
    d->finChargement = Borne::depuis(fin);
}

void Classe_Graphiques::setAffichage(const std::optional<QDate>& debut, const std::optional<QDate>& fin)
{
    d->debutAffichage = Borne::depuis(debut);
    d->finAffichage = Borne::depuis(fin);
}

void Classe_Graphiques::afficherToutLeChargement()
{
    d->debutAffichage = d->debutChargement;
    d->finAffichage = d->finChargement;
}

void Classe_Graphiques::reprendrePeriodes(const Classe_Graphiques& autre)
{
    d->debutChargement = autre.d->debutChargement;
    d->finChargement = autre.d->finChargement;
    d->debutAffichage = autre.d->debutAffichage;
    d->finAffichage = autre.d->finAffichage;
}

int Classe_Graphiques::Compter() const
{
    return int(d->courbes.size());
}

const ::GestionExportExcel& Classe_Graphiques::GestionExportExcel() const
{
    return d->options;
}

void Classe_Graphiques::setGestionExportExcel(const ::GestionExportExcel& options)
{
    d->options = options;
}

const QString& Classe_Graphiques::DateDebutAffichage() const
{
    return d->debutAffichage.texte;
}

void Classe_Graphiques::setDateDebutAffichage(const QString& d)
{
    this->d->debutAffichage = Borne::depuis(d);
}

const QString& Classe_Graphiques::DateFinAffichage() const
{
    return d->finAffichage.texte;
}

void Classe_Graphiques::setDateFinAffichage(const QString& d)
{
    this->d->finAffichage = Borne::depuis(d);
}

const QString& Classe_Graphiques::DateDebutChargement() const
{
    return d->debutChargement.texte;
}

void Classe_Graphiques::setDateDebutChargement(const QString& d)
{
    this->d->debutChargement = Borne::depuis(d);
}

const QString& Classe_Graphiques::DateFinChargement() const
{
    return d->finChargement.texte;
}

void Classe_Graphiques::setDateFinChargement(const QString& d)
{
    this->d->finChargement = Borne::depuis(d);
}

std::optional<QDate> Classe_Graphiques::debutChargement() const
{
    return d->debutChargement.jour();
}

std::optional<QDate> Classe_Graphiques::finChargement() const
{
    return d->finChargement.jour();
}

std::optional<QDate> Classe_Graphiques::debutAffichage() const
{
    return d->debutAffichage.jour();
}

std::optional<QDate> Classe_Graphiques::finAffichage() const
{
    return d->finAffichage.jour();
}

const std::optional<QDateTime>& Classe_Graphiques::instantDebutAffichage() const
{
    return d->debutAffichage.instant;
}

const std::optional<QDateTime>& Classe_Graphiques::instantFinAffichage() const
{
    return d->finAffichage.instant;
}

bool Classe_Graphiques::aDesPeriodes() const
{
    return !d->debutChargement.texte.isEmpty() && !d->debutAffichage.texte.isEmpty();
}

std::pair<Classe_Graphiques::Borne, Classe_Graphiques::Borne> Classe_Graphiques::bornesAffichage() const
{
    return {d->debutAffichage, d->finAffichage};
}

void Classe_Graphiques::setBornesAffichage(const std::pair<Borne, Borne>& bornes)
{
    std::tie(d->debutAffichage, d->finAffichage) = bornes;
}

double Classe_Graphiques::MaxAxeX() const
{
    return d->maxAxeX;
}

void Classe_Graphiques::setMaxAxeX(double v)
{
    d->maxAxeX = v;
}

bool Classe_Graphiques::EchelleXAuto() const
{
    return d->echelleXAuto;
}

void Classe_Graphiques::setEchelleXAuto(bool v)
{
    d->echelleXAuto = v;
}

bool Classe_Graphiques::PeriodeAffichageFixee() const
{
    return d->periodeAffichageFixee;
}

void Classe_Graphiques::setPeriodeAffichageFixee(bool v)
{
    d->periodeAffichageFixee = v;
}

UniteAxe Classe_Graphiques::uniteAxe() const
{
    return d->uniteAxe;
}

void Classe_Graphiques::setUniteAxe(UniteAxe u)
{
    d->uniteAxe = u;
    d->texteUniteAxe.clear();
}

Periode Classe_Graphiques::periode() const
{
    return d->periode;
}

void Classe_Graphiques::setPeriode(Periode p)
{
    d->periode = p;
    d->textePeriode.clear();
}

QString Classe_Graphiques::UniteAxeX() const
{
    return d->texteUniteAxe.isNull() ? TexteCode(d->uniteAxe) : d->texteUniteAxe;
}

void Classe_Graphiques::setUniteAxeX(const QString& u)
{
    d->uniteAxe = UniteAxeDepuisTexte(u);
    d->texteUniteAxe = u == TexteCode(d->uniteAxe) ? QString() : u;
}

QString Classe_Graphiques::CodePeriode() const
{
    return d->textePeriode.isNull() ? TexteCode(d->periode) : d->textePeriode;
}

void Classe_Graphiques::setCodePeriode(const QString& c)
{
    d->periode = PeriodeDepuisTexte(c);
    d->textePeriode = c == TexteCode(d->periode) ? QString() : c;
}

double Classe_Graphiques::MinY() const
{
    return d->minY;
}

double Classe_Graphiques::MaxY() const
{
    return d->maxY;
}

double Classe_Graphiques::MinDonnees() const
{
    return d->minDonnees;
}

double Classe_Graphiques::MaxDonnees() const
{
    return d->maxDonnees;
}

qint16 Classe_Graphiques::NbSeparations() const
{
    return d->nbSeparations;
}

void Classe_Graphiques::setNbSeparations(qint16 n)
{
    d->nbSeparations = n;
}

qint16 Classe_Graphiques::PasAxeX() const
{
    return d->pasAxeX;
}

void Classe_Graphiques::setPasAxeX(qint16 n)
{
    d->pasAxeX = n;
}

bool Classe_Graphiques::EchelleYAuto() const
{
    return d->echelleYAuto;
}

void Classe_Graphiques::setEchelleYAuto(bool v)
{
    d->echelleYAuto = v;
}

bool Classe_Graphiques::GrilleX() const
{
    return d->grilleX;
}

void Classe_Graphiques::setGrilleX(bool v)
{
    d->grilleX = v;
}

bool Classe_Graphiques::GrilleY() const
{
    return d->grilleY;
}

void Classe_Graphiques::setGrilleY(bool v)
{
    d->grilleY = v;
}

qint16 Classe_Graphiques::CouleurFond() const
{
    return d->couleurFond;
}

void Classe_Graphiques::setCouleurFond(qint16 c)
{
    d->couleurFond = c;
}

std::pair<double, double> Classe_Graphiques::BornesAffichees() const
{
    return d->echelleYAuto ? std::pair{d->minDonnees, d->maxDonnees} : std::pair{d->minY, d->maxY};
}
