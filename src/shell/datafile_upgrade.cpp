#include "shell/datafile_upgrade.h"

#include "shell/datafile_version.h"
#include "shell/program_info.h"
#include "shell/program_state.h"

#include "platform/core/error.h"
#include "platform/db/catalog.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/ui/dialogs.h"

namespace modCompress {

namespace {

struct NieuwVeld {
    const char *tabel;
    const char *veld;
    db::JetKind soort;
    bool verplicht;      // not Nullable, with default 0
    const char *vulling; // what follows "UPDATE <table> SET <column>"; nullptr: no fill
};

// The columns later versions added, in the order they are added; the
// widening of tblAct.strEenheid runs between the last of tblStort and the
// first of tblAct.
const NieuwVeld kStortVelden[] = {
    {"tblStort", "sngAppKostenPerc", db::JetKind::Single, false, "=3;"},
    {"tblStort", "sngRapEvalPerHa", db::JetKind::Currency, false, "=225;"},
    {"tblStort", "sngOnvoorzien", db::JetKind::Single, false, "=10;"},
    {"tblStort", "sngOntwerpdirectie", db::JetKind::Single, false, "=12;"},
    {"tblStort", "memStandaardExportDir", db::JetKind::Memo, false, "='c:\\'"},
    // 1 January of the old after-care year; an empty year gives an empty date.
    {"tblStort", "dtmAanvangNazorg", db::JetKind::Date, false,
     "= CASE WHEN intJaarNazorg IS NULL THEN NULL "
     "ELSE printf('%04d-01-01 00:00:00', intJaarNazorg + 0) END"},
    {"tblStort", "sngRapEvalMin", db::JetKind::Currency, false, "= 3500"},
    {"tblStort", "sngRapEvalMax", db::JetKind::Currency, false, "= 9000"},
    {"tblStort", "bytRapEval", db::JetKind::Byte, false, "=0"},
};

const NieuwVeld kActVelden[] = {
    {"tblAct", "bytCombineer", db::JetKind::Byte, true, "=0"},
    {"tblAct", "bytTypeVervangingsToeslag", db::JetKind::Byte, true, "=0"},
    {"tblAct", "sngVervangingsToeslagPerc", db::JetKind::Single, false, nullptr},
};

const char *const kDatumVeld = "dtmAanvangNazorg";

void vulDatumAanvangNazorg(db::Connection &cn, const QString &sql)
{
    // A failure here is reported and leaves the new dates empty; the
    // savepoint keeps the rest of the upgrade intact.
    cn.BeginTrans();
    try {
        cn.Execute(sql);
        cn.CommitTrans();
    } catch (const platform::Error &) {
        cn.RollbackTrans();
        ui::MsgBox(QStringLiteral("Fout bij automatisch invullen datum aanvang nazorg. Controleer de datums "
                                  "aanvang nazorg in alle stortplaatsen in deze dataset."),
                   ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Aanmaken veld 'datum aanvang nazorg'"));
    }
}

void voegToe(db::Connection &cn, db::Catalog &cat, const NieuwVeld &stap)
{
    const QString tabel = QLatin1String(stap.tabel);
    const QString veld = QLatin1String(stap.veld);
    if (cat.hasColumn(tabel, veld))
        return;
    db::ColumnSpec spec;
    spec.name = veld;
    spec.kind = stap.soort;
    spec.notNull = stap.verplicht;
    if (stap.verplicht)
        spec.defaultValue = 0;
    cat.addColumn(tabel, spec);
    if (!stap.vulling)
        return;
    const QString sql =
        QStringLiteral("UPDATE ") + tabel + QStringLiteral(" SET ") + veld + QString::fromUtf8(stap.vulling);
    if (veld == QLatin1String(kDatumVeld))
        vulDatumAanvangNazorg(cn, sql);
    else
        cn.Execute(sql);
}

// Files of earlier versions declare their text columns with a collation
// only this program knows, so that other SQLite tools can neither check nor
// query them. The program itself reads both, so this is no step a file must
// take: a file that cannot be written keeps its old collation, and the
// upgrade goes on.
void standaardSortering(db::Connection &cn, db::Catalog &cat)
{
    if (cn.isReadOnly())
        return;
    cn.BeginTrans();
    try {
        cat.useStandardTextCollation();
        cn.CommitTrans();
    } catch (const platform::Error &) {
        cn.RollbackTrans();
    }
}

void verbreedEenheid(db::Catalog &cat)
{
    const auto eenheid = cat.column(QStringLiteral("tblAct"), QStringLiteral("strEenheid"));
    if (eenheid && eenheid->kind == db::JetKind::Text && eenheid->width == 20)
        cat.widenText(QStringLiteral("tblAct"), QStringLiteral("strEenheid"), 50);
}

// Writes the program version number into the version row when it differs.
bool stempelVersie(db::Connection &cn)
{
    const qint32 programma = modMain::pfunProgVersieNr();
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT strSYSvalue FROM tblSYS WHERE strSYS_ID='versie'"), cn, db::LockType::ReadOnly);
    const bool heeftRij = !rs.EOF_();
    qint32 huidig = 0;
    const bool leesbaar =
        heeftRij && pfunLeesVersieTekst(rs.Fields(QStringLiteral("strSYSvalue")).Value().toString(), &huidig);
    rs.Close();
    if (leesbaar && huidig == programma)
        return false;
    const QString tekst = QString::number(programma);
    if (heeftRij)
        cn.Execute(QStringLiteral("UPDATE tblSYS SET strSYSvalue=? WHERE strSYS_ID='versie'"), {tekst});
    else
        cn.Execute(QStringLiteral("INSERT INTO tblSYS (strSYS_ID, strSYSvalue) VALUES ('versie', ?)"), {tekst});
    return true;
}

} // namespace

bool UpgradeDatabestand(const QString &connectionString)
{
    bool gestempeld = false;
    try {
        db::Connection cn;
        cn.Open(connectionString);
        db::Catalog cat(cn);
        cn.BeginTrans();
        try {
            standaardSortering(cn, cat);
            for (const NieuwVeld &stap : kStortVelden)
                voegToe(cn, cat, stap);
            verbreedEenheid(cat);
            for (const NieuwVeld &stap : kActVelden)
                voegToe(cn, cat, stap);
            gestempeld = stempelVersie(cn);
            cn.CommitTrans();
        } catch (...) {
            cn.RollbackTrans();
            throw;
        }
        cn.Close();
    } catch (const platform::Error &e) {
        throw e.withSource(QStringLiteral("UpgradeDatabestand"));
    }
    if (gestempeld)
        ui::MsgBox(QStringLiteral("Het databestand is bijgewerkt naar het format van de huidige TAVIR versie."),
                   ui::Buttons::OK, ui::Icon::Information, QStringLiteral("Upgraden databestand"));
    return gestempeld;
}

void UpgradeDatabestand()
{
    UpgradeDatabestand(modMain::gstrConnData);
}

} // namespace modCompress
