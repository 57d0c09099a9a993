// Le plancher d'un programme Qt Widgets : l'application, un formulaire de
// quelques champs, rien d'autre. Ce que coûte la boîte à outils elle-même,
// en temps et en mémoire, avant la première donnée (chargement-face-sqlite3.sh).
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget formulaire;
    auto* disposition = new QVBoxLayout(&formulaire);
    disposition->addWidget(new QLabel(QStringLiteral("Pluie (mm)")));
    disposition->addWidget(new QComboBox);
    disposition->addWidget(new QPushButton(QStringLiteral("Tracer")));
    formulaire.resize(800, 600);
    return 0;
}
