// The rules of the general-data screen: the start of after-care, the
// company-bound code and the province list.

#include "support/qstring_printer.h"

#include "screens/frmAlgemeen_rules.h"

#include "platform/text/format.h"

#include <gtest/gtest.h>

namespace {

TEST(GeneralDataRules, StartOfAfterCareMustBeADateOnTheFirstOrTheSixteenth)
{
    const QString tweeZinnen = QStringLiteral("Ongeldige datum aanvang nazorg ingevoerd. De dag van aanvang nazorg "
                                              "dient de 1e of de 16e te zijn. ");
    struct Case {
        const char *tekst;
        const char *melding; // nullptr: accepted
        const char *titel;
    };
    const std::string two = tweeZinnen.toStdString();
    const Case cases[] = {
        {"1-1-2030", nullptr, nullptr},
        {"16-3-2031", nullptr, nullptr},
        {"15-3-2031", two.c_str(), "Ongeldige datum aanvang nazorg"},
        {"", "Ongeldige datum aanvang nazorg ingevoerd.", "Invoer datum aanvang nazorg"},
        {"31-2-2031", "Ongeldige datum aanvang nazorg ingevoerd.", "Invoer datum aanvang nazorg"},
        {"morgen", "Ongeldige datum aanvang nazorg ingevoerd.", "Invoer datum aanvang nazorg"},
        // four-digit years only: a year before 1000 is refused however it is written
        {"1-1-1000", nullptr, nullptr},
        {"16-12-9999", nullptr, nullptr},
        {"1-1-231", "Ongeldige datum aanvang nazorg ingevoerd.", "Invoer datum aanvang nazorg"},
        {"1-1-0231", "Ongeldige datum aanvang nazorg ingevoerd.", "Invoer datum aanvang nazorg"},
        {"0999-12-01", "Ongeldige datum aanvang nazorg ingevoerd.", "Invoer datum aanvang nazorg"},
        {"1-1-10000", "Ongeldige datum aanvang nazorg ingevoerd.", "Invoer datum aanvang nazorg"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tekst);
        const auto w = screens::ToetsAanvangNazorg(QString::fromUtf8(c.tekst));
        ASSERT_EQ(w.has_value(), c.melding != nullptr);
        if (w) {
            EXPECT_EQ(w->tekst, QString::fromUtf8(c.melding));
            EXPECT_EQ(w->titel, QString::fromUtf8(c.titel));
        } else {
            // A date taken is shown so that it is taken again.
            const QString getoond = vb::CStr(vb::CDate(QString::fromUtf8(c.tekst)));
            EXPECT_FALSE(screens::ToetsAanvangNazorg(getoond).has_value()) << getoond.toStdString();
        }
    }
}

TEST(GeneralDataRules, CompanyBoundCodeSetsTheOtherControls)
{
    struct Case {
        const char *drager;
        int kind;
        int optie;
        bool aanvinken, objectAan, prognoseAan;
    };
    const Case cases[] = {
        {"1", 1, 1, true, false, false}, {"0", 1, 0, false, true, true},   {"0", 2, 0, false, false, true},
        {"1", 2, 1, true, false, false}, {"", 1, -1, false, false, false}, {"7", 1, -1, false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.drager) + " kind " + std::to_string(c.kind));
        const auto s = screens::BedrijfsGebonden(QString::fromUtf8(c.drager), c.kind);
        EXPECT_EQ(s.optie, c.optie);
        EXPECT_EQ(s.objectAanvinken, c.aanvinken);
        EXPECT_EQ(s.objectIngeschakeld, c.objectAan);
        EXPECT_EQ(s.prognoseIngeschakeld, c.prognoseAan);
    }
    EXPECT_EQ(screens::ObjectGebondenCaption(2), QStringLiteral("Objectgebonden (per definitie voor baggerdepots)"));
}

TEST(GeneralDataRules, ProvinceListRunsFromTenToHundredTwentyThenNone)
{
    QStringList namen;
    QList<int> codes;
    for (const auto &p : screens::ProvincieLijst()) {
        namen << p.naam;
        codes << p.code;
    }
    ASSERT_EQ(codes, QList<int>({10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 0}));
    EXPECT_EQ(namen.first(), QStringLiteral("Drenthe"));
    EXPECT_EQ(namen.at(11), QStringLiteral("Zuid-Holland"));
    EXPECT_EQ(namen.last(), QStringLiteral("??"));
}

} // namespace
