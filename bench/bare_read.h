#pragma once
// The least reading a floor can do: bare SQLite statements that turn each
// value into what the program goes on with (a whole number, a double or a
// text), with none of the data layer's typing rules or variants.
//
// readCalcInputs reads what the target-fund calculation reads of a site:
// the site record's rates and amounts and, for every cost item, the
// columns the calculation and its input checks read (those of
// calc/kostenposten.h, with the facility's name and object category).

#include "platform/db/jet_collation.h"

#include <QFile>
#include <QString>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <stdexcept>
#include <variant>
#include <vector>

namespace bench {

using BareValue = std::variant<std::monostate, qint64, double, QString>;

// A bare connection, with the collation the data file's indexes need.
class BareDb {
public:
    explicit BareDb(const QString &path)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_h, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open " + path.toStdString());
        db::registerJetCollation(m_h);
    }
    ~BareDb() { sqlite3_close(m_h); }
    BareDb(const BareDb &) = delete;
    BareDb &operator=(const BareDb &) = delete;
    sqlite3 *handle() const { return m_h; }

private:
    sqlite3 *m_h = nullptr;
};

inline BareValue bareValue(sqlite3_stmt *st, int c)
{
    switch (sqlite3_column_type(st, c)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(st, c));
    case SQLITE_FLOAT:
        return sqlite3_column_double(st, c);
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                 sqlite3_column_bytes(st, c));
    default:
        return std::monostate{};
    }
}

// Every row of `sql` (its parameters `params`, whole numbers) appended to
// `out`, value by value; the number of rows.
inline qint64 bareRows(sqlite3 *h, const char *sql, std::initializer_list<qint64> params, std::vector<BareValue> &out)
{
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(h, sql, -1, &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(h));
    int i = 0;
    for (qint64 p : params)
        sqlite3_bind_int64(st, ++i, p);
    const int columns = sqlite3_column_count(st);
    qint64 rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c)
            out.push_back(bareValue(st, c));
        ++rows;
    }
    sqlite3_finalize(st);
    return rows;
}

inline constexpr const char *kBareStort =
    "SELECT idrStort_ID, strStortNaam, intStortType, bytProv_REF, sngRentePerc, sngInflPerc, dtmAanvangNazorg,"
    " intJaarPrijsPeil, bytBedrijfsGebonden, bytObjectGebonden, sngNazorgOpp, sngAlgAppKostenBasis,"
    " sngAppKostenPerc, bytRapEval, sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax, sngAlgCommunicatieKosten,"
    " sngOnvoorzien, sngOntwerpdirectie, sngAlgRisicoBedrag, intCL_REF FROM tblStort WHERE idrStort_ID=?";

inline constexpr const char *kBareKostenposten =
    "SELECT tblAct.bytCombineer, tblAct.bytOptieStart, tblAct.bytStartBA, tblAct.intStartabs, tblAct.intStartrel,"
    " tblAct.intStartBA, tblAct.bytOptieEind, tblAct.bytEindBA, tblAct.intEindabs, tblAct.intEindrel,"
    " tblAct.intEindBA, tblAct.bytOptieKosten, tblAct.sngPercInvest, tblAct.sngKostenInvest, tblAct.sngKostenTotaal,"
    " tblAct.sngKostenPE, tblAct.strEenheid, tblAct.sngAantal, tblAct.bytOptieFreq, tblAct.intfreqX,"
    " tblAct.bytRubriek_REF, tblAct.bytTypeVervangingsToeslag, tblAct.sngVervangingsToeslagPerc, tblAct.idrAct_ID,"
    " tblAct.lngInrichting_REF, tblAct.strAct, tblAct.bytIsQOR, tblInrichting.strObject,"
    " tblInrichting.bytObjectCat_REF"
    " FROM tblInrichting INNER JOIN tblAct ON tblInrichting.idrInrichting_ID = tblAct.lngInrichting_REF"
    " WHERE tblAct.lngStort_REF=? ORDER BY tblAct.idrAct_ID";

// The calculation's inputs of one site, once; the number of cost items.
inline qint64 readCalcInputs(sqlite3 *h, qint64 site)
{
    std::vector<BareValue> values;
    bareRows(h, kBareStort, {site}, values);
    const qint64 items = bareRows(h, kBareKostenposten, {site}, values);
    benchmark::DoNotOptimize(values.data());
    return items;
}

} // namespace bench
