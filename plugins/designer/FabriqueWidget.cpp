#include "FabriqueWidget.h"

#include <QIcon>
#include <QWidget>

FabriqueWidget::FabriqueWidget(Description description, QObject* parent)
    : QObject(parent)
    , m_description(std::move(description))
{
}

QString FabriqueWidget::group() const
{
    return QStringLiteral("Graphique");
}

QIcon FabriqueWidget::icon() const
{
    return {};
}

QWidget* FabriqueWidget::createWidget(QWidget* parent)
{
    return m_description.creer(parent);
}

void FabriqueWidget::initialize(QDesignerFormEditorInterface*)
{
    m_initialise = true;
}

QString FabriqueWidget::domXml() const
{
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\">\n"
                          "  <property name=\"geometry\"><rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect></property>\n"
                          "  <property name=\"toolTip\"><string>%5</string></property>\n"
                          "  <property name=\"whatsThis\"><string>%6</string></property>\n"
                          " </widget>\n"
                          "</ui>\n")
        .arg(m_description.classe, m_description.nomObjet)
        .arg(m_description.largeur)
        .arg(m_description.hauteur)
        .arg(m_description.infobulle.toHtmlEscaped(), m_description.aide.toHtmlEscaped());
}
