#include "commun/Garde.h"

#include <QLoggingCategory>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

QStringList traces;

// Les traces de "graphique.garde" pendant `etape`, avec les règles `regles`.
QStringList tracesPendant(const QString& regles, const std::function<void()>& etape)
{
    traces.clear();
    QLoggingCategory::setFilterRules(regles);
    const QtMessageHandler avant = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& contexte, const QString& m) {
        if (qstrcmp(contexte.category, "graphique.garde") == 0)
            traces << m;
    });
    etape();
    qInstallMessageHandler(avant);
    QLoggingCategory::setFilterRules(QString());
    return traces;
}

void operationQuiEchoue()
{
    sousGarde([] { throw std::runtime_error("colonne absente"); });
}

TEST(Garde, LExceptionArreteeNeSeVoitQueDansLaTraceAllumee)
{
    int resultat = 0;
    auto etapes = [&] {
        operationQuiEchoue();
        resultat = sousGarde(7, []() -> int { throw 3; });
    };

    EXPECT_TRUE(tracesPendant(QString(), etapes).isEmpty());
    EXPECT_EQ(resultat, 7);

    const QStringList allumee = tracesPendant(QStringLiteral("graphique.garde.debug=true"), etapes);
    ASSERT_EQ(allumee.size(), 2);
    EXPECT_TRUE(allumee[0].contains(QStringLiteral("operationQuiEchoue"))) << allumee[0].toStdString();
    EXPECT_TRUE(allumee[0].contains(QStringLiteral("colonne absente"))) << allumee[0].toStdString();
    EXPECT_TRUE(allumee[1].contains(QStringLiteral("sans message"))) << allumee[1].toStdString();
}

} // namespace
