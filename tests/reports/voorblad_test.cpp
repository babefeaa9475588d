// The cover page with the general data, the summary, the signature block
// and the forecast.

#include "report_fixture.h"
#include "support/item_at.h"

#include "reports/voorblad.h"

#include "calc/clsDV.h"

#include "platform/core/error.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using reporttest::column;
using testsupport::itemAt;
using testsupport::lastItem;

class VoorbladTest : public reporttest::WordReportTest {
protected:
    QJsonObject write(qint32 site, qint32 modus, bool metDV, bool btw)
    {
        reports::WordReportContext ctx = context(site);
        ctx.MeldFout = [this](const platform::Error &e) { meldingen << e.source(); };
        calc::clsDV dv(ctx);
        if (metDV) {
            dv.initializeDV(site, -9, -9);
            EXPECT_TRUE(dv.BerekenAlles());
        }
        reports::InsertVoorbladAlgemeneGegevens(doc, app, modus, metDV ? &dv : nullptr, btw, ctx);
        return saveAndRead();
    }
    QStringList meldingen;
};

QString value(const QJsonObject &t, const QString &naam)
{
    const QStringList namen = column(t, 1);
    const qsizetype i = namen.indexOf(naam);
    return i < 0 ? QStringLiteral("<none>") : column(t, 2)[i];
}

TEST_F(VoorbladTest, ReportModeHasGeneralDataSummarySignatureAndForecast)
{
    const QJsonObject d = write(fx.alfa, 0, true, true);
    EXPECT_TRUE(meldingen.isEmpty()) << meldingen.join(',').toStdString();
    const QJsonObject s = itemAt(d[QStringLiteral("sections")].toArray(), 0).toObject();
    EXPECT_EQ(s[QStringLiteral("orientation")].toInt(), 0);
    EXPECT_EQ(s[QStringLiteral("top")].toDouble(), 1.5);
    EXPECT_EQ(s[QStringLiteral("left")].toDouble(), 2.5);

    const QJsonArray body = d[QStringLiteral("body")].toArray();
    const QJsonObject titel = itemAt(body, 0).toObject();
    EXPECT_EQ(titel[QStringLiteral("text")].toString(), QStringLiteral("R a p p o r t a g e   T A V I R"));
    EXPECT_EQ(itemAt(titel[QStringLiteral("runs")].toArray(), 0).toObject()[QStringLiteral("size")].toDouble(), 22.0);
    const QStringList texts = wordtest::bodyTexts(d);
    // The fields are saved with a result: the moment of saving, the
    // estimated page count.
    EXPECT_EQ(texts
                  .filter(QRegularExpression(QString::fromUtf8(
                      "^Gegenereerd d.d.  5-mrt-2024  09:07\t\tAfgedrukt d.d. "
                      "\\d{1,2}-(jan|feb|mrt|apr|mei|jun|jul|aug|sep|okt|nov|dec)-\\d{4} \\d{1,2}:\\d\\d$")))
                  .size(),
              1);
    EXPECT_EQ(texts.filter(QRegularExpression(QStringLiteral("^Aantal pagina's: [1-9]\\d*$"))).size(), 1);
    EXPECT_TRUE(texts.contains(QStringLiteral("Databestand: ") + fx.dataFile));
    QStringList fields;
    for (const auto &p : wordtest::paragraphs(body))
        for (const auto &f : p.toObject()[QStringLiteral("fields")].toArray())
            fields << f.toString();
    EXPECT_EQ(fields,
              (QStringList{QStringLiteral("DATE  \\@ \"d-MMM-yyyy H:mm\" "), QStringLiteral("NUMPAGES  \\* Arabic ")}));

    const QJsonArray ts = wordtest::tables(d);
    ASSERT_EQ(ts.size(), 4); // general data, summary, signature, forecast
    const QJsonObject alg = ts[0].toObject();
    EXPECT_EQ(alg[QStringLiteral("rows")].toArray().size(), 34);
    EXPECT_EQ(wordtest::cellText(alg, 1, 1), QStringLiteral("\nInrichting"));
    EXPECT_TRUE(wordtest::cell(alg, 1, 1)[QStringLiteral("bold")].toBool());
    EXPECT_EQ(wordtest::cell(alg, 2, 1)[QStringLiteral("size")].toDouble(), 9.0);
    EXPECT_EQ(value(alg, QStringLiteral("Naam")), QStringLiteral("Alfa"));
    EXPECT_EQ(value(alg, QStringLiteral("Datum aanvang nazorg")), QStringLiteral("16-7-2030"));
    EXPECT_EQ(value(alg, QStringLiteral("Jaar prijspeil")), QStringLiteral("2002"));
    EXPECT_EQ(value(alg, QStringLiteral("Rente")), QStringLiteral("5,00%"));
    EXPECT_EQ(value(alg, QStringLiteral("Inflatie")), QStringLiteral("2,00%"));
    EXPECT_EQ(value(alg, QStringLiteral("Percentage onvoorzien")), QStringLiteral("10 %"));
    EXPECT_EQ(value(alg, QStringLiteral("Percentage ontwerp/directie")), QStringLiteral("12 %"));
    EXPECT_EQ(value(alg, QStringLiteral("Apparaatskosten basisbedrag")), QString::fromUtf8("€ 15.000 per jaar"));
    EXPECT_EQ(value(alg, QStringLiteral("Kosten rapportage/evaluatie")),
              QString::fromUtf8("per jaar: € 3.500 + (nazorgoppervlak - 10) x € 225 = € 5.750"));
    EXPECT_EQ(value(alg, QStringLiteral("Nazorgoppervlak ")), QStringLiteral("20 ha"));
    EXPECT_EQ(value(alg, QStringLiteral("Risicobedrag")), QString::fromUtf8("€ 50.000 (gekapitaliseerd)"));
    EXPECT_EQ(wordtest::cellText(alg, 34, 1), QStringLiteral("Risicobedrag"));

    const QJsonObject som = ts[1].toObject();
    const QStringList rows = wordtest::rowTexts(som);
    ASSERT_EQ(rows.size(), 12);
    EXPECT_EQ(rows[0], QString::fromUtf8("Subtotaal jaarlijkse nazorgkosten|€ 150.665"));
    EXPECT_EQ(rows[3], QString::fromUtf8("\nSubtotaal periodieke vervangingen|€ 6.867"));
    EXPECT_EQ(rows[4], QString::fromUtf8("Toeslag ontwerp/directie (12,0%)|€ 824"));
    EXPECT_EQ(rows[9], QString::fromUtf8("Doelvermogen|€ 1.670.408"));
    EXPECT_EQ(rows[10].section('|', 0, 0), QStringLiteral("Omzetbelasting (19,0%)"));
    EXPECT_EQ(rows[11].section('|', 0, 0), QStringLiteral("Doelvermogen incl. BTW"));
    for (int r : {3, 6, 10, 12})
        EXPECT_EQ(wordtest::cell(som, r, 1)[QStringLiteral("top")].toInt(), 6) << r;
    EXPECT_EQ(wordtest::cell(som, 1, 2)[QStringLiteral("valign")].toString(), QStringLiteral("bottom"));
    EXPECT_EQ(wordtest::cell(som, 1, 2)[QStringLiteral("alignment")].toInt(), 2);
    EXPECT_EQ(wordtest::cell(som, 1, 1)[QStringLiteral("size")].toDouble(), 8.0);

    const QJsonObject sig = ts[2].toObject();
    EXPECT_EQ(wordtest::rowTexts(sig), QStringList{QStringLiteral("Naam|Datum|Paraaf")});
    EXPECT_EQ(itemAt(sig[QStringLiteral("rows")].toArray(), 0).toObject()[QStringLiteral("height")].toDouble(), 2.0);
    EXPECT_EQ(sig[QStringLiteral("borders")].toObject()[QStringLiteral("insideV")].toInt(), 6);

    // The forecast follows on a page of its own.
    EXPECT_TRUE(texts.contains(QStringLiteral("Prognose afvalaanbod: z.o.z.\n")));
    const QJsonObject prog = ts[3].toObject();
    EXPECT_EQ(wordtest::rowTexts(prog),
              (QStringList{QStringLiteral("Jaar|aanbod (kton)"), QStringLiteral("2025|100"), QStringLiteral("2026|150"),
                           QStringLiteral("2027|0"), QStringLiteral("totaal|250")}));
    EXPECT_EQ(wordtest::cell(prog, 1, 1)[QStringLiteral("bottom")].toInt(), 6);
    EXPECT_EQ(wordtest::cell(prog, 4, 1)[QStringLiteral("bottom")].toInt(), 6);
}

TEST_F(VoorbladTest, DifferentiatedSurchargesDropTheDesignRowAndNoForecastSaysSo)
{
    const QJsonObject d = write(fx.beta, 0, true, false);
    const QJsonArray ts = wordtest::tables(d);
    ASSERT_EQ(ts.size(), 3); // no forecast table
    const QJsonObject alg = ts[0].toObject();
    EXPECT_EQ(value(alg, QStringLiteral("Percentage ontwerp/directie")), QStringLiteral("<none>"));
    EXPECT_EQ(itemAt(wordtest::rowTexts(alg), 33), QStringLiteral("|"));
    EXPECT_EQ(value(alg, QStringLiteral("Kosten rapportage/evaluatie")), QString::fromUtf8("€ 3.500 per jaar"));
    const QStringList som = wordtest::rowTexts(ts[1].toObject());
    ASSERT_EQ(som.size(), 10);
    EXPECT_EQ(som[4].section('|', 0, 0), QStringLiteral("Som toeslagen ontwerp/directievoering/toezicht"));
    const QStringList texts = wordtest::bodyTexts(d);
    EXPECT_TRUE(texts.contains(QStringLiteral("Er is geen prognose van het afvalaanbod ingevoerd.")));
    EXPECT_FALSE(texts.contains(QStringLiteral("Prognose afvalaanbod: z.o.z.\n")));
    EXPECT_EQ(wordtest::rowTexts(ts[2].toObject()), QStringList{QStringLiteral("Naam|Datum|Paraaf")});
}

TEST_F(VoorbladTest, InputModeHasNoSummaryAndNoSignature)
{
    const QJsonObject d = write(fx.gamma, reports::kModusInvoer, false, false);
    const QStringList texts = wordtest::bodyTexts(d);
    EXPECT_EQ(itemAt(texts, 0), QStringLiteral("Rapportage TAVIR: ingevoerde data"));
    EXPECT_EQ(itemAt(texts, 1), QStringLiteral(">> Algemene gegevens"));
    const QJsonArray ts = wordtest::tables(d);
    ASSERT_EQ(ts.size(), 2); // general data and forecast
    EXPECT_EQ(value(ts[0].toObject(), QStringLiteral("Kosten rapportage/evaluatie")),
              QString::fromUtf8("€ 9.000 per jaar"));
    EXPECT_EQ(lastItem(wordtest::rowTexts(ts[1].toObject())), QStringLiteral("totaal|300"));
}

TEST_F(VoorbladTest, AFailureIsReportedWithTheWritersName)
{
    reports::WordReportContext ctx = context(fx.alfa);
    ctx.glngStortID = 9999;
    ctx.MeldFout = [this](const platform::Error &e) { meldingen << e.source(); };
    reports::InsertVoorbladAlgemeneGegevens(doc, app, 0, nullptr, false, ctx);
    EXPECT_EQ(meldingen, QStringList{QStringLiteral("InsertVoorbladAlgemeneGegevens")});
}

} // namespace
