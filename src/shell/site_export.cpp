#include "shell/site_export.h"

#include "shell/ado_xml.h"
#include "shell/program_state.h"

#include "platform/core/error.h"
#include "platform/core/file_error_text.h"
#include "platform/db/catalog.h"
#include "platform/db/connection.h"
#include "platform/db/errors.h"
#include "platform/db/recordset.h"
#include "platform/ui/busy_cursor.h"

#include <QDir>
#include <QSaveFile>

namespace modMain {

namespace {

constexpr long kErrSchrijven = 75; // path/file access error

// The column of the file for a column of the data file, with the data type
// ADO gives the Jet type.
adoxml::Column kolom(const db::ColumnInfo &ci, const QString &table, int number)
{
    adoxml::Column c;
    c.name = ci.name;
    c.number = number;
    c.baseTable = table;
    c.baseColumn = ci.name;
    c.keyColumn = ci.primaryKey;
    c.nullable = !ci.notNull && !ci.primaryKey;
    c.fixedLength = true;
    const auto type = [&](const char *dt, int length, int precision, const char *dbType = "") {
        c.dtType = QLatin1String(dt);
        c.maxLength = length;
        c.precision = precision;
        c.dbType = QLatin1String(dbType);
    };
    switch (ci.kind) {
    case db::JetKind::AutoNumber: type("int", 4, 10); c.autoIncrement = true; break;
    case db::JetKind::Long: type("int", 4, 10); break;
    case db::JetKind::Integer: type("i2", 2, 5); break;
    case db::JetKind::Byte: type("ui1", 1, 3); break;
    case db::JetKind::Single: type("r4", 4, 7); break;
    case db::JetKind::Double: type("float", 8, 15); break;
    case db::JetKind::Currency: type("number", 8, 19, "currency"); break;
    case db::JetKind::Date: type("dateTime", 16, 19, "variantdate"); break;
    case db::JetKind::YesNo: type("boolean", 2, -1); break;
    case db::JetKind::Memo:
        type("string", 536870910, -1);
        c.isLong = true;
        c.fixedLength = false;
        break;
    case db::JetKind::Text:
    case db::JetKind::Unknown:
        type("string", ci.width > 0 ? ci.width : 255, -1);
        c.fixedLength = false;
        break;
    }
    return c;
}

adoxml::RowType rijtype(db::Catalog &cat, const char *table, const QString &name)
{
    adoxml::RowType t;
    t.name = name;
    int number = 0;
    for (const db::ColumnInfo &ci : cat.columns(QLatin1String(table)))
        t.columns.push_back(kolom(ci, QLatin1String(table), ++number));
    return t;
}

// The relation of a chapter: parent column to child column.
void relateer(const adoxml::RowType &parent, adoxml::RowType &child, const char *parentColumn,
              const char *childColumn)
{
    const int p = parent.columnIndex(QLatin1String(parentColumn));
    const int c = child.columnIndex(QLatin1String(childColumn));
    child.relation = {{parent.columns[size_t(p)].number, child.columns[size_t(c)].number}};
}

adoxml::Row rij(const adoxml::RowType &t, const db::Recordset &rs)
{
    adoxml::Row row;
    for (const adoxml::Column &c : t.columns)
        row.values.push_back(adoxml::valueText(c, rs.Fields(c.name).Value()));
    row.chapters.resize(t.chapters.size());
    return row;
}

std::vector<adoxml::Row> rijen(const adoxml::RowType &t, db::Connection &cn, const QString &sql, qint32 id)
{
    std::vector<adoxml::Row> rows;
    db::Recordset rs;
    rs.Open(sql, cn, db::LockType::ReadOnly, {id});
    for (; !rs.EOF_(); rs.MoveNext())
        rows.push_back(rij(t, rs));
    return rows;
}

adoxml::Rowset leesStort(db::Connection &cn, qint32 stortID)
{
    db::Catalog cat(cn);
    adoxml::Rowset rs;
    rs.type = rijtype(cat, "tblStort", QStringLiteral("row"));
    adoxml::RowType tonnage = rijtype(cat, "tblTonnage", QLatin1String(kHoofdstukTonnage));
    adoxml::RowType inr = rijtype(cat, "tblInrichting", QLatin1String(kHoofdstukInrichting));
    adoxml::RowType act = rijtype(cat, "tblAct", QLatin1String(kHoofdstukAct));
    relateer(rs.type, tonnage, "idrStort_ID", "lngStort_REF");
    relateer(rs.type, inr, "idrStort_ID", "lngStort_REF");
    relateer(inr, act, "idrInrichting_ID", "lngInrichting_REF");
    inr.chapters.push_back(std::move(act));
    rs.type.chapters.push_back(std::move(tonnage));
    rs.type.chapters.push_back(std::move(inr));

    rs.rows = rijen(rs.type, cn, QStringLiteral("SELECT * FROM tblStort WHERE idrStort_ID=?"), stortID);
    if (rs.rows.empty())
        throw platform::Error(db::err::kNoCurrentRecord,
                              QStringLiteral("De inrichting met nummer %1 bestaat niet in het databestand.")
                                  .arg(stortID));
    adoxml::Row &stort = rs.rows.front();
    const adoxml::RowType &inrType = rs.type.chapters[1];
    stort.chapters[0] = rijen(rs.type.chapters[0], cn,
                              QStringLiteral("SELECT * FROM tblTonnage WHERE lngStort_REF=? ORDER BY idrTonnage_ID"),
                              stortID);
    stort.chapters[1] = rijen(inrType, cn,
                              QStringLiteral("SELECT * FROM tblInrichting WHERE lngStort_REF=? ORDER BY idrInrichting_ID"),
                              stortID);
    const int inrId = inrType.columnIndex(QStringLiteral("idrInrichting_ID"));
    for (adoxml::Row &voorz : stort.chapters[1])
        voorz.chapters[0] = rijen(inrType.chapters[0], cn,
                                  QStringLiteral("SELECT * FROM tblAct WHERE lngInrichting_REF=? ORDER BY idrAct_ID"),
                                  voorz.values[size_t(inrId)]->toInt());
    return rs;
}

void schrijf(const QString &bestand, const QByteArray &bytes)
{
    // QSaveFile writes a temporary file in the target's folder and renames
    // it over the target on commit.
    QSaveFile f(bestand);
    const auto fout = [&](const QString &reden) {
        QString tekst = QStringLiteral("Het exportbestand '%1' kan niet worden geschreven")
                            .arg(QDir::toNativeSeparators(bestand));
        if (!reden.isEmpty())
            tekst += QStringLiteral(": ") + reden;
        throw platform::Error(kErrSchrijven, tekst);
    };
    if (!f.open(QIODevice::WriteOnly))
        fout(platform::dutchFileError(f));
    if (f.write(bytes) != bytes.size())
        fout(platform::dutchFileError(f));
    if (!f.commit())
        fout(platform::dutchFileError(f));
}

} // namespace

// The hierarchy is built from one query per level on the data file's own
// connection; the rows and columns are those the hierarchical command of
// old gave: the site, its forecast, its facilities and their cost items.
void ExporteerInrichting(const QString &bestand)
{
    ui::BusyCursor busy;
    try {
        db::Connection cn;
        cn.Open(gstrConnData);
        const adoxml::Rowset rs = leesStort(cn, glngStortID);
        cn.Close();
        schrijf(bestand, adoxml::write(rs));
    } catch (const platform::Error &e) {
        throw e.withSource(QStringLiteral("ExporteerInrichting"));
    }
}

} // namespace modMain
