// The site record: accessors with their defaults and errors, the start of
// after-care, the binding sentence, the name check, writes, commits and the
// checklist texts; checked against what the data file holds.

#include "records/clsStort.h"

#include "site_fixture.h"
#include "support/scripted_dialogs_fixture.h"

#include "platform/core/error.h"

#include <functional>
#include <gtest/gtest.h>

using records::clsStort;
using testsupport::SiteFixture;

namespace {

class StortTest : public testsupport::ScriptedDialogsTest {
protected:
    SiteFixture fx;

    void setColumn(const QString &column, const QVariant &value, qint32 site = 0)
    {
        fx.execute(QStringLiteral("UPDATE tblStort SET %1=? WHERE idrStort_ID=?").arg(column),
                   {value, site ? site : fx.siteId});
    }
    QVariant column(const QString &column, qint32 site = 0)
    {
        return fx.scalar(QStringLiteral("SELECT %1 FROM tblStort WHERE idrStort_ID=?").arg(column),
                         {site ? site : fx.siteId});
    }
};

// ---- accessors -------------------------------------------------------------

TEST_F(StortTest, NewSiteValues)
{
    clsStort st(fx.context());
    st.initializeStort(fx.siteId);
    EXPECT_EQ(st.stort_ID(), fx.siteId);
    EXPECT_EQ(st.rente(), float(double(5.06f) / 100.0));
    EXPECT_EQ(st.inflatie(), 0.02f);
    EXPECT_EQ(st.StandaardExportDir(), QStringLiteral("c:\\"));
    EXPECT_EQ(st.NaamStort(), QStringLiteral("Stort 't Veld"));
    EXPECT_EQ(st.JaarPrijsPeil(), 2008);
    EXPECT_EQ(st.checklist_ID(), 3.0f);
    EXPECT_EQ(st.intStortType(), 1);
    EXPECT_EQ(st.prov_id(), 0);
    EXPECT_EQ(st.ProvNaam(), QStringLiteral("??"));
    EXPECT_EQ(st.bytBedrijfsGebonden(), 1);
    EXPECT_EQ(st.bytObjectGebonden(), 1);
    EXPECT_EQ(st.DatumAanvangNazorg().date(), QDate(2030, 1, 1));
}

TEST_F(StortTest, EmptyColumnsWithADefault)
{
    setColumn(QStringLiteral("strStortNaam"), QVariant());
    setColumn(QStringLiteral("intJaarPrijsPeil"), QVariant());
    setColumn(QStringLiteral("intCL_REF"), QVariant());
    clsStort st(fx.context());
    st.initializeStort(fx.siteId);
    EXPECT_EQ(st.NaamStort(), QStringLiteral("?"));
    EXPECT_EQ(st.JaarPrijsPeil(), 0);
    EXPECT_EQ(st.checklist_ID(), 0.0f);
    EXPECT_EQ(st.OptieRapEval(), 0);

    const std::vector<std::pair<const char *, std::function<float()>>> numbers = {
        {"NazorgOpp", [&] { return st.NazorgOpp(); }},
        {"AppKostenBasis", [&] { return st.AppKostenBasis(); }},
        {"AppKostenBasisPerc", [&] { return st.AppKostenBasisPerc(); }},
        {"RapEvalMin", [&] { return st.RapEvalMin(); }},
        {"RapEvalPerHa", [&] { return st.RapEvalPerHa(); }},
        {"RapEvalMax", [&] { return st.RapEvalMax(); }},
        {"CommunicatieKosten", [&] { return st.CommunicatieKosten(); }},
        {"Onvoorzien", [&] { return st.Onvoorzien(); }},
        {"OntwerpdirectieFixed", [&] { return st.OntwerpdirectieFixed(); }},
        {"RisicoBedrag", [&] { return st.RisicoBedrag(); }},
    };
    for (const auto &[name, read] : numbers)
        EXPECT_EQ(read(), 0.0f) << name;

    const std::vector<std::function<QString()>> texts = {
        [&] { return st.RivmNr(); },
        [&] { return st.locatie_adres(); },
        [&] { return st.VergHouderNaam(); },
        [&] { return st.VergHouderPostadres(); },
        [&] { return st.VergHouderContactPers(); },
        [&] { return st.VergHouderTelnr(); },
        [&] { return st.VergHouderFaxnr(); },
        [&] { return st.VergHouderEmail(); },
        [&] { return st.InvullerNaam(); },
        [&] { return st.InvullerPostadres(); },
        [&] { return st.InvullerContactPers(); },
        [&] { return st.InvullerTelnr(); },
        [&] { return st.InvullerFaxnr(); },
        [&] { return st.InvullerEmail(); },
    };
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(texts[i](), QString()) << "text getter " << i;
}

TEST_F(StortTest, TextGettersReadTheirColumns)
{
    const std::vector<std::pair<const char *, std::function<QString(const clsStort &)>>> cases = {
        {"strRIVMnr", &clsStort::RivmNr},
        {"memVestigingsadres", &clsStort::locatie_adres},
        {"strVergNaam", &clsStort::VergHouderNaam},
        {"strVergPostAdres", &clsStort::VergHouderPostadres},
        {"strVergContPers", &clsStort::VergHouderContactPers},
        {"strVergTel", &clsStort::VergHouderTelnr},
        {"strVergFax", &clsStort::VergHouderFaxnr},
        {"strVergEmail", &clsStort::VergHouderEmail},
        {"strInvNaam", &clsStort::InvullerNaam},
        {"strInvPostAdres", &clsStort::InvullerPostadres},
        {"strInvContPers", &clsStort::InvullerContactPers},
        {"strInvTel", &clsStort::InvullerTelnr},
        {"strInvFax", &clsStort::InvullerFaxnr},
        {"strInvEmail", &clsStort::InvullerEmail},
    };
    for (const auto &[col, read] : cases)
        setColumn(QLatin1String(col), QStringLiteral("waarde van ") + QLatin1String(col));
    clsStort st(fx.context());
    st.initializeStort(fx.siteId);
    for (const auto &[col, read] : cases)
        EXPECT_EQ(read(st), QStringLiteral("waarde van ") + QLatin1String(col));
}

TEST_F(StortTest, EmptyColumnsWithoutADefaultNameTheColumn)
{
    const std::vector<std::pair<const char *, std::function<void(const clsStort &)>>> cases = {
        {"sngRentePerc", [](const clsStort &s) { s.rente(); }},
        {"sngInflPerc", [](const clsStort &s) { s.inflatie(); }},
        {"bytheffing", [](const clsStort &s) { s.Optie_heffing(); }},
        {"intStartjaarHeffing", [](const clsStort &s) { s.startjaarHeffing(); }},
        {"intEindjaarHeffing", [](const clsStort &s) { s.eindjaarHeffing(); }},
        {"bytBedrijfsGebonden", [](const clsStort &s) { s.bytBedrijfsGebonden(); }},
        {"bytObjectGebonden", [](const clsStort &s) { s.bytObjectGebonden(); }},
        {"bytProv_REF", [](const clsStort &s) { s.prov_id(); }},
        {"bytProv_REF", [](const clsStort &s) { s.ProvNaam(); }},
        {"intStortType", [](const clsStort &s) { s.intStortType(); }},
        {"dtmAanvangNazorg", [](const clsStort &s) { s.DatumAanvangNazorg(); }},
    };
    for (const auto &[col, read] : cases) {
        setColumn(QLatin1String(col), QVariant());
        clsStort st(fx.context());
        st.initializeStort(fx.siteId);
        try {
            read(st);
            ADD_FAILURE() << col << ": no error";
        } catch (const platform::Error &e) {
            EXPECT_EQ(e.number(), 94) << col;
            EXPECT_TRUE(e.description().contains(QLatin1String(col))) << e.description().toStdString();
            EXPECT_TRUE(e.source().startsWith(QLatin1String("clsStort."))) << e.source().toStdString();
        }
    }
}

TEST_F(StortTest, UnknownProvinceCodeIsReported)
{
    setColumn(QStringLiteral("bytProv_REF"), 15);
    clsStort st(fx.context());
    st.initializeStort(fx.siteId);
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout"),
                        QStringLiteral("Onbekende provincie-id in pfunStrProv"));
    EXPECT_EQ(st.ProvNaam(), QString());
    setColumn(QStringLiteral("bytProv_REF"), 120);
    clsStort again(fx.context());
    again.initializeStort(fx.siteId);
    EXPECT_EQ(again.ProvNaam(), QStringLiteral("Zuid-Holland"));
}

TEST_F(StortTest, SiteIdWithoutRow)
{
    clsStort st(fx.context());
    st.initializeStort(99999);
    EXPECT_FALSE(st.hasCurrentRow());
    st.Move0(); // nothing to commit, no error
    try {
        st.NaamStort();
        ADD_FAILURE() << "read without a row";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), 3021);
    }
}

// ---- start of after-care ---------------------------------------------------

TEST_F(StortTest, StartOfAfterCareAsFractionalYear)
{
    struct Case {
        QString stored;
        float expected;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("2030-01-01 00:00:00"), 2030.0f},
        {QStringLiteral("2031-03-01 00:00:00"), float(2031.0 + 2.0 / 12.0)},
        {QStringLiteral("2030-07-16 00:00:00"), float(2030.0 + 6.0 / 12.0 + 1.0 / 24.0)},
    };
    for (const Case &c : cases) {
        setColumn(QStringLiteral("dtmAanvangNazorg"), c.stored);
        clsStort st(fx.context());
        st.initializeStort(fx.siteId);
        EXPECT_EQ(st.AanvangNazorgGebrokenJaar(), c.expected) << c.stored.toStdString();
    }
}

TEST_F(StortTest, EmptyStartOfAfterCareGives2030WithAMessageEveryCall)
{
    setColumn(QStringLiteral("dtmAanvangNazorg"), QVariant());
    clsStort st(fx.context());
    st.initializeStort(fx.siteId);
    for (int i = 0; i < 2; ++i) {
        script.expectMsgBox(
            ui::Icon::Information, QStringLiteral("Datum nazorg onbekend"),
            QStringLiteral("Datum aanvang nazorg is niet ingevuld. U dient deze datum eerst in te vullen."));
        EXPECT_EQ(st.AanvangNazorgGebrokenJaar(), 2030.0f);
    }
}

TEST_F(StortTest, DayOtherThanFirstOrSixteenthCountsAsTheFirst)
{
    setColumn(QStringLiteral("dtmAanvangNazorg"), QStringLiteral("2031-03-20 00:00:00"));
    clsStort st(fx.context());
    st.initializeStort(fx.siteId);
    script.expectMsgBox(
        ui::Icon::Exclamation, QStringLiteral("Ongeldige datum aanvang nazorg"),
        QStringLiteral("Ongeldige datum aanvang nazorg (20-3-2031) ingevoerd. "
                       "De dag van aanvang nazorg dient de 1e of de 16e te zijn. \r\n"
                       "Er zal nu worden gerekend met 1-3-2031.\r\n"
                       "Past u de datum aanvang nazorg aan via de menu-optie 'Invoer -> Gegevens inrichting'."));
    EXPECT_EQ(st.AanvangNazorgGebrokenJaar(), float(2031.0 + 2.0 / 12.0));
    EXPECT_EQ(column(QStringLiteral("dtmAanvangNazorg")).toDateTime().date(), QDate(2031, 3, 20));
}

// ---- binding sentence ------------------------------------------------------

TEST_F(StortTest, BindingSentence)
{
    struct Case {
        QVariant bedrijf, object;
        QString expected;
    };
    const std::vector<Case> cases = {
        {1, 1, QStringLiteral("bedrijfsgebonden en objectgebonden. ")},
        {0, 0, QStringLiteral("niet-bedrijfsgebonden en niet-objectgebonden. ")},
        {2, 2, QStringLiteral("niet-bedrijfsgebonden en niet-objectgebonden. ")},
        {QVariant(), QVariant(), QStringLiteral("niet-bedrijfsgebonden en niet-objectgebonden. ")},
        {1, 0, QStringLiteral("bedrijfsgebonden en niet-objectgebonden. ")},
    };
    for (const Case &c : cases) {
        setColumn(QStringLiteral("bytBedrijfsGebonden"), c.bedrijf);
        setColumn(QStringLiteral("bytObjectGebonden"), c.object);
        clsStort st(fx.context());
        st.initializeStort(fx.siteId);
        EXPECT_EQ(st.Bedrijfs_Objectgebonden(), c.expected);
    }
}

// ---- name check ------------------------------------------------------------

TEST_F(StortTest, NameCheckIgnoresCaseAndTheOwnRow)
{
    clsStort st(fx.context());
    st.initializeStort(fx.siteId);
    EXPECT_TRUE(st.StortnaamBestaatAl(QStringLiteral("De Kuil")));
    EXPECT_TRUE(st.StortnaamBestaatAl(QStringLiteral("de KUIL")));
    EXPECT_FALSE(st.StortnaamBestaatAl(QStringLiteral("Stort 't Veld")));
    EXPECT_FALSE(st.StortnaamBestaatAl(QStringLiteral("Nieuwe stort")));

    clsStort other(fx.context());
    other.initializeStort(fx.otherSiteId);
    EXPECT_TRUE(other.StortnaamBestaatAl(QStringLiteral("stort 'T veld")));
    EXPECT_FALSE(other.StortnaamBestaatAl(QStringLiteral("x' OR '1'='1")));
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblStort")), 2);
}

// ---- writes and commits ----------------------------------------------------

TEST_F(StortTest, WritesArePendingUntilMove0)
{
    clsStort st(fx.context());
    st.initializeStort(fx.siteId);
    st.RisicoBedrag(1234.5f);
    st.CommunicatieKosten(2750.0f);
    st.RapEvalPerHa(241.87f);
    st.StandaardExportDir(QStringLiteral("/home/gebruiker/rapporten"));
    st.DatumAanvangNazorg(QDateTime(QDate(2032, 7, 16), QTime(0, 0)));
    EXPECT_EQ(st.RisicoBedrag(), 1234.5f);
    EXPECT_TRUE(column(QStringLiteral("sngAlgRisicoBedrag")).isNull());

    st.Move0();
    EXPECT_EQ(column(QStringLiteral("sngAlgRisicoBedrag")).toFloat(), 1234.5f);
    EXPECT_EQ(column(QStringLiteral("sngAlgCommunicatieKosten")).toFloat(), 2750.0f);
    // A currency column keeps four decimals.
    EXPECT_DOUBLE_EQ(column(QStringLiteral("sngRapEvalPerHa")).toDouble(), 241.87);
    EXPECT_EQ(column(QStringLiteral("memStandaardExportDir")).toString(), QStringLiteral("/home/gebruiker/rapporten"));
    EXPECT_EQ(column(QStringLiteral("dtmAanvangNazorg")).toDateTime().date(), QDate(2032, 7, 16));
}

TEST_F(StortTest, ReleaseCommitsThePendingEdit)
{
    {
        clsStort st(fx.context());
        st.initializeStort(fx.siteId);
        st.LetChecklist_REF(4);
        st.AppKostenBasis(800.0f);
    }
    EXPECT_EQ(column(QStringLiteral("intCL_REF")).toInt(), 4);
    EXPECT_EQ(column(QStringLiteral("sngAlgAppKostenBasis")).toFloat(), 800.0f);
}

TEST_F(StortTest, TwoObjectsOnOneRowKeepEachOthersEdits)
{
    clsStort a(fx.context());
    clsStort b(fx.context());
    a.initializeStort(fx.siteId);
    b.initializeStort(fx.siteId);
    a.RisicoBedrag(5000.0f);
    b.Onvoorzien(12.5f);
    a.Move0();
    b.Move0();
    EXPECT_EQ(column(QStringLiteral("sngAlgRisicoBedrag")).toFloat(), 5000.0f);
    EXPECT_EQ(column(QStringLiteral("sngOnvoorzien")).toFloat(), 12.5f);
}

TEST_F(StortTest, TooLongNameIsRefusedNamingTheFieldAndNothingIsLost)
{
    clsStort st(fx.context());
    st.initializeStort(fx.siteId);
    st.RisicoBedrag(10.0f);
    try {
        st.setValue(QStringLiteral("STRSTORTNAAM"), QString(51, QLatin1Char('x')));
        ADD_FAILURE() << "51 characters accepted";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), 3163);
        EXPECT_TRUE(e.description().contains(QLatin1String("strStortNaam"))) << e.description().toStdString();
    }
    st.setValue(QStringLiteral("strStortNaam"), QString(50, QLatin1Char('y')));
    st.Move0();
    EXPECT_EQ(column(QStringLiteral("strStortNaam")).toString(), QString(50, QLatin1Char('y')));
    EXPECT_EQ(column(QStringLiteral("sngAlgRisicoBedrag")).toFloat(), 10.0f);
}

TEST_F(StortTest, FailedCommitOnReleaseGoesToTheErrorReporter)
{
    QList<long> reported;
    records::Context ctx = fx.context();
    ctx.MeldFout = [&](const platform::Error &e) { reported << e.number(); };
    {
        clsStort st(ctx);
        st.initializeStort(fx.siteId);
        st.RisicoBedrag(1.0f);
        fx.execute(QStringLiteral("DELETE FROM tblStort WHERE idrStort_ID=?"), {fx.siteId});
    }
    EXPECT_EQ(reported, QList<long>{3167});
}

TEST_F(StortTest, FailedCommitOnReleaseWithoutReporterShowsABox)
{
    {
        clsStort st(fx.context());
        st.initializeStort(fx.otherSiteId);
        st.RisicoBedrag(1.0f);
        fx.execute(QStringLiteral("DELETE FROM tblStort WHERE idrStort_ID=?"), {fx.otherSiteId});
        script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout 3167"),
                            QStringLiteral("Het record is niet meer aanwezig in tabel 'tblStort'; het is intussen "
                                           "verwijderd.\r\nBron: clsStort.Move0"));
    }
}

// ---- checklist texts -------------------------------------------------------

TEST_F(StortTest, ChecklistInformation)
{
    clsStort st(fx.context());
    st.initializeStort(fx.siteId);
    st.GetInfoChecklist();
    EXPECT_EQ(st.ClInfo_StortType, QStringLiteral("stortplaats"));
    EXPECT_EQ(st.ClInfo_Versie, QStringLiteral("2008"));
    EXPECT_EQ(
        st.ClInfo_Opmerking,
        QStringLiteral("Regels 2008: toeslagen ontwerp/directie/toezicht per vervangingspost; combinatieposten."));
}

TEST_F(StortTest, ChecklistInformationFailsForAMissingVersion)
{
    for (const QVariant &version : {QVariant(), QVariant(99)}) {
        setColumn(QStringLiteral("intCL_REF"), version);
        clsStort st(fx.context());
        st.initializeStort(fx.siteId);
        EXPECT_THROW(st.GetInfoChecklist(), platform::Error);
        EXPECT_EQ(st.ClInfo_Versie, QString());
    }
}

// ---- fields by name --------------------------------------------------------

TEST_F(StortTest, FieldsByNameWithChangeNotification)
{
    clsStort st(fx.context());
    QStringList heard;
    st.onChanged([&](const QString &f) { heard << f; });
    st.initializeStort(fx.siteId);
    EXPECT_EQ(heard, QStringList{QString()});
    EXPECT_EQ(st.value(QStringLiteral("STRSTORTNAAM")).toString(), QStringLiteral("Stort 't Veld"));
    st.setValue(QStringLiteral("sngnazorgopp"), 12.5f);
    EXPECT_EQ(heard.last(), QStringLiteral("sngNazorgOpp"));
    EXPECT_EQ(st.NazorgOpp(), 12.5f);
    EXPECT_TRUE(st.fieldNames().contains(QStringLiteral("intCL_REF")));
    EXPECT_EQ(st.DataMember(QString()), nullptr);
    EXPECT_NE(st.DataMember(QStringLiteral("tblStort")), nullptr);
    try {
        st.value(QStringLiteral("strBestaatNiet"));
        ADD_FAILURE() << "unknown field";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), 3265);
    }
}

} // namespace
