// The page header and footer.

#include "report_fixture.h"
#include "support/item_at.h"

#include "reports/kop_voettekst.h"

#include <gtest/gtest.h>

namespace {

using testsupport::itemAt;

class KopVoettekstTest : public reporttest::WordReportTest {};

TEST_F(KopVoettekstTest, HeaderAndFooterNameTheProgramAndThePages)
{
    doc.Selection().TypeText(QStringLiteral("inhoud"));
    reports::psubInvoegenKopVoettekst(doc, context(fx.alfa));
    doc.Selection().TypeText(QStringLiteral(" verder"));
    const QJsonObject d = saveAndRead();
    EXPECT_EQ(wordtest::bodyTexts(d), QStringList{QStringLiteral("inhoud verder")});
    const QJsonObject kop = itemAt(wordtest::paragraphs(d[QStringLiteral("header")].toArray()), 0).toObject();
    EXPECT_EQ(kop[QStringLiteral("text")].toString(), QStringLiteral("TAVIR 3.0"));
    const QJsonObject run = itemAt(kop[QStringLiteral("runs")].toArray(), 0).toObject();
    EXPECT_EQ(run[QStringLiteral("font")].toString(), QStringLiteral("Arial"));
    EXPECT_EQ(run[QStringLiteral("size")].toDouble(), 7.0);
    EXPECT_TRUE(run[QStringLiteral("italic")].toBool());

    const QJsonArray voet = wordtest::paragraphs(d[QStringLiteral("footer")].toArray());
    ASSERT_EQ(voet.size(), 2);
    EXPECT_EQ(voet[0].toObject()[QStringLiteral("text")].toString(),
              QStringLiteral("Gegenereerd d.d.  5-mrt-2024  09:07"));
    const QJsonObject tweede = voet[1].toObject();
    EXPECT_TRUE(tweede[QStringLiteral("text")].toString().startsWith(QStringLiteral("Afgedrukt d.d. ")));
    EXPECT_TRUE(tweede[QStringLiteral("text")].toString().contains(QStringLiteral("\tpag. ")));
    EXPECT_EQ(tweede[QStringLiteral("fields")].toArray(),
              (QJsonArray{QStringLiteral("DATE  \\@ \"d-MMM-yyyy  HH:mm\" "), QStringLiteral("PAGE  \\* Arabic "),
                          QStringLiteral("NUMPAGES  \\* Arabic ")}));
    const QJsonArray tabs = tweede[QStringLiteral("tabs")].toArray();
    ASSERT_EQ(tabs.size(), 1);
    EXPECT_EQ(tabs[0].toObject()[QStringLiteral("pos")].toDouble(), 15.0);
    EXPECT_EQ(tabs[0].toObject()[QStringLiteral("align")].toInt(), 2);
}

} // namespace
