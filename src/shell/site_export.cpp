#include "shell/site_export.h"

#include "shell/ado_xml.h"
#include "shell/program_state.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/catalog.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/os/replacing_file.h"
#include "platform/ui/busy_cursor.h"

#include <QDir>

namespace modMain {

namespace {

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
    case db::JetKind::AutoNumber:
        type("int", 4, 10);
        c.autoIncrement = true;
        break;
    case db::JetKind::Long:
        type("int", 4, 10);
        break;
    case db::JetKind::Integer:
        type("i2", 2, 5);
        break;
    case db::JetKind::Byte:
        type("ui1", 1, 3);
        break;
    case db::JetKind::Single:
        type("r4", 4, 7);
        break;
    case db::JetKind::Double:
        type("float", 8, 15);
        break;
    case db::JetKind::Currency:
        type("number", 8, 19, "currency");
        break;
    case db::JetKind::Date:
        type("dateTime", 16, 19, "variantdate");
        break;
    case db::JetKind::YesNo:
        type("boolean", 2, -1);
        break;
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
void relateer(const adoxml::RowType &parent, adoxml::RowType &child, const char *parentColumn, const char *childColumn)
{
    const int p = parent.columnIndex(QLatin1String(parentColumn));
    const int c = child.columnIndex(QLatin1String(childColumn));
    child.relation = {{parent.columns[size_t(p)].number, child.columns[size_t(c)].number}};
}

// One level's rows, read from one query and handed to the writer row by
// row with the values of the file's columns.
class Niveau {
public:
    Niveau(const adoxml::RowType &type, db::Connection &cn, const QString &sql, qint32 id) : m_type(type)
    {
        m_rs.Open(sql, cn, db::LockType::ReadOnly, {id});
        // Each column's field is looked up once, not again for every row.
        m_velden.reserve(type.columns.size());
        for (const adoxml::Column &c : type.columns) {
            const int i = m_rs.fieldIndex(c.name);
            if (i < 0)
                m_rs.Fields(c.name); // raises the unknown-field error
            m_velden.push_back(i);
        }
        m_waarden.resize(type.columns.size());
    }

    bool klaar() const { return m_rs.EOF_(); }
    // The field of a column, looked up once.
    int veld(const char *kolom) const
    {
        const int i = m_rs.fieldIndex(QLatin1String(kolom));
        if (i < 0)
            m_rs.Fields(QLatin1String(kolom)); // raises the unknown-field error
        return i;
    }
    QVariant waarde(int veld) const { return m_rs.Fields(veld).Value(); }

    // Writes the current row and moves on.
    void schrijf(adoxml::RowWriter &w, bool hoofdstukRijenVolgen)
    {
        m_rs.fieldValues(m_velden, m_waarden.data());
        w.beginRow(m_type, m_waarden.data(), hoofdstukRijenVolgen);
        m_rs.MoveNext();
    }

private:
    const adoxml::RowType &m_type;
    db::Recordset m_rs;
    std::vector<int> m_velden;
    std::vector<const QVariant *> m_waarden;
};

QByteArray exportBestand(db::Connection &cn, qint32 stortID)
{
    db::Catalog cat(cn);
    adoxml::RowType stortType = rijtype(cat, "tblStort", QStringLiteral("row"));
    adoxml::RowType tonnage = rijtype(cat, "tblTonnage", QLatin1String(kHoofdstukTonnage));
    adoxml::RowType inr = rijtype(cat, "tblInrichting", QLatin1String(kHoofdstukInrichting));
    adoxml::RowType act = rijtype(cat, "tblAct", QLatin1String(kHoofdstukAct));
    relateer(stortType, tonnage, "idrStort_ID", "lngStort_REF");
    relateer(stortType, inr, "idrStort_ID", "lngStort_REF");
    relateer(inr, act, "idrInrichting_ID", "lngInrichting_REF");
    inr.chapters.push_back(std::move(act));
    stortType.chapters.push_back(std::move(tonnage));
    stortType.chapters.push_back(std::move(inr));
    const adoxml::RowType &tonnageType = stortType.chapters[0];
    const adoxml::RowType &inrType = stortType.chapters[1];
    const adoxml::RowType &actType = inrType.chapters[0];

    Niveau stort(stortType, cn, QStringLiteral("SELECT * FROM tblStort WHERE idrStort_ID=?"), stortID);
    if (stort.klaar())
        throw platform::Error(
            db::err::kNoCurrentRecord,
            QStringLiteral("De inrichting met nummer %1 bestaat niet in het databestand.").arg(stortID));
    Niveau tonnages(tonnageType, cn,
                    QStringLiteral("SELECT * FROM tblTonnage WHERE lngStort_REF=? ORDER BY idrTonnage_ID"), stortID);
    Niveau voorzieningen(inrType, cn,
                         QStringLiteral("SELECT * FROM tblInrichting WHERE lngStort_REF=? ORDER BY idrInrichting_ID"),
                         stortID);
    // The cost items of all facilities in one query, in the order of their
    // facilities and within each by id: each facility takes the run of rows
    // that refer to it.
    Niveau acts(actType, cn,
                QStringLiteral("SELECT tblAct.* FROM tblInrichting JOIN tblAct ON lngInrichting_REF = idrInrichting_ID"
                               " WHERE tblInrichting.lngStort_REF=? ORDER BY idrInrichting_ID, idrAct_ID"),
                stortID);

    adoxml::RowWriter w(stortType);
    const bool stortHeeftRijen = !tonnages.klaar() || !voorzieningen.klaar();
    stort.schrijf(w, stortHeeftRijen);
    while (!tonnages.klaar())
        tonnages.schrijf(w, false);
    const int inrID = voorzieningen.veld("idrInrichting_ID"), actInr = acts.veld("lngInrichting_REF");
    while (!voorzieningen.klaar()) {
        const qlonglong id = voorzieningen.waarde(inrID).toLongLong();
        const auto hoortBij = [&] { return !acts.klaar() && acts.waarde(actInr).toLongLong() == id; };
        const bool heeftActs = hoortBij();
        voorzieningen.schrijf(w, heeftActs);
        while (hoortBij())
            acts.schrijf(w, false);
        if (heeftActs)
            w.endRow();
    }
    if (stortHeeftRijen)
        w.endRow();
    return w.finish();
}

void schrijf(const QString &bestand, const QByteArray &bytes)
{
    // A temporary file in the target's folder is renamed over the target
    // once it is complete; what an export killed midway left there goes
    // first.
    os::removeLeftoversBeside(bestand);
    os::ReplacingFile f(bestand);
    const auto fout = [&](const QString &reden) {
        QString tekst =
            QStringLiteral("Het exportbestand '%1' kan niet worden geschreven").arg(QDir::toNativeSeparators(bestand));
        if (!reden.isEmpty())
            tekst += QStringLiteral(": ") + reden;
        throw platform::Error(kErrSchrijven, tekst);
    };
    if (!f.open() || !f.write(bytes) || !f.commit())
        fout(f.errorString());
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
        const QByteArray bytes = exportBestand(cn, glngStortID);
        cn.Close();
        schrijf(bestand, bytes);
    } catch (const platform::Error &e) {
        throw e.withSource(QStringLiteral("ExporteerInrichting"));
    }
}

} // namespace modMain
