// The levy per ton: company-bound sites get none, an object-bound site its
// own, the other sites of a kind and province one equalised levy; every case
// in which the levy cannot be computed is reported as not computed.
// Figures worked out in expected_values.py.

#include "calc/clsHeffing.h"

#include "calc/clsDV.h"

#include "calc_fixture.h"
#include "support/scripted_dialogs_fixture.h"
#include "support/sqlite_shell.h"

#include "platform/core/error.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using calc::clsDV;
using calc::clsHeffing;
using calctest::CalcFixture;

class ClsHeffingTest : public testsupport::ScriptedDialogsTest {
protected:
    float doelvermogen(qint32 site)
    {
        clsDV dv(fx.context(site));
        dv.initializeDV(site, -9, -9);
        EXPECT_TRUE(dv.BerekenAlles());
        return dv.DoelvermogenMetRisicoFonds();
    }

    void expectGeenPrognose()
    {
        script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Berekening heffingen"),
                            QStringLiteral("Er zijn geen gegevens beschikbaar m.b.t. de prognose van het "
                                           "afvalaanbod. De heffing kan niet berekend worden."));
    }

    void expectAfwijkend(const QString &naam)
    {
        script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Berekening heffing afgebroken"),
                            QStringLiteral("Bij inrichting '") + naam
                                + QStringLiteral("' heeft u andere rente en/of inflatie ingevoerd dan bij "
                                                 "inrichting 'Gamma'.\r\nDe verevening kan alleen berekend worden "
                                                 "bij gelijke rente en inflatie per provincie."));
    }

    CalcFixture fx;
};

TEST_F(ClsHeffingTest, CompanyBoundSitesGetNoLevy)
{
    fx.execute(QStringLiteral("UPDATE tblStort SET bytBedrijfsGebonden=1 WHERE idrStort_ID IN (?, ?)"),
               {fx.alfa, fx.gamma});
    clsHeffing object(fx.context(fx.alfa));
    script.expectMsgBox(ui::Icon::Information, QStringLiteral("Rapportage heffing"),
                        QStringLiteral("Bij objectgebonden inrichtingen is de (eenmalige) heffing gelijk aan het "
                                       "doelvermogen.\r\nEr wordt geen heffingsrapportage opgesteld."));
    object.psubBerekenHeffingPerTon(1000.0f);
    EXPECT_FALSE(object.ValidatieOK);
    EXPECT_EQ(object.HeffingPerTon_prijspeil_tRef, 0.0);
    EXPECT_EQ(object.DatumAanvangNazorg().date(), QDate(2030, 7, 16));

    clsHeffing bedrijf(fx.context(fx.gamma));
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Heffing"),
                        QStringLiteral("Fout bij berekening heffing bedrijfsgebonden inrichting"));
    bedrijf.psubBerekenHeffingPerTon(1000.0f);
    EXPECT_FALSE(bedrijf.ValidatieOK);
    EXPECT_EQ(bedrijf.intAantaljaren, 0);
}

TEST_F(ClsHeffingTest, ObjectBoundLevyFromTheOwnTargetFund)
{
    const float dv = doelvermogen(fx.alfa);
    clsHeffing h(fx.context(fx.alfa));
    h.psubBerekenHeffingPerTon(dv);
    ASSERT_TRUE(h.ValidatieOK);
    EXPECT_NEAR(h.HeffingPerTon_prijspeil_tRef, 5.78932518380018, 1e-12);
    EXPECT_FLOAT_EQ(h.sngTref, 2030.0f + 6.0f / 12.0f + 1.0f / 24.0f);
    EXPECT_EQ(h.sngDV, dv);
    EXPECT_EQ(h.DVref, dv);
    EXPECT_TRUE(h.rapStortNamen.isEmpty());
    ASSERT_EQ(h.intAantaljaren, 3);
    EXPECT_EQ(h.rapJaar(1), 2025);
    EXPECT_EQ(h.rapAantalKtonPerJaar(2), 150);
    EXPECT_EQ(h.rapAantalKtonTotaal(), 250);
    const double perTon2025 = h.HeffingPerTon_prijspeil_tRef * std::pow(double(1.02f), double(2025.0f - h.sngTref));
    EXPECT_DOUBLE_EQ(h.rapHeffingPerTonInJaar(1), perTon2025);
    EXPECT_DOUBLE_EQ(h.rapHeffingInJaar(1), 100000.0 * perTon2025);
    // The levies discounted back add up to the target fund.
    EXPECT_NEAR(h.rapControleDVsom(), dv, dv * 1e-6);
    EXPECT_NEAR(h.rapControleDV(1) + h.rapControleDV(2) + h.rapControleDV(3), dv, dv * 1e-6);
    EXPECT_THROW(h.rapJaar(4), platform::Error);
    // A year of more than 2147483 kton does not fit in tons.
    fx.execute(QStringLiteral("UPDATE tblTonnage SET lngTonnage=3000000 WHERE lngStort_REF=? AND intKalJaar=2027"),
               {fx.alfa});
    clsHeffing groot(fx.context(fx.alfa));
    groot.psubBerekenHeffingPerTon(dv);
    ASSERT_TRUE(groot.ValidatieOK);
    EXPECT_THROW(groot.rapHeffingInJaar(3), platform::Error);
    EXPECT_NO_THROW(groot.rapHeffingInJaar(2));
    EXPECT_THROW(h.rapJaar(0), platform::Error);
}

TEST_F(ClsHeffingTest, LevyThatCannotBeComputedIsNotComputed)
{
    // A forecast of zeros.
    fx.execute(QStringLiteral("UPDATE tblTonnage SET lngTonnage=0 WHERE lngStort_REF=?"), {fx.alfa});
    clsHeffing nul(fx.context(fx.alfa));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Berekening heffingen"),
                        QStringLiteral("De prognose van het afvalaanbod telt op tot nul. De heffing kan niet "
                                       "berekend worden."));
    nul.psubBerekenHeffingPerTon(1000.0f);
    EXPECT_FALSE(nul.ValidatieOK);
    EXPECT_EQ(nul.HeffingPerTon_prijspeil_tRef, 0.0);
    EXPECT_EQ(nul.intAantaljaren, 3);

    // No forecast (rows without a year do not count).
    fx.execute(QStringLiteral("DELETE FROM tblTonnage WHERE lngStort_REF=?"), {fx.alfa});
    fx.forecast(fx.alfa, 0, 10);
    fx.execute(QStringLiteral("UPDATE tblTonnage SET intKalJaar=NULL WHERE lngStort_REF=?"), {fx.alfa});
    clsHeffing geen(fx.context(fx.alfa));
    expectGeenPrognose();
    geen.psubBerekenHeffingPerTon(1000.0f);
    EXPECT_FALSE(geen.ValidatieOK);
    EXPECT_EQ(geen.intAantaljaren, 0);
    EXPECT_EQ(geen.rapControleDVsom(), 0.0f);

    // An interest rate of -100 %.
    fx.execute(QStringLiteral("UPDATE tblStort SET sngRentePerc=-100 WHERE idrStort_ID=?"), {fx.alfa});
    clsHeffing rente(fx.context(fx.alfa));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Berekening heffingen"),
                        QStringLiteral("Ongeldige rente (-100,00%) en/of inflatie (2,00%) bij inrichting 'Alfa'.\r\n"
                                       "De heffing kan niet berekend worden."));
    rente.psubBerekenHeffingPerTon(1000.0f);
    EXPECT_FALSE(rente.ValidatieOK);

    // An infinite one, as another tool may write it.
    ASSERT_EQ(
        testsupport::sqliteShell(
            fx.dataFile, QStringLiteral("UPDATE tblStort SET sngRentePerc=9e999 WHERE idrStort_ID=%1").arg(fx.alfa)),
        QString());
    clsHeffing oneindig(fx.context(fx.alfa));
    EXPECT_TRUE(script.verify()) << script.report().toStdString();
    script.clear();
    script.setMode(ui::ScriptedDialogs::Mode::Record);
    oneindig.psubBerekenHeffingPerTon(1000.0f);
    EXPECT_FALSE(oneindig.ValidatieOK);
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].msgBox.title, QStringLiteral("Berekening heffingen"));
    EXPECT_TRUE(script.shown()[0].msgBox.text.startsWith(QStringLiteral("Ongeldige rente (")));
}

TEST_F(ClsHeffingTest, EqualisedOverTheProvince)
{
    clsHeffing h(fx.context(fx.gamma));
    h.psubBerekenHeffingPerTon(0.0f);
    ASSERT_TRUE(h.ValidatieOK);
    EXPECT_EQ(h.sngTref, 2002.0f);
    EXPECT_EQ(h.sngDV, 0.0f);
    EXPECT_NEAR(h.DVref, 1382383.5, 0.2);
    EXPECT_NEAR(h.HeffingPerTon_prijspeil_tRef, 1.6558588229114664, 1e-6);
    EXPECT_EQ(h.rapStortNamen, QStringLiteral(" Gamma, Delta"));
    ASSERT_EQ(h.intAantaljaren, 3);
    // The two forecasts summed year by year.
    EXPECT_EQ(h.rapJaar(1), 2010);
    EXPECT_EQ(h.rapAantalKtonPerJaar(1), 100);
    EXPECT_EQ(h.rapJaar(2), 2011);
    EXPECT_EQ(h.rapAantalKtonPerJaar(2), 500);
    EXPECT_EQ(h.rapAantalKtonPerJaar(3), 400);
    EXPECT_NEAR(h.rapControleDVsom(), h.DVref, h.DVref * 1e-6);

    // Calculated again, the object gives the same levy, not a doubled fund.
    const float dvref = h.DVref;
    const double heffing = h.HeffingPerTon_prijspeil_tRef;
    h.psubBerekenHeffingPerTon(0.0f);
    ASSERT_TRUE(h.ValidatieOK);
    EXPECT_EQ(h.DVref, dvref);
    EXPECT_EQ(h.HeffingPerTon_prijspeil_tRef, heffing);
    EXPECT_EQ(h.intAantaljaren, 3);
}

TEST_F(ClsHeffingTest, OnlyCandidateIsTheOpenSite)
{
    fx.execute(QStringLiteral("UPDATE tblStort SET bytProv_REF=40 WHERE idrStort_ID=?"), {fx.delta});
    const float dv = doelvermogen(fx.gamma);
    clsHeffing h(fx.context(fx.gamma));
    h.psubBerekenHeffingPerTon(0.0f);
    ASSERT_TRUE(h.ValidatieOK);
    EXPECT_EQ(h.rapStortNamen, QStringLiteral(" Gamma"));
    EXPECT_FLOAT_EQ(h.DVref, float(double(dv) / std::pow(double(1.04f), 30.0)));
    EXPECT_EQ(h.intAantaljaren, 2);
}

TEST_F(ClsHeffingTest, NoCandidateSitesGiveNoLevy)
{
    // An object-bound flag other than 0 and 1 leaves no site to equalise.
    fx.execute(QStringLiteral("UPDATE tblStort SET bytObjectGebonden=2 WHERE bytProv_REF=30"));
    clsHeffing h(fx.context(fx.gamma));
    expectGeenPrognose();
    h.psubBerekenHeffingPerTon(0.0f);
    EXPECT_FALSE(h.ValidatieOK);
    EXPECT_TRUE(h.rapStortNamen.isEmpty());
    EXPECT_EQ(h.DVref, 0.0f);
}

TEST_F(ClsHeffingTest, EqualisationStopsOnAnySitesFailure)
{
    struct Case {
        const char *naam;
        QString sql;
    };
    const Case cases[] = {
        {"andere rente", QStringLiteral("UPDATE tblStort SET sngRentePerc=4.5 WHERE idrStort_ID=?")},
        {"andere inflatie", QStringLiteral("UPDATE tblStort SET sngInflPerc=2.5 WHERE idrStort_ID=?")},
        {"geen oppervlak", QStringLiteral("UPDATE tblStort SET sngNazorgOpp=0 WHERE idrStort_ID=?")},
        {"rapportage niet ingesteld", QStringLiteral("UPDATE tblStort SET bytRapEval=0 WHERE idrStort_ID=?")},
        {"geen rente", QStringLiteral("UPDATE tblStort SET sngRentePerc=NULL WHERE idrStort_ID=?")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.naam);
        CalcFixture f;
        f.execute(c.sql, {f.delta});
        if (QString::fromLatin1(c.naam).startsWith(QStringLiteral("andere")))
            expectAfwijkend(QStringLiteral("Delta"));
        else if (QString::fromLatin1(c.naam) == QStringLiteral("geen oppervlak"))
            script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Invoer onvolledig bij Delta"),
                                QStringLiteral("Er is geen (geldig) nazorgoppervlak ingevoerd in het scherm "
                                               "'Toeslagen nazorgfase'."));
        else if (QString::fromLatin1(c.naam) == QStringLiteral("geen rente"))
            script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Berekening heffing afgebroken"),
                                QStringLiteral("Bij inrichting 'Delta' is geen rente en/of inflatie ingevoerd.\r\n"
                                               "De verevening kan alleen berekend worden bij gelijke rente en "
                                               "inflatie per provincie."));
        else
            script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Algemene toeslag rapportage/evaluatie"),
                                QStringLiteral("De kosten voor rapportage/evaluatie zijn niet correct ingesteld. "
                                               "Controleer uw invoer via menu 'Invoer' -> 'Toeslagen nazorgfase', "
                                               "tabblad 'Algemene nazorgkosten'."));
        clsHeffing h(f.context(f.gamma));
        h.psubBerekenHeffingPerTon(0.0f);
        EXPECT_FALSE(h.ValidatieOK);
        EXPECT_EQ(h.HeffingPerTon_prijspeil_tRef, 0.0);
        EXPECT_EQ(h.intAantaljaren, 0);
    }
}

} // namespace
