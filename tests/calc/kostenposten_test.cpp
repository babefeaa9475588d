// The cost items as the check and the calculation read them: every field of
// every row, read in any order, gives what the recordset gives for it and
// converts as the recordset's value converts, also for values another
// program may have left in the file (texts and blobs in number columns,
// numbers beyond a column's range).

#include "calc/kostenposten.h"

#include "calc/dv_values.h"
#include "calc_fixture.h"

#include "records/field_read.h"

#include "platform/core/error.h"
#include "platform/db/physical_database.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <cmath>
#include <functional>

namespace {

using calc::Veld;
using calctest::ownItem;

// The result of a conversion, or the number of the error it raised.
template <typename T> QVariant uitkomst(const std::function<T()> &f)
{
    try {
        return QVariant::fromValue(f());
    } catch (const platform::Error &e) {
        return QStringLiteral("fout %1").arg(e.number());
    }
}

std::string toon(const QVariant &v)
{
    return v.isValid() ? std::string(v.typeName()) + " " + v.toString().toStdString() : "Null";
}

class KostenpostenRijenTest : public ::testing::Test {
protected:
    calctest::CalcFixture fx;

    // Stores a value as another program could: past the data layer's rules.
    void zet(qint32 item, const char *veld, const QVariant &waarde)
    {
        fx.con.physical()->execute(
            QStringLiteral("UPDATE tblAct SET %1 = ? WHERE idrAct_ID = ?").arg(QLatin1String(veld)), {waarde, item});
    }
};

TEST_F(KostenpostenRijenTest, EveryFieldReadsAndConvertsAsTheRecordsetsValue)
{
    const qint32 stort = fx.site({{"strStortNaam", QStringLiteral("Vreemd")}, {"intCL_REF", 1}});
    const qint32 voorz = fx.facility(stort, 2, QStringLiteral("Terrein"));
    const qint32 gewoon =
        fx.item(stort, voorz, ownItem(QStringLiteral("Maaien"), {{"sngAantal", 2.5}, {"strEenheid", "m2"}}));
    const qint32 teksten = fx.item(stort, voorz, ownItem(QStringLiteral("Teksten")));
    const qint32 buiten = fx.item(stort, voorz, ownItem(QStringLiteral("Buiten bereik")));
    const qint32 leeg = fx.item(stort, voorz, {{"strAct", QVariant()}, {"bytCombineer", 1}});
    zet(teksten, "bytOptieStart", QStringLiteral("abc"));
    zet(teksten, "intStartRel", QStringLiteral("2,5"));
    zet(teksten, "sngKostenTotaal", QStringLiteral("veel"));
    zet(teksten, "intFreqX", QByteArray("\x01\x02", 2));
    zet(teksten, "strEenheid", QStringLiteral(""));
    zet(teksten, "bytIsQOR", 2.5);
    zet(buiten, "bytRubriek_REF", 300);
    zet(buiten, "bytIsQOR", -1);
    zet(buiten, "intFreqX", 70000);
    zet(buiten, "intStartAbs", qlonglong(10000000000));
    zet(buiten, "sngAantal", 1e300);
    zet(buiten, "strAct", 12);

    calc::Kostenposten posten;
    posten.open(fx.con, stort);
    ASSERT_EQ(posten.size(), 4);
    db::Recordset rs = posten.recordset().Clone();
    std::vector<qint32> ids;
    for (; !rs.EOF_(); rs.MoveNext())
        ids.push_back(rs.Fields(QStringLiteral("idrAct_ID")).Value().toInt());
    EXPECT_EQ(ids, (std::vector<qint32>{gewoon, teksten, buiten, leeg}));

    // Last row first and the fields backwards: each read finds its own row.
    for (int i = posten.size() - 1; i >= 0; --i) {
        rs.MoveFirst();
        rs.Move(i);
        for (int v = calc::kAantalVelden - 1; v >= 0; --v) {
            const Veld veld = Veld(v);
            const char *naam = calc::naam(veld);
            const QVariant verwacht = rs.Fields(QLatin1String(naam)).Value();
            const calc::Kostenpost &post = posten[i];
            SCOPED_TRACE(std::string("row ") + std::to_string(i) + ", " + naam + " = " + toon(verwacht));

            const QVariant gelezen = post.value(veld);
            EXPECT_EQ(gelezen.typeId(), verwacht.typeId());
            EXPECT_EQ(gelezen, verwacht);
            EXPECT_EQ(post.isNull(veld), records::isNullValue(verwacht));

            const modVerifyAnSich::Invoer a = post.invoer(veld), b(verwacht);
            EXPECT_EQ(a.null, b.null);
            EXPECT_EQ(a.ontbreekt, b.ontbreekt);
            EXPECT_EQ(a.isGetal, b.isGetal);
            if (b.isGetal) {
                EXPECT_EQ(a.getal, b.getal);
            }

            EXPECT_EQ(uitkomst<std::uint8_t>([&] { return post.byte(veld); }),
                      uitkomst<std::uint8_t>([&] { return calc::ActRow::asByte(verwacht, naam); }));
            EXPECT_EQ(uitkomst<qint16>([&] { return post.int16(veld); }),
                      uitkomst<qint16>([&] { return calc::ActRow::asInt16(verwacht, naam); }));
            EXPECT_EQ(uitkomst<float>([&] { return post.single(veld); }),
                      uitkomst<float>([&] { return calc::ActRow::asSingle(verwacht, naam); }));
            EXPECT_EQ(post.text(veld), records::toText(verwacht));
        }
    }
}

// A site read again after another keeps nothing of the first.
TEST_F(KostenpostenRijenTest, ReopenedOnAnotherSiteReadsOnlyItsRows)
{
    calc::Kostenposten posten;
    posten.open(fx.con, fx.alfa);
    ASSERT_EQ(posten.size(), 7);
    EXPECT_EQ(posten[6].value(Veld::idrAct_ID).toInt(), fx.aZetting);
    posten.open(fx.con, fx.beta);
    ASSERT_EQ(posten.size(), 7);
    EXPECT_EQ(posten[0].value(Veld::idrAct_ID).toInt(), fx.bBoven);
    EXPECT_EQ(posten[6].text(Veld::strAct),
              fx.scalar(QStringLiteral("SELECT strAct FROM tblAct WHERE idrAct_ID=?"), {fx.bCombinatie}).toString());
    posten.close();
    EXPECT_EQ(posten.size(), 0);
    EXPECT_FALSE(posten.isOpen());
}

} // namespace
