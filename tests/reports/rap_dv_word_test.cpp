// The target-fund table in Word, on the calculation's fixture sites.

#include "report_fixture.h"
#include "support/item_at.h"

#include "reports/rap_dv_word.h"

#include "calc/clsDV.h"

#include "platform/text/format.h"

#include <gtest/gtest.h>

namespace {

using reporttest::column;
using testsupport::itemAt;
using testsupport::lastItem;

// What was read back, with the non-breaking blank that holds an amount to
// its "€" read as the blank it shows as (that it is one is tested apart).
QJsonValue leesbaar(const QJsonValue &v)
{
    if (v.isString())
        return v.toString().replace(QChar(0xA0), QLatin1Char(' '));
    if (v.isArray()) {
        QJsonArray out;
        for (const QJsonValue &x : v.toArray())
            out.append(leesbaar(x));
        return out;
    }
    if (v.isObject()) {
        QJsonObject out = v.toObject();
        for (auto it = out.begin(); it != out.end(); ++it)
            *it = leesbaar(*it);
        return out;
    }
    return v;
}

class RapDVWordTest : public reporttest::WordReportTest {
protected:
    // The part alone in a document of its own; `zoals` as read back, else
    // leesbaar.
    QJsonObject writeApart(qint32 site, int sortering, bool zoals = false)
    {
        word::Application eigenApp;
        word::Document &eigenDoc = eigenApp.Documents().Add();
        const reports::WordReportContext ctx = context(site);
        calc::clsDV dv(ctx);
        dv.initializeDV(site, -9, -9);
        EXPECT_TRUE(dv.BerekenAlles());
        dv.rapOpenActRecordset();
        static const char *const sleutels[] = {"bytObjectCat_REF", "bytRubriek_REF", "bytIsQOR"};
        dv.rapSorteerVeldNaam(QString::fromLatin1(sleutels[sortering - 1]));
        reports::RapDVWord writer(dv, eigenApp, eigenDoc, ctx);
        writer.optRapSort = sortering;
        bool deelVooraf = false;
        writer.RapDVnaarWord(deelVooraf);
        const QString path = out.filePath(QStringLiteral("apart-%1.docx").arg(sortering));
        eigenDoc.SaveAs(path);
        const QJsonValue t = itemAt(wordtest::tables(wordtest::readDocx(path)), 0);
        return (zoals ? t : leesbaar(t)).toObject();
    }

    QJsonObject write(qint32 site, int sortering, bool deelVooraf)
    {
        const reports::WordReportContext ctx = context(site);
        calc::clsDV dv(ctx);
        dv.initializeDV(site, -9, -9);
        EXPECT_TRUE(dv.BerekenAlles());
        dv.rapOpenActRecordset();
        static const char *const sleutels[] = {"bytObjectCat_REF", "bytRubriek_REF", "bytIsQOR"};
        dv.rapSorteerVeldNaam(QString::fromLatin1(sleutels[sortering - 1]));
        if (deelVooraf)
            app.Selection().TypeText(QStringLiteral("voorblad"));
        reports::RapDVWord writer(dv, app, doc, ctx);
        writer.optRapSort = sortering;
        writer.RapDVnaarWord(deelVooraf);
        return leesbaar(saveAndRead()).toObject();
    }
};

// The rows that say something: the first non-empty of cells 1 and 2, each
// cell's text as read back (a trailing paragraph mark as "\n").
QStringList labels(const QJsonObject &t)
{
    QStringList out;
    const QStringList c1 = column(t, 1), c2 = column(t, 2);
    for (qsizetype i = 1; i < c1.size(); ++i) {
        const QString a = c1[i].size() == 1 ? QString() : c1[i]; // a lone symbol is no label
        if (!a.isEmpty())
            out << a;
        else if (!c2[i].isEmpty())
            out << c2[i];
    }
    return out;
}

TEST_F(RapDVWordTest, ByRubricTheABlockStandsOnceBeforeTheReplacementCosts)
{
    const QJsonObject d = write(fx.alfa, 2, false);
    const QJsonArray sections = d[QStringLiteral("sections")].toArray();
    ASSERT_EQ(sections.size(), 1); // the first part starts no section
    const QJsonObject s = sections[0].toObject();
    EXPECT_EQ(s[QStringLiteral("orientation")].toInt(), 1);
    EXPECT_EQ(s[QStringLiteral("width")].toDouble(), 29.7);
    EXPECT_EQ(s[QStringLiteral("height")].toDouble(), 21.0);
    EXPECT_EQ(s[QStringLiteral("top")].toDouble(), 1.4);
    EXPECT_EQ(s[QStringLiteral("left")].toDouble(), 2.4);
    EXPECT_EQ(s[QStringLiteral("footer")].toDouble(), 0.7);
    EXPECT_EQ(itemAt(wordtest::bodyTexts(d), 0), QStringLiteral("Rapportage doelvermogen\nInrichting: Alfa\n"));

    const QJsonObject t = itemAt(wordtest::tables(d), 0).toObject();
    EXPECT_EQ(
        itemAt(wordtest::rowTexts(t), 0),
        QStringLiteral("|post|aanleg afd.|eerste uitgave|laatste uitgave|frequentie|kosten (prijspeil 2002)|NCW|"));
    const QJsonObject kop = wordtest::cell(t, 1, 2);
    EXPECT_TRUE(kop[QStringLiteral("bold")].toBool());
    EXPECT_EQ(kop[QStringLiteral("top")].toInt(), 12);
    EXPECT_EQ(kop[QStringLiteral("bottom")].toInt(), 6);
    EXPECT_TRUE(itemAt(t[QStringLiteral("rows")].toArray(), 0).toObject()[QStringLiteral("heading")].toBool());
    EXPECT_EQ(wordtest::cell(t, 2, 1)[QStringLiteral("size")].toDouble(), 12.0);

    const QStringList expected = {
        "A: Jaarlijkse kosten",
        "INSTANDHOUDEN",
        "Terrein",
        "Maaien",
        "Subtotaal instandhouden\n",
        "CONTROLEMETINGEN",
        "Terrein",
        "Zettingsmetingen",
        "Peilbuizen",
        "Controlemetingen grondwater",
        "Subtotaal controlemetingen\n",
        "INSPECTIES",
        "Peilbuizen",
        "Inspectie peilbuizen",
        "Subtotaal inspecties\n",
        "ONDERHOUD",
        "Terrein",
        "Onderhoud hekwerk en poort",
        "Subtotaal onderhoud\n",
        "Subtotaal jaarlijkse nazorgkosten",
        "Toeslag onvoorzien (10,0%)",
        "Jaarlijkse nazorgkosten (A)\n\n",
        "B: Vervangingskosten",
        "Bovenafdichting",
        "Vervangen afdeklaag",
        "Subtotaal vervangingskosten",
        "Toeslag ontwerp/directie (12,0%)",
        "Vervangingskosten (B)\n\n",
        "Overig (buiten het doelvermogen)",
        "Peilbuizen",
        "Opruimen",
        "Subtotaal overig",
        "Deze kosten maken geen deel uit van het doelvermogen: ze tellen niet mee in A, B of C.\n",
        "C: Toeslagen algemene nazorgkosten\n",
        "Rapportage/evaluatie",
        "Communicatie",
        "Apparaatskosten algemeen",
        "Toeslagen algemene nazorgkosten (C)\n",
        "Berekening doelvermogen\n",
        "Totaal A+B+C (reguliere nazorgactiviteiten)",
        "Risicobedrag",
        "DOELVERMOGEN"};
    EXPECT_EQ(labels(t), expected);

    const QStringList rows = wordtest::rowTexts(t);
    EXPECT_TRUE(rows.contains(QString::fromUtf8("\u25cb|Maaien||1|oo|2x per jr|€ 1.000,00|€ 121.413|(7,5%)")));
    EXPECT_TRUE(rows.contains(QString::fromUtf8("|Subtotaal instandhouden\n||||||€ 121.413|(7,5%)")));
    EXPECT_TRUE(rows.contains(
        QString::fromUtf8("\u2714|Apparaatskosten algemeen||€ 15.000 per jaar plus 3 % van (A+B)|€ 915.802|(56,5%)")));
    EXPECT_TRUE(rows.contains(QString::fromUtf8(
        "\u2714|Rapportage/evaluatie||1|oo|1x per jr|€ 3.500 + 10 x € 225 = € 5.750|€ 349.063|(21,5%)")));
    EXPECT_EQ(lastItem(rows), QString::fromUtf8("DOELVERMOGEN||||||€ 1.670.408|"));
    const int last = int(rows.size());
    EXPECT_EQ(wordtest::cell(t, last, 1)[QStringLiteral("bottom")].toInt(), 12);
    EXPECT_EQ(wordtest::cell(t, last, 1)[QStringLiteral("top")].toInt(), 6);
    EXPECT_EQ(wordtest::cell(t, last, 1)[QStringLiteral("span")].toInt(), 2);
    // The symbols are in the symbol font.
    const int maaien = int(column(t, 2).indexOf(QStringLiteral("Maaien"))) + 1;
    EXPECT_EQ(wordtest::cell(t, maaien, 1)[QStringLiteral("font")].toString(), reports::kSymboolFont);
    EXPECT_EQ(wordtest::cell(t, maaien, 2)[QStringLiteral("font")].toString(), QStringLiteral("Arial"));
    EXPECT_EQ(wordtest::cell(t, maaien, 2)[QStringLiteral("size")].toDouble(), 8.0);
    EXPECT_TRUE(wordtest::cell(t, maaien, 1)[QStringLiteral("keep_with_next")].toBool());

    const QStringList body = wordtest::bodyTexts(d);
    const qsizetype v = body.indexOf(QStringLiteral("Verklaring:"));
    ASSERT_GE(v, 0);
    EXPECT_EQ(body[v + 1], QString::fromUtf8("\u2714\t: QOR-checklistpost, invoer voldoet aan criteria;"));
    EXPECT_EQ(body[v + 2],
              QString::fromUtf8(
                  "\u2718\t: QOR-checklistpost, invoer voldoet niet aan criteria (cursief weergeven kentallen);"));
    EXPECT_EQ(body[v + 3], QString::fromUtf8("\u25cb\t: door de gebruiker gedefinieerde kostenpost."));
    EXPECT_TRUE(body.contains(
        QStringLiteral("De kolom 'aanleg afd.' geeft het ingevoerde jaar van aanleg bovenafdichting in. ")));
}

TEST_F(RapDVWordTest, ByCategoryEachGroupHasItsSubtotalAndTheBlocksFollowTheLast)
{
    const QJsonObject d = write(fx.alfa, 1, true);
    const QJsonArray sections = d[QStringLiteral("sections")].toArray();
    ASSERT_EQ(sections.size(), 2);
    EXPECT_EQ(sections[0].toObject()[QStringLiteral("orientation")].toInt(), 0);
    EXPECT_EQ(sections[1].toObject()[QStringLiteral("orientation")].toInt(), 1);
    EXPECT_EQ(sections[1].toObject()[QStringLiteral("start")].toInt(), 2);
    const QJsonObject t = itemAt(wordtest::tables(d), 0).toObject();
    EXPECT_EQ(wordtest::cell(t, 2, 1)[QStringLiteral("span")].toInt(), 9);
    const QStringList expected = {
        "A: Jaarlijkse kosten & B: Vervangingskosten",
        "ALGEMEEN",
        "Terrein",
        "Maaien",
        "Zettingsmetingen",
        "Onderhoud hekwerk en poort",
        "Subtotaal algemeen\n",
        "BOVENAFDICHTING",
        "Bovenafdichting",
        "Vervangen afdeklaag",
        "Subtotaal bovenafdichting\n",
        "GRONDWATERMONITORINGSSYSTEEM",
        "Peilbuizen",
        "Controlemetingen grondwater",
        "Inspectie peilbuizen",
        "Subtotaal grondwatermonitoringssysteem\n",
        "Subtotaal jaarlijkse nazorgkosten",
        "Toeslag onvoorzien (10,0%)",
        "Jaarlijkse nazorgkosten (A)\n\n",
        "Subtotaal vervangingskosten",
        "Toeslag ontwerp/directie (12,0%)",
        "Vervangingskosten (B)\n\n",
        "Overig (buiten het doelvermogen)",
        "Peilbuizen",
        "Opruimen",
        "Subtotaal overig",
        "Deze kosten maken geen deel uit van het doelvermogen: ze tellen niet mee in A, B of C.\n",
        "C: Toeslagen algemene nazorgkosten\n",
        "Rapportage/evaluatie",
        "Communicatie",
        "Apparaatskosten algemeen",
        "Toeslagen algemene nazorgkosten (C)\n",
        "Berekening doelvermogen\n",
        "Totaal A+B+C (reguliere nazorgactiviteiten)",
        "Risicobedrag",
        "DOELVERMOGEN"};
    EXPECT_EQ(labels(t), expected);
    const int sub = int(column(t, 2).indexOf(QStringLiteral("Subtotaal algemeen\n"))) + 1;
    EXPECT_TRUE(wordtest::cell(t, sub, 2)[QStringLiteral("bold")].toBool());
    EXPECT_EQ(wordtest::cellText(t, sub, 8), QString::fromUtf8("€ 150.665"));
}

TEST_F(RapDVWordTest, DifferentiatedSurchargesAreListedOnePerRecord)
{
    const QJsonObject d = write(fx.beta, 2, false);
    const QJsonObject t = itemAt(wordtest::tables(d), 0).toObject();
    const QStringList rows = wordtest::rowTexts(t);
    const qsizetype kop = rows.indexOf(QStringLiteral("|Toeslagen vervangingen|||||||"));
    ASSERT_GE(kop, 0);
    EXPECT_TRUE(wordtest::cell(t, int(kop) + 1, 2)[QStringLiteral("bold")].toBool());
    EXPECT_EQ(rows[kop + 3], QString::fromUtf8("\u2714|'Drainageleidingen: Vervangen drainageleidingen' (groot werk, "
                                               "6,25%)|||||€ 6.250|€ 479.026|(0,7%)"));
    EXPECT_EQ(rows[kop + 4],
              QString::fromUtf8(
                  "\u2714|'Terrein en hekwerk: Vervangen hekwerk' (klein werk, 5,0%)|||||€ 1.000|€ 1.916|(0,0%)"));
    EXPECT_EQ(rows[kop + 5], QString::fromUtf8("Vervangingskosten (B)\n\n||||||€ 18.208.720|(28,0%)"));
    EXPECT_EQ(wordtest::cell(t, int(kop) + 4, 2)[QStringLiteral("size")].toDouble(), 8.0);
    EXPECT_FALSE(rows.contains(QStringLiteral("|VERVANGING|||||||")));
}

// Whole euros of an amount as the table shows it ("€ 1.234.567").
qint64 euros(const QString &bedrag)
{
    QString cijfers;
    for (const QChar c : bedrag)
        if (c.isDigit())
            cijfers += c;
    return cijfers.toLongLong();
}

TEST_F(RapDVWordTest, OverigStandsApartAfterBlockBAndTheTotalsStayInEveryDivision)
{
    calc::clsDV dv(context(fx.alfa));
    dv.initializeDV(fx.alfa, -9, -9);
    ASSERT_TRUE(dv.BerekenAlles());
    for (int sortering : {1, 2, 3}) {
        SCOPED_TRACE(sortering);
        const QJsonObject t = writeApart(fx.alfa, sortering);
        const QStringList l = labels(t);
        const qsizetype b = l.indexOf(QStringLiteral("Vervangingskosten (B)\n\n"));
        const qsizetype o = l.indexOf(reports::kKopOverig);
        const qsizetype c = l.indexOf(QStringLiteral("C: Toeslagen algemene nazorgkosten\n"));
        ASSERT_GE(b, 0);
        EXPECT_EQ(o, b + 1);
        EXPECT_EQ(l.mid(o + 1, 4), QStringList({"Peilbuizen", "Opruimen", reports::kSubtotaalOverig,
                                                reports::kBuitenDoelvermogen + "\n"}));
        EXPECT_EQ(c, o + 5);
        EXPECT_EQ(l.count(QStringLiteral("Opruimen")), 1);
        EXPECT_EQ(l.count(QStringLiteral("Subtotaal vervangingskosten")), 1);
        EXPECT_FALSE(l.contains(QStringLiteral("Subtotaal vervanging\n")));
        EXPECT_FALSE(l.contains(QStringLiteral("OVERIG")));

        // The rows of "Overig" have their own total and no share of the fund.
        const QStringList c2 = column(t, 2), c8 = column(t, 8), c9 = column(t, 9);
        const qsizetype opruimen = c2.indexOf(QStringLiteral("Opruimen"));
        const qsizetype sub = c2.indexOf(reports::kSubtotaalOverig);
        EXPECT_EQ(itemAt(c9, opruimen), QString());
        EXPECT_EQ(itemAt(c8, sub), vb::Format(dv.TotaalRubriek(6), QStringLiteral("€ #,#0")));
        EXPECT_EQ(itemAt(c9, sub), QString());

        // The group subtotals add up to the annual and replacement costs
        // (by rubric the replacement costs have no group subtotal), and the
        // blocks and the target fund are those of the calculation.
        qint64 groepen = 0;
        for (qsizetype i = 0; i < c2.size(); ++i)
            if (c2[i].startsWith(QStringLiteral("Subtotaal ")) && c2[i].endsWith(QLatin1Char('\n')))
                groepen += euros(c8[i]);
        const double verwacht = sortering == 2
                                    ? double(dv.somA_exclOnvoorzien())
                                    : double(dv.somA_exclOnvoorzien()) + double(dv.somB_exclDirectievoering());
        EXPECT_NEAR(double(groepen), verwacht, 3.0);
        const QStringList rijen = wordtest::rowTexts(t);
        auto bedragNa = [&](const QString &label) {
            for (const QString &r : rijen)
                if (r.startsWith(label + QLatin1Char('|')))
                    return r.section(QLatin1Char('|'), 6, 6);
            return QString();
        };
        const QString e = QStringLiteral("€ #,#0");
        EXPECT_EQ(bedragNa(QStringLiteral("Jaarlijkse nazorgkosten (A)\n\n")), vb::Format(dv.somA_inclOnvoorzien(), e));
        EXPECT_EQ(bedragNa(QStringLiteral("Vervangingskosten (B)\n\n")), vb::Format(dv.somB_inclDirectievoering(), e));
        EXPECT_EQ(bedragNa(QStringLiteral("Totaal A+B+C (reguliere nazorgactiviteiten)")),
                  vb::Format(dv.DoelvermogenZonderRisicoFonds(), e));
        EXPECT_EQ(bedragNa(QStringLiteral("DOELVERMOGEN")), vb::Format(dv.DoelvermogenMetRisicoFonds(), e));
    }
}

// An amount is rounded once, from its value: the NCW of the only item of a
// group, 100011.49, whose seven-digit text 100011,5 would round up, prints
// as the group's subtotal does.
TEST_F(RapDVWordTest, AOneItemGroupsSubtotalReadsAsItsItem)
{
    fx.execute(QStringLiteral("UPDATE tblAct SET sngKostenTotaal=1391 WHERE strAct='Maaien' AND "
                              "lngInrichting_REF IN (SELECT idrInrichting_ID FROM tblInrichting WHERE lngStort_REF=?)"),
               {fx.eigen});
    const QJsonObject t = itemAt(wordtest::tables(write(fx.eigen, 2, false)), 0).toObject();
    const QStringList post = column(t, 2), ncw = column(t, 8);
    const qsizetype item = post.indexOf(QStringLiteral("Maaien"));
    const qsizetype subtotaal = post.indexOf(QStringLiteral("Subtotaal instandhouden\n"));
    ASSERT_GE(item, 0);
    ASSERT_GT(subtotaal, item);
    EXPECT_EQ(ncw[item], QStringLiteral("€ 100.011"));
    EXPECT_EQ(ncw[subtotaal], ncw[item]);
}

TEST_F(RapDVWordTest, OwnItemsOnlyByConformityHaveTheirHeading)
{
    const QStringList l = labels(writeApart(fx.eigen, 3));
    ASSERT_GE(l.size(), 4);
    EXPECT_EQ(l.mid(0, 3),
              QStringList({"A: Jaarlijkse kosten & B: Vervangingskosten", "DOOR GEBRUIKER GEDEFINIEERD", "Terrein"}));
    EXPECT_EQ(l.count(QStringLiteral("DOOR GEBRUIKER GEDEFINIEERD")), 1);
    EXPECT_TRUE(l.contains(QStringLiteral("Subtotaal door gebruiker gedefinieerd\n")));
}

TEST_F(RapDVWordTest, NoLineCanEndWithTheEuroSignOfAnAmount)
{
    // The blank between "€" and its figure does not break, in every cell
    // that holds an amount: costs, net present values, sums, surcharges.
    for (const qint32 site : {fx.alfa, fx.beta}) {
        int bedragen = 0;
        for (const QString &rij : wordtest::rowTexts(writeApart(site, 1, true))) {
            EXPECT_FALSE(rij.contains(QString::fromUtf8("€ "))) << rij.toStdString();
            bedragen += int(rij.count(QString::fromUtf8("€\u00a0")));
        }
        EXPECT_GT(bedragen, 20) << site;
    }
}

} // namespace
