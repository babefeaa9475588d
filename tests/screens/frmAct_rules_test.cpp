// The rules of the facilities and cost-items screen, without a window: the
// pop-up menu, the field checks, the layouts of the option groups and the
// marking of a cost item against the completeness rules and the checklist.

#include "act_screen_test_env.h"

#include "checklist/clsCL.h"
#include "screens/frmAct_marking.h"
#include "screens/frmAct_rules.h"

namespace {

using namespace screens::act;

// ---- Pop-up menu ------------------------------------------------------------

struct PopupCase {
    const char *what;
    PopupNode node;
    bool facility, costItem, qorVoorz;
    bool addVoorz, addAct, addFase, naam, verwijder;
    const char *voorzCaption;
    const char *actCaption;
};

TEST(ActPopupRules, EachNodeKindEnablesItsOwnCommands)
{
    const PopupCase cases[] = {
        {"category",
         {"Algemeen", "", "?", true, 16384},
         false,
         false,
         false,
         true,
         false,
         false,
         false,
         false,
         "Voorziening toevoegen aan ' Algemeen '",
         "Kostenpost toevoegen"},
        {"own facility",
         {"Keet", "Overig", "?", false, 16384},
         true,
         false,
         false,
         false,
         true,
         false,
         true,
         true,
         "Voorziening toevoegen",
         "Kostenpost toevoegen aan  ' Keet '"},
        {"checklist facility",
         {"Peilbuizen", "Grondwater", "?", false, 16384},
         true,
         false,
         true,
         false,
         true,
         false,
         false,
         true,
         "Voorziening toevoegen",
         "Kostenpost toevoegen aan  ' Peilbuizen '"},
        {"facility in black",
         {"Keet", "Overig", "?", false, 0},
         true,
         false,
         false,
         false,
         true,
         false,
         true,
         true,
         "Voorziening toevoegen",
         "Kostenpost toevoegen aan  ' Overig....Keet '"},
        {"own item",
         {"Onderhoud", "Keet", "0", false, 128},
         false,
         true,
         false,
         false,
         false,
         true,
         true,
         true,
         "Voorziening toevoegen",
         "Kostenpost toevoegen"},
        {"checklist item",
         {"Maaien", "Keet", "1", false, 128},
         false,
         true,
         false,
         false,
         false,
         true,
         false,
         true,
         "Voorziening toevoegen",
         "Kostenpost toevoegen"},
        {"later phase",
         {"{2e fase}", "Weg {1e fase}", "0", false, 0},
         false,
         true,
         false,
         false,
         false,
         false,
         false,
         true,
         "Voorziening toevoegen",
         "Kostenpost toevoegen"},
        {"first phase",
         {"Weg {1e fase}", "Keet", "0", false, 128},
         false,
         true,
         false,
         false,
         false,
         true,
         true,
         true,
         "Voorziening toevoegen",
         "Kostenpost toevoegen"},
    };
    for (const PopupCase &c : cases) {
        SCOPED_TRACE(c.what);
        const PopupMenu m = ZetPopupMenu(c.node, c.facility, c.costItem, c.qorVoorz);
        EXPECT_EQ(m.addVoorz.enabled, c.addVoorz);
        EXPECT_EQ(m.addAct.enabled, c.addAct);
        EXPECT_EQ(m.addFase.enabled, c.addFase);
        EXPECT_EQ(m.naamWijzigen.enabled, c.naam);
        EXPECT_EQ(m.verwijder.enabled, c.verwijder);
        EXPECT_EQ(m.addVoorz.caption, QString::fromUtf8(c.voorzCaption));
        EXPECT_EQ(m.addAct.caption, QString::fromUtf8(c.actCaption));
        EXPECT_EQ(m.addFase.caption, QStringLiteral("Fase toevoegen"));
        EXPECT_TRUE(m.naamWijzigen.caption.isEmpty());
    }
}

// ---- Field checks -------------------------------------------------------------

TEST(ActFieldRules, NumbersAreReadTheDutchWayAndEmptyIsRefused)
{
    const struct {
        const char *text;
        bool ok;
    } cases[] = {{"", false}, {" ", false},   {"abc", false}, {"12a", false},
                 {"0", true}, {"1750", true}, {"6,25", true}, {"-3", true}};
    for (const auto &c : cases)
        EXPECT_EQ(isGeldigGetal(QString::fromUtf8(c.text)), c.ok) << c.text;
}

TEST(ActFieldRules, TheMessageNamesTheBoxAndTheOnceOnlyStart)
{
    EXPECT_EQ(veldNaam(QStringLiteral("txtIntStartAct_2"), false), QStringLiteral("startjaar"));
    EXPECT_EQ(veldNaam(QStringLiteral("txtStartBA"), true), QStringLiteral("jaar eenmalige uitgave"));
    EXPECT_EQ(veldNaam(QStringLiteral("txtEindBA"), true), QStringLiteral("eindjaar"));
    EXPECT_EQ(veldNaam(QStringLiteral("txtKostenPE"), false), QStringLiteral("eenheidsprijs"));
    EXPECT_EQ(veldNaam(QStringLiteral("txtAantal"), false), QStringLiteral("aantal eenheden"));
    EXPECT_EQ(veldNaam(QStringLiteral("txtVervangingsToeslagPerc"), false), QStringLiteral("toeslagpercentage"));
    EXPECT_EQ(meldingOngeldigeInvoer(QStringLiteral("kosten")),
              QStringLiteral("U heeft geen of een ongeldige waarde ingevuld in het volgende invoervak: \r\n\t---> "
                             "kosten\r\n\r\nKlik op OK en voer alsnog een geldige waarde in."));
}

// ---- Option groups --------------------------------------------------------------

TEST(ActOptionRules, OptionCodesComeFromTheStoredValues)
{
    EXPECT_EQ(optieCode(QVariant(3)), 3);
    EXPECT_EQ(optieCode(QVariant(1.0)), 1);
    EXPECT_EQ(optieCode(QVariant(0)), 0);
    EXPECT_EQ(optieCode(QVariant()), std::nullopt);
    EXPECT_EQ(optieCode(QVariant(300)), std::nullopt);
    EXPECT_EQ(optieCode(QVariant(-1)), std::nullopt);
}

TEST(ActOptionRules, CostOptionShowsItsBoxesAndTheUnitFrameOnlyPerUnit)
{
    const struct {
        int code;
        bool selected, perc, totaal, pe, unit;
    } cases[] = {{1, true, true, false, false, false},
                 {2, true, false, true, false, false},
                 {3, true, false, false, true, true},
                 {3, false, false, false, true, false}};
    for (const auto &c : cases) {
        const KostenLayout l = kostenLayout(c.code, c.selected);
        EXPECT_EQ(l.percEnInvest, c.perc) << c.code;
        EXPECT_EQ(l.totaal, c.totaal) << c.code;
        EXPECT_EQ(l.perEenheid, c.pe) << c.code;
        EXPECT_EQ(l.eenheidFrame, c.unit) << c.code;
    }
}

TEST(ActOptionRules, OnceOnlyDisablesTheEndAndOtherFrequenciesEnableIt)
{
    FreqLayout once = freqLayout(1, true, true);
    EXPECT_FALSE(once.eindFrameEnabled);
    EXPECT_TRUE(once.eindEeuwigdurend);
    EXPECT_FALSE(once.chkEindBAEnabled);
    EXPECT_TRUE(once.chkEindBAClear);
    EXPECT_FALSE(once.freqXVisible);
    EXPECT_EQ(once.startCaption, QStringLiteral("Jaar eenmalige uitgave"));

    for (bool startBA : {false, true}) {
        const FreqLayout l = freqLayout(3, startBA, false);
        EXPECT_TRUE(l.eindFrameEnabled);
        EXPECT_FALSE(l.eindEeuwigdurend);
        EXPECT_EQ(l.chkEindBAEnabled, startBA);
        EXPECT_EQ(l.startCaption, QStringLiteral("Startjaar"));
        EXPECT_TRUE(l.freqXVisible);
    }
}

TEST(ActOptionRules, TheEndCountsFromTheTopLinerOnlyWhenTheStartDoes)
{
    StartEindLayout off = startEindLayout(false, true, true, 2);
    EXPECT_FALSE(off.txtStartBAVisible);
    EXPECT_EQ(off.optStart1, QStringLiteral("kalenderjaar"));
    EXPECT_TRUE(off.chkEindBAEnabledSet);
    EXPECT_FALSE(off.chkEindBAEnabled);
    EXPECT_TRUE(off.chkEindBAClear);
    // Cleared, the end shows its options and the box of its option.
    EXPECT_TRUE(off.optEindVisible);
    EXPECT_EQ(off.txtIntEind2, true);
    EXPECT_EQ(off.txtIntEind1, false);

    StartEindLayout on = startEindLayout(true, true, true, 2);
    EXPECT_TRUE(on.txtStartBAVisible);
    EXPECT_EQ(on.optStart2, QStringLiteral("nazorgjaar aanleg bovenafd."));
    EXPECT_TRUE(on.chkEindBAEnabled);
    EXPECT_FALSE(on.optEindVisible);
    EXPECT_TRUE(on.txtEindBAVisible);

    // A once-only item (end frame disabled) leaves the end's box alone.
    StartEindLayout once = startEindLayout(true, false, false, 3);
    EXPECT_FALSE(once.chkEindBAEnabledSet);
    EXPECT_FALSE(once.txtIntEind1.has_value());
}

TEST(ActOptionRules, FramesHideForOtherNodesAndCombinedItems)
{
    FramesLayout item = framesLayout(false, false, 2);
    EXPECT_EQ(item.frame, (std::array<bool, 8>{true, true, true, false, true, true, true, true}));
    EXPECT_TRUE(item.chkCombineer);
    EXPECT_TRUE(framesLayout(false, false, 3).frame[3]);
    FramesLayout combined = framesLayout(false, true, 3);
    EXPECT_EQ(combined.frame, (std::array<bool, 8>{}));
    EXPECT_TRUE(combined.chkCombineer);
    FramesLayout facility = framesLayout(true, false, 3);
    EXPECT_EQ(facility.frame, (std::array<bool, 8>{}));
    EXPECT_FALSE(facility.chkCombineer);
}

TEST(ActOptionRules, SurchargeOptionsFollowTheItemAndTheChecklist)
{
    using A = std::array<bool, 3>;
    const struct {
        const char *what;
        int isQOR;
        bool gediff;
        int rubriek;
        std::optional<int> type, clType;
        bool changed, frame;
        A options;
        bool bovenafdichting;
    } cases[] = {
        {"own, replacement", 0, true, 5, 1, {}, true, true, A{true, true, true}, true},
        {"own, other rubric", 0, true, 4, 0, {}, true, false, A{}, false},
        {"own, fixed scheme", 0, false, 5, 2, {}, true, false, A{}, false},
        {"checklist, fixed scheme", 1, false, 5, 2, 2, true, false, A{}, false},
        {"checklist type 0", 1, true, 5, 0, 0, true, false, A{}, false},
        {"checklist type 1", 1, true, 5, 1, 1, true, true, A{true, false, false}, true},
        {"checklist type 2", 1, true, 5, 2, 2, true, true, A{false, true, false}, false},
        {"checklist type 3", 1, true, 5, 3, 3, true, true, A{false, false, true}, false},
        {"checklist type 7", 1, true, 5, 7, 7, true, true, A{false, true, true}, false},
        {"checklist type 5", 1, true, 5, 5, 5, false, false, A{}, false},
        {"gone from the checklist", 2, true, 5, 2, {}, true, false, A{}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const ToeslagStatus s = toeslagStatus(c.isQOR, c.gediff, c.rubriek, c.type, c.clType, true);
        EXPECT_EQ(s.changed, c.changed);
        EXPECT_EQ(s.frame, c.frame);
        EXPECT_EQ(s.option, c.options);
        EXPECT_EQ(s.bovenafdichting, c.bovenafdichting);
        EXPECT_EQ(s.combinatieMogelijk, c.isQOR != 0 && c.clType.has_value());
    }
}

// ---- Marking --------------------------------------------------------------------

class ActMarkingTest : public testsupport::ScriptedDialogsTest {
protected:
    void SetUp() override
    {
        ScriptedDialogsTest::SetUp();
        cl = std::make_unique<checklist::clsCL>(site.context().gstrConnCL);
        cl->initializeCL(3);
    }

    // Checklist item 10: cost per unit 275 to 475, 2 to 4 times a year.
    static ActInvoer item10()
    {
        ActInvoer in;
        in.optieStart = 2;
        in.startRel = QStringLiteral("1");
        in.optieEind = 3;
        in.optieKosten = 3;
        in.kostenPE = QStringLiteral("375,00");
        in.eenheid = QStringLiteral("monster");
        in.aantal = QStringLiteral("12");
        in.optieFreq = 2;
        in.freqX = QStringLiteral("3");
        in.optieToeslag = 0;
        return in;
    }
    static ActRij clRij(int ref = 10) { return ActRij{1, ref, 2}; }

    testsupport::SiteFixture site;
    std::unique_ptr<checklist::clsCL> cl;
};

TEST_F(ActMarkingTest, ACompleteOwnItemIsBlackAndKeepsItsConformity)
{
    ActInvoer in = item10();
    const Markering m = VerifyEnMarkeer(in, ActRij{0, QVariant(), 4}, *cl, false, 128);
    EXPECT_TRUE(m.compleet);
    for (int f : {0, 1, 2, 4, 5})
        EXPECT_EQ(m.frameKleur[f], kZwart) << f;
    EXPECT_FALSE(m.isQOR.has_value());
    EXPECT_EQ(m.nodeKleur, 128);
}

TEST_F(ActMarkingTest, AChecklistItemOutsideItsBoundsIsOrangeUntilCorrected)
{
    ActInvoer in = item10();
    in.kostenPE = QStringLiteral("600");
    Markering m = VerifyEnMarkeer(in, clRij(), *cl, false, 128);
    EXPECT_EQ(m.frameKleur[5], kOranje);
    EXPECT_EQ(m.frameKleur[1], kZwart);
    EXPECT_TRUE(m.compleet);
    EXPECT_EQ(m.isQOR, 2);
    EXPECT_EQ(m.nodeKleur, 128);

    in.kostenPE = QStringLiteral("375");
    m = VerifyEnMarkeer(in, clRij(), *cl, false, 128);
    EXPECT_EQ(m.frameKleur[5], kZwart);
    EXPECT_EQ(m.isQOR, 1);
}

TEST_F(ActMarkingTest, AnEmptyStartYearMakesTheItemRedAndNotConform)
{
    ActInvoer in = item10();
    in.startRel.clear();
    const Markering m = VerifyEnMarkeer(in, clRij(), *cl, false, 128);
    EXPECT_EQ(m.frameKleur[1], kRood);
    EXPECT_FALSE(m.compleet);
    EXPECT_EQ(m.nodeKleur, kRood);
    EXPECT_EQ(m.isQOR, 2);
}

TEST_F(ActMarkingTest, ACombinedItemExaminesNoGroup)
{
    ActInvoer in = item10();
    in.startRel.clear();
    in.combineer = true;
    const Markering m = VerifyEnMarkeer(in, clRij(), *cl, false, 128);
    EXPECT_EQ(m.gecombineerd, 1);
    EXPECT_EQ(m.frameKleur, (std::array<std::optional<qint32>, 8>{}));
    EXPECT_EQ(m.nodeKleur, 128);
    EXPECT_EQ(m.isQOR, 1);
}

TEST_F(ActMarkingTest, ALaterPhaseIsBlackAndAOnceOnlyItemKeepsItsEndCaption)
{
    ActInvoer in = item10();
    EXPECT_EQ(VerifyEnMarkeer(in, ActRij{0, QVariant(), 2}, *cl, true, 128).nodeKleur, kZwart);
    in.optieFreq = 1;
    in.optieEind = std::nullopt; // would be red if examined
    const Markering m = VerifyEnMarkeer(in, ActRij{0, QVariant(), 2}, *cl, false, 128);
    EXPECT_FALSE(m.frameKleur[2].has_value());
    EXPECT_TRUE(m.compleet);
}

TEST_F(ActMarkingTest, AnItemGoneFromTheChecklistIsNotConformButStillChecked)
{
    ActInvoer in = item10();
    Markering m = VerifyEnMarkeer(in, clRij(999), *cl, false, 128);
    EXPECT_EQ(m.isQOR, 2);
    EXPECT_TRUE(m.compleet);
    EXPECT_EQ(m.frameKleur[5], kZwart);
    in.freqX.clear();
    m = VerifyEnMarkeer(in, clRij(999), *cl, false, 128);
    EXPECT_EQ(m.frameKleur[4], kRood);
}

TEST_F(ActMarkingTest, TheSurchargeOfAnOwnReplacementIsTestedAgainstTheFixedLimits)
{
    ActInvoer in = item10();
    in.optieToeslag = 2;
    in.toeslagPerc = QStringLiteral("6,25");
    EXPECT_EQ(VerifyEnMarkeer(in, ActRij{0, QVariant(), 5}, *cl, false, 128).frameKleur[0], kZwart);
    in.toeslagPerc = QStringLiteral("8");
    Markering m = VerifyEnMarkeer(in, ActRij{0, QVariant(), 5}, *cl, false, 128);
    EXPECT_EQ(m.frameKleur[0], kOranje);
    EXPECT_FALSE(m.isQOR.has_value());
    // Large or small work still to choose: incomplete.
    in.optieToeslag = 7;
    m = VerifyEnMarkeer(in, ActRij{0, QVariant(), 5}, *cl, false, 128);
    EXPECT_EQ(m.frameKleur[0], kRood);
    EXPECT_FALSE(m.compleet);
}

} // namespace
