// The explanation texts of a checklist item and its footnotes, character
// for character, under the C locale and under a Dutch one.

#include "checklist_files.h"

#include "support/raised_error.h"

#include <vector>

using cltest::itemWhere;
using cltest::viewOn;

namespace {

// An item picked from a version by what it holds, and the text expected.
struct TextCase {
    int version;
    const char *where;
    const char *expected;
};

using TextOf = QString (checklist::clsCL::*)() const;

void expectTexts(TextOf text, const std::vector<TextCase> &cases, const QString &file = cltest::shipped())
{
    cltest::underBothLocales([&] {
        for (const TextCase &c : cases) {
            const qint32 id = itemWhere(file, c.version, QString::fromUtf8(c.where));
            ASSERT_NE(id, 0) << "no item of version " << c.version << " with " << c.where;
            auto cl = viewOn(file, c.version, id);
            EXPECT_EQ(((*cl).*text)(), QString::fromUtf8(c.expected)) << c.where;
        }
    });
}

TEST(ExplanationTexts, StartYear)
{
    expectTexts(
        &checklist::clsCL::strStartJaarToelichting,
        {
            {1, "bytStartBA=0 AND intStartJaar IS NULL", "invoeren in nazorgjaar of kalenderjaar"},
            {1, "bytStartBA=0 AND intStartJaar=1 AND blnStartjaarEerderMag=0", "1e jaar na aanvang nazorg"},
            {1, "bytStartBA=0 AND intStartJaar=30 AND blnStartjaarEerderMag=0", "30e jaar na aanvang nazorg"},
            {3, "bytStartBA=0 AND intStartJaar=25 AND blnStartjaarEerderMag<>0",
             "25e jaar na aanvang nazorg of eerder"},
            {1, "bytStartBA=1 AND intStartJaar IS NULL", "invoeren in jaren na aanleg bovenafdichting"},
            {1, "bytStartBA=1 AND intStartJaar=1 AND blnStartjaarEerderMag=0", "1e jaar na aanleg bovenafdichting"},
            {1, "bytStartBA=1 AND intStartJaar=5 AND blnStartjaarEerderMag<>0",
             "5e jaar na aanleg bovenafdichting of eerder"},
        });
    cltest::ChecklistCopy copy;
    copy.change(QStringLiteral("UPDATE tblCLitem SET bytStartBA=2 WHERE intCL_REF=1 AND lngCLitem_ID IN (1, 23)"));
    expectTexts(&checklist::clsCL::strStartJaarToelichting,
                {
                    {1, "bytStartBA=2 AND intStartJaar=1", ""},
                    {1, "bytStartBA=2 AND intStartJaar IS NULL", ""},
                },
                copy.path());
}

TEST(ExplanationTexts, EndYear)
{
    expectTexts(
        &checklist::clsCL::strEindJaarToelichting,
        {
            {1, "bytOptieEind=3 AND bytEindBA=0", "eeuwigdurend"},
            {1, "bytOptieEind<>3 AND bytEindBA=0 AND intEINDJAAR IS NULL", "invoeren in nazorgjaar of kalenderjaar"},
            {1, "bytOptieEind<>3 AND bytEindBA=0 AND intEINDJAAR=30", "30e jaar na aanvang nazorg"},
            {1, "bytOptieEind<>3 AND bytEindBA=1 AND intEINDJAAR=30", "30e jaar na aanleg bovenafdichting"},
        });
    cltest::ChecklistCopy copy;
    copy.change(QStringLiteral("UPDATE tblCLitem SET intEINDJAAR=NULL WHERE intCL_REF=1 AND lngCLitem_ID=9;"
                               // For ever, whatever the end count and year hold.
                               "UPDATE tblCLitem SET bytEindBA=1, intEINDJAAR=12 WHERE intCL_REF=1 AND lngCLitem_ID=1;"
                               "UPDATE tblCLitem SET bytEindBA=2 WHERE intCL_REF=1 AND lngCLitem_ID=20;"));
    expectTexts(&checklist::clsCL::strEindJaarToelichting,
                {
                    {1, "lngCLitem_ID=9", "invoeren in jaren na aanleg bovenafdichting"},
                    {1, "lngCLitem_ID=1", "eeuwigdurend"},
                    {1, "lngCLitem_ID=20", ""},
                },
                copy.path());
}

TEST(ExplanationTexts, Frequency)
{
    expectTexts(
        &checklist::clsCL::strFreqXtoelichting,
        {
            {1, "bytOptieFreq=1", "eenmalige uitgave"},
            {1, "bytOptieFreq=2 AND sngFreqXMin IS NULL AND sngFreqXMax=1", "maximaal 1 x per jaar"},
            {1, "bytOptieFreq=2 AND sngFreqXMin=2 AND sngFreqXMax IS NULL", "minimaal 2 x per jaar"},
            {1, "bytOptieFreq=2 AND sngFreqXMin IS NULL AND sngFreqXMax IS NULL", "onderbouwen o.b.v. nazorgplan"},
            {1, "bytOptieFreq=2 AND sngFreqXMin=1 AND sngFreqXMax=1", "1 x per jaar"},
            {1, "bytOptieFreq=2 AND sngFreqXMin=2 AND sngFreqXMax=4", "2 - 4 x per jaar"},
            {1, "bytOptieFreq=3 AND sngFreqXMin=5 AND sngFreqXMax IS NULL", "niet vaker dan één keer per 5 jaar"},
            {1, "bytOptieFreq=3 AND sngFreqXMin IS NULL AND sngFreqXMax=5", "één keer per 5 jaar of vaker"},
            {1, "bytOptieFreq=3 AND sngFreqXMin IS NULL AND sngFreqXMax IS NULL", "onderbouwen o.b.v. nazorgplan"},
            {1, "bytOptieFreq=3 AND sngFreqXMin=15 AND sngFreqXMax=15", "één keer per 15 jaar"},
            {1, "bytOptieFreq=3 AND sngFreqXMin=5 AND sngFreqXMax=10", "één keer per 5 à 10 jaar"},
        });
    cltest::ChecklistCopy copy;
    copy.change(
        QStringLiteral("UPDATE tblCLitem SET sngFreqXMin=0.5, sngFreqXMax=2 WHERE intCL_REF=1 AND lngCLitem_ID=1;"
                       "UPDATE tblCLitem SET sngFreqXMin=2.5, sngFreqXMax=7.5 WHERE intCL_REF=1 AND lngCLitem_ID=2;"
                       "UPDATE tblCLitem SET bytOptieFreq=4 WHERE intCL_REF=1 AND lngCLitem_ID=10;"));
    expectTexts(&checklist::clsCL::strFreqXtoelichting,
                {
                    {1, "lngCLitem_ID=1", "0,5 - 2 x per jaar"},
                    {1, "lngCLitem_ID=2", "één keer per 2,5 à 7,5 jaar"},
                    {1, "lngCLitem_ID=10", ""},
                },
                copy.path());
}

TEST(ExplanationTexts, Costs)
{
    expectTexts(
        &checklist::clsCL::strKostenToelichting,
        {
            // Percentage of an investment, with the facility in lower case.
            {1, "bytOptieKosten=1 AND sngPercInvestMIN IS NULL AND sngPercInvestMAX=3",
             "maximaal 3 % van investering onttrekkingsputten"},
            {1, "bytOptieKosten=1 AND sngPercInvestMIN=2 AND sngPercInvestMAX IS NULL",
             "minimaal 2 % van investering gasonttrekking"},
            {1, "bytOptieKosten=1 AND sngPercInvestMIN IS NULL AND sngPercInvestMAX IS NULL",
             "onderbouwen o.b.v. nazorgplan"},
            {1, "bytOptieKosten=1 AND sngPercInvestMIN=1 AND sngPercInvestMAX=2",
             "1 - 2 % van investering bovenafdichting"},
            {11, "bytOptieKosten=1 AND sngPercInvestMIN=0.5 AND sngPercInvestMAX=1.5",
             "0,5 - 1,5 % van investering kades en taluds"},
            // Total amount.
            {1, "bytOptieKosten=2 AND sngKostenTotaalMIN IS NULL AND sngKostenTotaalMAX=2000", "maximaal € 2.000,00"},
            {1, "bytOptieKosten=2 AND sngKostenTotaalMIN=1500 AND sngKostenTotaalMAX IS NULL", "minimaal € 1.500,00"},
            {1, "bytOptieKosten=2 AND sngKostenTotaalMIN IS NULL AND sngKostenTotaalMAX IS NULL",
             "onderbouwen o.b.v. nazorgplan"},
            {1, "bytOptieKosten=2 AND sngKostenTotaalMIN=5000 AND sngKostenTotaalMAX=5000", "€ 5.000,00"},
            {1, "bytOptieKosten=2 AND sngKostenTotaalMIN=1000 AND sngKostenTotaalMAX=2500", "€ 1.000,00 - € 2.500,00"},
            {1, "bytOptieKosten=2 AND sngKostenTotaalMIN=5000 AND sngKostenTotaalMAX=10000",
             "€ 5.000,00 - € 10.000,00"},
            // Units times a price per unit.
            {1, "bytOptieKosten=3 AND sngPrijsPEmin IS NULL AND sngPrijsPEmax=40", "maximaal € 40,00 per stuk"},
            {1, "bytOptieKosten=3 AND sngPrijsPEmin IS NOT NULL AND sngPrijsPEmax IS NULL", "minimaal € 0,10 per kWh"},
            {1, "bytOptieKosten=3 AND sngPrijsPEmin IS NULL AND sngPrijsPEmax IS NULL",
             "onderbouwen o.b.v. nazorgplan"},
            {1, "bytOptieKosten=3 AND sngPrijsPEmin=20 AND sngPrijsPEmax=20", "€ 20,00 per stuk"},
            {1, "bytOptieKosten=3 AND sngPrijsPEmin=150 AND sngPrijsPEmax=250", "€ 150,00 - € 250,00 per ha"},
            {1, "bytOptieKosten=3 AND sngPrijsPEmin=1.5 AND sngPrijsPEmax=3", "€ 1,50 - € 3,00 per m1"},
            {1, "bytOptieKosten=3 AND sngPrijsPEmin=5000 AND sngPrijsPEmax=8000", "€ 5.000,00 - € 8.000,00 per stuk"},
        });
    cltest::ChecklistCopy copy;
    copy.change(QStringLiteral(
        "UPDATE tblCLitem SET sngPercInvestMIN=1.5, sngPercInvestMAX=1.5 WHERE intCL_REF=1 AND lngCLitem_ID=7;"
        "UPDATE tblCLitem SET strVoorz='Grote Ölafscheider' WHERE intCL_REF=1 AND lngCLitem_ID=24;"
        "UPDATE tblCLitem SET bytOptieKosten=4 WHERE intCL_REF=1 AND lngCLitem_ID=2;"
        "UPDATE tblCLitem SET strEenheid=NULL WHERE intCL_REF=1 AND lngCLitem_ID=13;"));
    expectTexts(&checklist::clsCL::strKostenToelichting,
                {
                    {1, "lngCLitem_ID=7", "1,5 % van investering bovenafdichting"},
                    {1, "lngCLitem_ID=24", "maximaal 3 % van investering grote ölafscheider"},
                    {1, "lngCLitem_ID=2", ""},
                    {1, "lngCLitem_ID=13", "maximaal € 40,00 per "},
                },
                copy.path());
}

TEST(ExplanationTexts, CostsWithPriceLevelNote)
{
    expectTexts(&checklist::clsCL::strKostenToelichtingEx,
                {
                    {1, "bytOptieKosten=2 AND sngKostenTotaalMIN=1000 AND sngKostenTotaalMAX=2500",
                     "€ 1.000,00 - € 2.500,00\r\nNB: Alle kostenposten invoeren in prijspeil 2002"},
                    {4, "bytOptieKosten=3 AND sngPrijsPEmin=30 AND sngPrijsPEmax=45",
                     "€ 30,00 - € 45,00 per m2\r\nNB: Alle kostenposten invoeren in prijspeil 2012"},
                    {1, "bytOptieKosten=2 AND sngKostenTotaalMIN IS NULL AND sngKostenTotaalMAX IS NULL",
                     "onderbouwen o.b.v. nazorgplan\r\nNB: Alle kostenposten invoeren in prijspeil 2002"},
                });
}

TEST(ExplanationTexts, PhasingNote)
{
    expectTexts(&checklist::clsCL::VoetNootFasering,
                {
                    {1, "blnVoetnoot1<>0",
                     "Houd rekening met aanleg van bovenafdichting in meerdere fasen; invoer geschiedt per fase (met "
                     "afzonderlijke termijnen, eenheidsprijzen)"},
                    {1, "blnVoetnoot1=0", ""},
                });
}

// ---- Footnotes ---------------------------------------------------------------

const char *const kNotFoundTail = " niet gevonden in checklistdatabase. Neem contact op met de helpdesk.";

QString footnotesOf(const QString &file, int version, qint32 id)
{
    return viewOn(file, version, id)->strVoetnotenToelichting();
}

TEST(Footnotes, OneKeyPerColumnWithItsLabel)
{
    const QString fn1 = "Het startjaar mag eerder liggen wanneer de peilbuizen bij aanvang van de nazorg al langer dan "
                        "tien jaar in gebruik zijn.";
    const QString fn2 =
        "De zettingsmetingen mogen worden beëindigd zodra de zetting minder dan 1 cm per jaar bedraagt.";
    const QString fn3 = "De eenheidsprijs is inclusief het afvoeren van de oude afdeklaag.";
    const QString fn4 = "Bij een stabiele grondwaterkwaliteit mag de meetfrequentie na tien jaar worden verlaagd tot "
                        "tweemaal per jaar.";
    const QString fn5 = "Uitgangspunt is een technische levensduur van de drainageleidingen van 30 tot 40 jaar.";
    const QString fn6 = "Prijs per pomp, inclusief besturing en aansluiting op het percolaatnet.";
    const struct {
        int version;
        const char *where;
        QString expected;
    } cases[] = {
        {3, "strVtNtStartjaar='1'", "\r\nOpmerking bij startjaar: \r\n~" + fn1 + "\r\n"},
        {1, "strVtNtEindjaar='2'", "\r\nOpmerking bij eindjaar: \r\n~" + fn2 + "\r\n"},
        {1, "strVtntPeriodMin='4'", "\r\nOpmerking bij minimale periodiciteit: \r\n~" + fn4 + "\r\n"},
        {1, "strVtNtPeriodMax='5'", "\r\nOpmerking bij maximale periodiciteit: \r\n~" + fn5 + "\r\n"},
        {1, "strVtNtPrijsPEmin='6'", "\r\nOpmerking bij minimale eenheidsprijs: \r\n~" + fn6 + "\r\n"},
        {1, "strVtNtPrijsPEmax='3'", "\r\nOpmerking bij maximale eenheidsprijs: \r\n~" + fn3 + "\r\n"},
        // Two keys in one column.
        {3, "strVtNtPrijsPEmax='3,7'",
         "\r\nOpmerking bij maximale eenheidsprijs: \r\n~" + fn3 + "\r\n~"
             + "Bij een afdichtingslaag van kunststoffolie geldt de hoogste eenheidsprijs.\r\n"},
        // No footnote keys at all.
        {1,
         "strVtNtStartjaar IS NULL AND strVtNtEindjaar IS NULL AND strVtntPeriodMin IS NULL AND "
         "strVtNtPeriodMax IS NULL AND strVtNtPrijsPEmin IS NULL AND strVtNtPrijsPEmax IS NULL",
         ""},
    };
    for (const auto &c : cases) {
        const qint32 id = itemWhere(c.version, c.where);
        ASSERT_NE(id, 0) << c.where;
        EXPECT_EQ(footnotesOf(cltest::shipped(), c.version, id), c.expected) << c.where;
    }
}

TEST(Footnotes, KeysTheVersionDoesNotHold)
{
    const QString fn2 =
        "De zettingsmetingen mogen worden beëindigd zodra de zetting minder dan 1 cm per jaar bedraagt.";
    const QString head = "\r\nOpmerking bij maximale eenheidsprijs: \r\n";
    const struct {
        const char *keys;
        QString expected;
    } cases[] = {
        {"2,9", head + "~" + fn2 + "\r\n~#FOUT: Voetnoot 9" + kNotFoundTail},
        // A blank is part of the key.
        {"2, 5", head + "~" + fn2 + "\r\n~#FOUT: Voetnoot  5" + kNotFoundTail},
        // A trailing comma names an empty key.
        {"2,", head + "~" + fn2 + "\r\n~#FOUT: Voetnoot " + kNotFoundTail},
        {"9,2", head + "~#FOUT: Voetnoot 9" + kNotFoundTail + "~" + fn2 + "\r\n"},
        {"o'brien", head + "~#FOUT: Voetnoot o'brien" + kNotFoundTail},
        {"", ""},
    };
    for (const auto &c : cases) {
        cltest::ChecklistCopy copy;
        copy.change(QStringLiteral("UPDATE tblCLitem SET strVtNtPrijsPEmax=? WHERE intCL_REF=1 AND lngCLitem_ID=1"),
                    {QString::fromUtf8(c.keys)});
        EXPECT_EQ(footnotesOf(copy.path(), 1, 1), c.expected) << c.keys;
    }
}

TEST(Footnotes, ColumnsInTheirOrder)
{
    cltest::ChecklistCopy copy;
    copy.change(QStringLiteral("UPDATE tblCLitem SET strVtNtStartjaar='1', strVtNtEindjaar='2', strVtntPeriodMin='3', "
                               "strVtNtPeriodMax='4', strVtNtPrijsPEmin='5', strVtNtPrijsPEmax='6' "
                               "WHERE intCL_REF=1 AND lngCLitem_ID=1"));
    const QString text = footnotesOf(copy.path(), 1, 1);
    const char *const labels[] = {"startjaar",
                                  "eindjaar",
                                  "minimale periodiciteit",
                                  "maximale periodiciteit",
                                  "minimale eenheidsprijs",
                                  "maximale eenheidsprijs"};
    qsizetype at = -1;
    for (const char *label : labels) {
        const qsizetype next = text.indexOf(QStringLiteral("\r\nOpmerking bij ") + label + ": \r\n~");
        EXPECT_GT(next, at) << label;
        at = next;
    }
    EXPECT_FALSE(text.contains("#FOUT"));
}

TEST(Footnotes, MoreThan255KeysOverflow)
{
    QStringList keys;
    for (int i = 0; i < 256; ++i)
        keys << "1";
    cltest::ChecklistCopy copy;
    copy.change(QStringLiteral("UPDATE tblCLitem SET strVtNtStartjaar=? WHERE intCL_REF=1 AND lngCLitem_ID=1"),
                {keys.join(',')});
    auto cl = viewOn(copy.path(), 1, 1);
    EXPECT_EQ(testsupport::errorNumber([&] { cl->strVoetnotenToelichting(); }), 6);
}

} // namespace
