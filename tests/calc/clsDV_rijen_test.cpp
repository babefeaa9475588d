// A report that follows its calculation reads the site's cost items once:
// the report view made of the rows the calculation read is the view read
// afresh, row for row in every sort order, also where the two reads would
// differ; the levy given the open site's calculation is the levy that
// calculates the site again.

#include "calc/clsDV.h"
#include "calc/clsHeffing.h"

#include "calc_fixture.h"
#include "support/scripted_dialogs_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using calc::clsDV;
using calctest::CalcFixture;
using calctest::ownItem;

class ClsDVRijenTest : public testsupport::ScriptedDialogsTest {
protected:
    static qint32 facility(CalcFixture &f, qint32 site)
    {
        return f.scalar(QStringLiteral("SELECT min(idrInrichting_ID) FROM tblInrichting WHERE lngStort_REF=?"), {site})
            .toInt();
    }
    // The view's rows of Alfa as a report writes them, and the boxes shown
    // meanwhile (a row of an item the calculation does not know tells so).
    static QStringList view(CalcFixture &f, const std::function<void(clsDV &)> &open, const QString &sortering)
    {
        clsDV dv(f.context(f.alfa));
        dv.initializeDV(f.alfa, -9, -9);
        EXPECT_TRUE(dv.VerifyBeforeBerekening2());
        EXPECT_TRUE(dv.BerekenAlles());
        ui::ScriptedDialogs boxes(ui::ScriptedDialogs::Mode::Record);
        ui::ScopedDialogs use(&boxes);
        open(dv);
        dv.rapSorteerVeldNaam(sortering);
        QStringList rows;
        for (qint32 i = 0; i < dv.rapAantalRijen(); ++i) {
            const calc::DVRapportRegel r = dv.rapRegel(i);
            rows << QStringList({QString::number(r.Act_ID()), r.Kostenpost(), r.Voorz(), r.ObjectCat(),
                                 r.ObjectCat_ID(), QString::number(r.Rubriek()), QString::number(r.Combineer()),
                                 r.KalJaarAanlegBA(), r.PrijsPerKeer(), r.Freq(), r.SorteerVeldwaardeString(),
                                 QString::number(dv.rapIsQOR(r))})
                        .join(QLatin1Char('|'));
        }
        for (const auto &box : boxes.shown())
            rows << box.describe();
        return rows;
    }

    CalcFixture fx;
};

TEST_F(ClsDVRijenTest, TheViewOfTheCalculationsRowsIsTheViewReadAfresh)
{
    struct Geval {
        const char *naam;
        std::function<void(CalcFixture &)> zet; // changes the sites' items
        int rijen;                              // rows of the view, with the boxes
    };
    const Geval gevallen[] = {
        {"as made", [](CalcFixture &) {}, 7},
        // The calculation does not know it; the view shows it, after a box.
        {"an item under the site's facility filed under another site",
         [](CalcFixture &f) {
             f.item(f.beta, facility(f, f.alfa), ownItem(QStringLiteral("Zaaien"), {{"bytRubriek_REF", 1}}));
         },
         8 + 1},
        // The calculation counts it; the view leaves it out.
        {"an item of the site under another site's facility",
         [](CalcFixture &f) {
             f.item(f.alfa, facility(f, f.beta), ownItem(QStringLiteral("Elders"), {{"bytRubriek_REF", 2}}));
         },
         7},
    };
    for (const Geval &g : gevallen) {
        SCOPED_TRACE(g.naam);
        CalcFixture f;
        g.zet(f);
        for (const char *sortering : {"bytRubriek_REF", "bytObjectCat_REF", "bytIsQOR", "strAct"}) {
            SCOPED_TRACE(sortering);
            const QString s = QString::fromLatin1(sortering);
            const QStringList vers = view(
                f, [](clsDV &dv) { dv.rapOpenActRecordset(); }, s);
            const QStringList vanBerekening = view(
                f, [](clsDV &dv) { dv.rapOpenActRecordsetVanBerekening(); }, s);
            EXPECT_EQ(vers.size(), g.rijen);
            EXPECT_EQ(vanBerekening, vers);
        }
    }
}

TEST_F(ClsDVRijenTest, TheLevyTakesTheOpenSitesCalculation)
{
    for (qint32 open : {fx.gamma, fx.delta}) {
        SCOPED_TRACE(open);
        calc::clsHeffing zelf(fx.context(open));
        zelf.psubBerekenHeffingPerTon(0.0f);
        ASSERT_TRUE(zelf.ValidatieOK);

        clsDV dv(fx.context(open));
        dv.initializeDV(open, -9, -9);
        ASSERT_TRUE(dv.VerifyBeforeBerekening2() && dv.BerekenAlles());
        calc::clsHeffing gegeven(fx.context(open));
        gegeven.psubBerekenHeffingPerTon(0.0f, dv);
        ASSERT_TRUE(gegeven.ValidatieOK);
        EXPECT_EQ(gegeven.DVref, zelf.DVref);
        EXPECT_EQ(gegeven.HeffingPerTon_prijspeil_tRef, zelf.HeffingPerTon_prijspeil_tRef);
        EXPECT_EQ(gegeven.rapStortNamen, zelf.rapStortNamen);
        EXPECT_EQ(gegeven.intAantaljaren, zelf.intAantaljaren);
    }
}

} // namespace
