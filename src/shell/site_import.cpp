#include "shell/site_import.h"

#include "shell/program_state.h"
#include "shell/site_export.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/core/file_error_text.h"
#include "platform/db/catalog.h"
#include "platform/db/connection.h"
#include "platform/db/jet_types.h"
#include "platform/db/recordset.h"
#include "platform/db/table_insert.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace modMain {

namespace {

constexpr qint64 kMaxBytes = 64 * 1024 * 1024; // far beyond any site
constexpr int kMaxNaam = 50;
const QString kTitel = QStringLiteral("Importeren inrichting");

// The values of a new row, in the order of the level's own columns
// (Niveau::kopieer).
using Velden = QVariantList;

bool gelijk(const QString &a, const char *b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// 1 January of an after-care year; invalid for none. A fractional year is
// rounded half to even, as the Integer column `intJaarNazorg` stores it,
// so that the year and the start of after-care agree.
QDate eersteJanuari(const QVariant &jaar)
{
    if (db::isNull(jaar))
        return QDate();
    bool ok = false;
    const double j = db::roundHalfEven(jaar.toDouble(&ok));
    if (!ok || !(j >= -32768.0 && j <= 32767.0))
        return QDate();
    return QDate(int(j), 1, 1);
}

// One table of the data file and the level of the file that fills it.
struct Niveau {
    const char *tabel;
    const char *sleutel;               // the AutoNumber, never copied
    std::vector<const char *> eigen;   // columns the import sets itself
    std::vector<const char *> vereist; // columns the file must have
    const adoxml::RowType *type = nullptr;
    std::vector<db::ColumnInfo> kolommen;
    // Per column of the table: its column in the file (-1 when the file
    // lacks it) and whether the import sets it itself.
    std::vector<int> bron;
    std::vector<bool> eigenKolom;

    void koppel()
    {
        bron.clear();
        eigenKolom.clear();
        for (const db::ColumnInfo &ci : kolommen) {
            bron.push_back(type->columnIndex(ci.name));
            eigenKolom.push_back(isEigen(ci.name));
        }
    }

    // The columns a row of the file fills, then those the import sets.
    QStringList kopieer() const
    {
        QStringList namen;
        for (size_t k = 0; k < kolommen.size(); ++k)
            if (!eigenKolom[k])
                namen << kolommen[k].name;
        for (const char *e : eigen)
            namen << QLatin1String(e);
        return namen;
    }

    // The file's column `kolom` (-1 when it lacks it).
    int index(const char *kolom) const { return type->columnIndex(QLatin1String(kolom)); }

    bool isEigen(const QString &kolom) const
    {
        if (gelijk(kolom, sleutel))
            return true;
        for (const char *e : eigen)
            if (gelijk(kolom, e))
                return true;
        return false;
    }
};

class Import {
public:
    explicit Import(const QString &bestand) : m_bestand(bestand) {}

    bool run(qint32 &nieuwID, QString &naam)
    {
        const adoxml::Rowset rs = leesBestand();
        m_cn.Open(gstrConnData, {"tblStort", "tblInrichting", "tblAct", "tblTonnage", "tblProv", "tblObjectCat"});
        bereidNiveausVoor(rs);
        controleerAlles(rs.rows.front());

        QString gekozen = rs.type.columnIndex(QStringLiteral("strStortNaam")) >= 0
                              ? pfunImportVeld(rs.type, rs.rows.front(), QStringLiteral("strStortNaam")).toString()
                              : QString();
        if (!kiesNaam(gekozen)) {
            nieuwID = 0;
            return true;
        }
        nieuwID = schrijf(rs.rows.front(), gekozen);
        naam = gekozen;
        return true;
    }

private:
    [[noreturn]] void weiger(const QString &reden) const
    {
        throw platform::Error(adoxml::kErrOngeldigBestand,
                              QStringLiteral("Het bestand '%1' kan niet worden geïmporteerd: %2")
                                  .arg(QDir::toNativeSeparators(m_bestand), reden));
    }

    adoxml::Rowset leesBestand() const
    {
        QFile f(m_bestand);
        if (!f.exists())
            throw platform::Error(
                kErrBestandNietGevonden,
                QStringLiteral("Het bestand '%1' bestaat niet.").arg(QDir::toNativeSeparators(m_bestand)));
        if (!f.open(QIODevice::ReadOnly))
            throw platform::Error(
                kErrLezen,
                QStringLiteral("Het bestand '%1' kan niet worden gelezen").arg(QDir::toNativeSeparators(m_bestand))
                    + platform::inParentheses(platform::dutchFileError(f)));
        if (f.size() > kMaxBytes)
            weiger(QStringLiteral("het is te groot voor een exportbestand van een inrichting."));
        adoxml::Rowset rs;
        try {
            rs = adoxml::read(f.readAll());
        } catch (const platform::Error &e) {
            weiger(e.description());
        }
        const QString geen = QStringLiteral("het is geen exportbestand van een inrichting (%1).");
        if (rs.type.columnIndex(QStringLiteral("strStortNaam")) < 0)
            weiger(geen.arg(QStringLiteral("de kolom strStortNaam ontbreekt")));
        const auto hoofdstuk = [&](const adoxml::RowType &t, const char *naam) {
            const int i = t.chapterIndex(QLatin1String(naam));
            if (i < 0)
                weiger(geen.arg(QStringLiteral("het deel %1 ontbreekt").arg(QLatin1String(naam))));
            return i;
        };
        hoofdstuk(rs.type, kHoofdstukTonnage);
        const int inr = hoofdstuk(rs.type, kHoofdstukInrichting);
        hoofdstuk(rs.type.chapters[size_t(inr)], kHoofdstukAct);
        if (rs.rows.size() != 1)
            weiger(QStringLiteral("het bevat %1 inrichtingen in plaats van één.").arg(rs.rows.size()));
        return rs;
    }

    void bereidNiveausVoor(const adoxml::Rowset &rs)
    {
        const adoxml::RowType &inr =
            rs.type.chapters[size_t(rs.type.chapterIndex(QLatin1String(kHoofdstukInrichting)))];
        m_stort = {"tblStort", "idrStort_ID", {"strStortNaam"}, {"strStortNaam"}, &rs.type, {}, {}, {}};
        m_tonnage = {"tblTonnage",
                     "idrTonnage_ID",
                     {"lngStort_REF"},
                     {"intKalJaar", "lngTonnage"},
                     &rs.type.chapters[size_t(rs.type.chapterIndex(QLatin1String(kHoofdstukTonnage)))],
                     {},
                     {},
                     {}};
        m_inr = {
            "tblInrichting", "idrInrichting_ID", {"lngStort_REF"}, {"bytObjectCat_REF", "strObject"}, &inr, {}, {}, {}};
        m_act = {"tblAct",
                 "idrAct_ID",
                 {"lngStort_REF", "lngInrichting_REF"},
                 {"bytRubriek_REF", "strAct"},
                 &inr.chapters[size_t(inr.chapterIndex(QLatin1String(kHoofdstukAct)))],
                 {},
                 {},
                 {}};
        db::Catalog cat(m_cn);
        for (Niveau *n : {&m_stort, &m_tonnage, &m_inr, &m_act}) {
            n->kolommen = cat.columns(QLatin1String(n->tabel));
            n->koppel();
            for (const char *v : n->vereist)
                if (n->type->columnIndex(QLatin1String(v)) < 0)
                    weiger(
                        QStringLiteral("de kolom %1 van %2 ontbreekt.").arg(QLatin1String(v), QLatin1String(n->tabel)));
        }
        m_provincies = codes(QStringLiteral("SELECT bytProv_ID FROM tblProv"));
        m_categorieen = codes(QStringLiteral("SELECT bytObjectCat_ID FROM tblObjectCat"));
    }

    QSet<qint64> codes(const QString &sql)
    {
        QSet<qint64> set;
        db::Recordset rs;
        rs.Open(sql, m_cn);
        for (; !rs.EOF_(); rs.MoveNext())
            set.insert(rs.Fields(0).Value().toLongLong());
        return set;
    }

    // The value of column i of a row in the file; Null when absent (-1).
    static QVariant waarde(const Niveau &n, const adoxml::Row &row, int i)
    {
        return i < 0 ? QVariant() : adoxml::typedValue(n.type->columns[size_t(i)], row.values[size_t(i)]);
    }

    // Every value the data file will take must fit its column.
    void controleerWaarden(const Niveau &n, const adoxml::Row &row) const
    {
        for (size_t k = 0; k < n.kolommen.size(); ++k) {
            const db::ColumnInfo &ci = n.kolommen[k];
            const int i = n.bron[k];
            if (i < 0 || n.eigenKolom[k])
                continue;
            QVariant v = adoxml::typedValue(n.type->columns[size_t(i)], row.values[size_t(i)]);
            try {
                v = db::checkedValue({ci.kind, ci.width}, v, QLatin1String(n.tabel), ci.name);
            } catch (const platform::Error &e) {
                weiger(e.description());
            }
            if (ci.notNull && db::isNull(v))
                weiger(QStringLiteral("het veld %1 van %2 is leeg.").arg(ci.name, QLatin1String(n.tabel)));
        }
    }

    void controleerCode(const Niveau &n, const adoxml::Row &row, int kolom, const QSet<qint64> &bekend, bool leegMag,
                        const QString &wat) const
    {
        const QVariant v = waarde(n, row, kolom);
        if (db::isNull(v) ? !leegMag : !bekend.contains(v.toLongLong()))
            weiger(QStringLiteral("%1 '%2' is onbekend.").arg(wat, v.toString()));
    }

    // A reference that the file holds must name the row it is nested under.
    void controleerVerwijzing(const Niveau &n, const adoxml::Row &row, const char *kolom, int i,
                              const QVariant &ouder) const
    {
        const QVariant v = waarde(n, row, i);
        if (!db::isNull(v) && !db::isNull(ouder) && v.toLongLong() != ouder.toLongLong())
            weiger(QStringLiteral("de verwijzing %1 = %2 in %3 hoort niet bij de rij waaronder ze staat.")
                       .arg(QLatin1String(kolom), v.toString(), QLatin1String(n.tabel)));
    }

    void controleerAlles(const adoxml::Row &stort) const
    {
        static const QSet<qint64> rubrieken{1, 2, 3, 4, 5, 6};
        controleerWaarden(m_stort, stort);
        controleerCode(m_stort, stort, m_stort.index("bytProv_REF"), m_provincies, true,
                       QStringLiteral("De provinciecode"));
        const QVariant stortID = waarde(m_stort, stort, m_stort.index("idrStort_ID"));
        const int tonnageStort = m_tonnage.index("lngStort_REF");
        for (const adoxml::Row &t : hoofdstuk(stort, m_stort, kHoofdstukTonnage)) {
            controleerWaarden(m_tonnage, t);
            controleerVerwijzing(m_tonnage, t, "lngStort_REF", tonnageStort, stortID);
        }
        const int inrStort = m_inr.index("lngStort_REF"), inrCategorie = m_inr.index("bytObjectCat_REF"),
                  inrID = m_inr.index("idrInrichting_ID");
        const int actStort = m_act.index("lngStort_REF"), actInr = m_act.index("lngInrichting_REF"),
                  actRubriek = m_act.index("bytRubriek_REF");
        for (const adoxml::Row &inr : hoofdstuk(stort, m_stort, kHoofdstukInrichting)) {
            controleerWaarden(m_inr, inr);
            controleerVerwijzing(m_inr, inr, "lngStort_REF", inrStort, stortID);
            controleerCode(m_inr, inr, inrCategorie, m_categorieen, false, QStringLiteral("De objectcategorie"));
            const QVariant inrWaarde = waarde(m_inr, inr, inrID);
            for (const adoxml::Row &act : hoofdstuk(inr, m_inr, kHoofdstukAct)) {
                controleerWaarden(m_act, act);
                controleerVerwijzing(m_act, act, "lngStort_REF", actStort, stortID);
                controleerVerwijzing(m_act, act, "lngInrichting_REF", actInr, inrWaarde);
                controleerCode(m_act, act, actRubriek, rubrieken, false, QStringLiteral("De rubriek"));
            }
        }
    }

    static const std::vector<adoxml::Row> &hoofdstuk(const adoxml::Row &row, const Niveau &n, const char *naam)
    {
        return row.chapters[size_t(n.type->chapterIndex(QLatin1String(naam)))];
    }

    bool naamBestaat(const QString &naam)
    {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT count(*) FROM tblStort WHERE strStortNaam=?"), m_cn, db::LockType::ReadOnly,
                {naam});
        return rs.Fields(0).Value().toLongLong() > 0;
    }

    static QString lengtePrompt(const QString &naam)
    {
        return QStringLiteral("De lengte van de naam mag maximaal 50 tekens bedragen. U heeft %1 tekens ingevoerd.\n"
                              "Voer een kortere naam in.")
            .arg(naam.size());
    }

    // Why `naam` cannot be the new site's name, as the question for another
    // one; empty when it can.
    QString naamVraag(const QString &naam)
    {
        // A name of blanks only is no name, like an empty one.
        if (naam.trimmed().isEmpty())
            return QStringLiteral("De naam van de inrichting is leeg of bestaat alleen uit spaties.\n"
                                  "Voer een naam in.");
        if (naam.size() > kMaxNaam)
            return lengtePrompt(naam);
        if (naamBestaat(naam))
            return QStringLiteral("De naam '") + naam
                   + QStringLiteral("' komt reeds voor in uw databestand.\nVoer een andere naam in.");
        return QString();
    }

    // Makes `naam` a free name of at most 50 characters; false when the
    // user gave up.
    bool kiesNaam(QString &naam)
    {
        for (;;) {
            const QString vraag = naamVraag(naam);
            if (vraag.isEmpty())
                return true;
            ui::resetCursor();
            QString antwoord = ui::InputBox(vraag, kTitel, naam);
            while (antwoord.size() > kMaxNaam)
                antwoord = ui::InputBox(lengtePrompt(antwoord), kTitel, antwoord);
            if (antwoord.isEmpty())
                return false;
            ui::setBusyCursor();
            naam = antwoord;
        }
    }

    // The fields of a new row from a row of the file, in the order of
    // Niveau::kopieer without the import's own.
    static Velden velden(const Niveau &n, const adoxml::Row &row)
    {
        Velden v;
        v.reserve(qsizetype(n.kolommen.size()));
        for (size_t k = 0; k < n.kolommen.size(); ++k) {
            if (n.eigenKolom[k])
                continue;
            const db::ColumnInfo &ci = n.kolommen[k];
            const int i = n.bron[k];
            QVariant w = i >= 0 ? adoxml::typedValue(n.type->columns[size_t(i)], row.values[size_t(i)])
                                : pfunImportVeld(*n.type, row, ci.name);
            // A 0 that stands for a missing date is Jet's day 0.
            if (ci.kind == db::JetKind::Date && w.typeId() == QMetaType::Int)
                w = QDateTime(QDate(1899, 12, 30).addDays(w.toInt()), QTime(0, 0));
            v << std::move(w);
        }
        return v;
    }

    static QVariant *veld(const Niveau &n, Velden &v, const char *naam)
    {
        qsizetype p = 0;
        for (size_t k = 0; k < n.kolommen.size(); ++k) {
            if (n.eigenKolom[k])
                continue;
            if (gelijk(n.kolommen[k].name, naam))
                return &v[p];
            ++p;
        }
        return nullptr;
    }

    static qint32 voegToe(db::TableInsert &insert, Velden v, std::initializer_list<QVariant> eigen)
    {
        for (const QVariant &w : eigen)
            v << w;
        return qint32(insert.insert(v));
    }

    // Adds the site with everything under it in one transaction.
    qint32 schrijf(const adoxml::Row &stort, const QString &naam)
    {
        // First every field (and every message about a missing one), then
        // the rows.
        Velden site = velden(m_stort, stort);
        QVariant *aanvang = veld(m_stort, site, "dtmAanvangNazorg");
        const QVariant *jaar = veld(m_stort, site, "intJaarNazorg");
        if (aanvang && jaar && db::isNull(*aanvang) && eersteJanuari(*jaar).isValid())
            *aanvang = QDateTime(eersteJanuari(*jaar), QTime(0, 0));
        // The site list joins the provinces: a site without a province code
        // would be imported but never listed. 0 is "none".
        if (QVariant *prov = veld(m_stort, site, "bytProv_REF"); prov && db::isNull(*prov))
            *prov = 0;
        std::vector<Velden> tonnage;
        for (const adoxml::Row &t : hoofdstuk(stort, m_stort, kHoofdstukTonnage))
            tonnage.push_back(velden(m_tonnage, t));
        std::vector<std::pair<Velden, std::vector<Velden>>> voorzieningen;
        for (const adoxml::Row &inr : hoofdstuk(stort, m_stort, kHoofdstukInrichting)) {
            std::vector<Velden> acts;
            for (const adoxml::Row &act : hoofdstuk(inr, m_inr, kHoofdstukAct))
                acts.push_back(velden(m_act, act));
            voorzieningen.emplace_back(velden(m_inr, inr), std::move(acts));
        }

        m_cn.BeginTrans();
        try {
            // One prepared statement per table for all its rows.
            db::TableInsert stortIn(m_cn, QLatin1String(m_stort.tabel), m_stort.kopieer());
            db::TableInsert tonnageIn(m_cn, QLatin1String(m_tonnage.tabel), m_tonnage.kopieer());
            db::TableInsert inrIn(m_cn, QLatin1String(m_inr.tabel), m_inr.kopieer());
            db::TableInsert actIn(m_cn, QLatin1String(m_act.tabel), m_act.kopieer());
            const qint32 id = voegToe(stortIn, std::move(site), {naam});
            for (Velden &t : tonnage)
                voegToe(tonnageIn, std::move(t), {id});
            for (auto &[inr, acts] : voorzieningen) {
                const qint32 inrID = voegToe(inrIn, std::move(inr), {id});
                for (Velden &act : acts)
                    voegToe(actIn, std::move(act), {id, inrID});
            }
            m_cn.CommitTrans();
            return id;
        } catch (...) {
            m_cn.RollbackTrans();
            throw;
        }
    }

    QString m_bestand;
    db::Connection m_cn;
    Niveau m_stort, m_tonnage, m_inr, m_act;
    QSet<qint64> m_provincies, m_categorieen;
};

} // namespace

bool ImporteerInrichting(const QString &bestand, qint32 &lngNieuwID, QString &strNaam)
{
    ui::BusyCursor busy;
    try {
        return Import(bestand).run(lngNieuwID, strNaam);
    } catch (const platform::Error &e) {
        throw e.withSource(QStringLiteral("ImporteerInrichting"));
    }
}

QVariant pfunImportVeld(const adoxml::RowType &type, const adoxml::Row &row, const QString &veld)
{
    const int i = type.columnIndex(veld);
    if (i >= 0)
        return adoxml::typedValue(type.columns[size_t(i)], row.values[size_t(i)]);
    if (gelijk(veld, "memStandaardExportDir"))
        return QStringLiteral("c:\\");
    if (gelijk(veld, "dtmAanvangNazorg")) {
        const int j = type.columnIndex(QStringLiteral("intJaarNazorg"));
        const QVariant jaar = j < 0 ? QVariant() : adoxml::typedValue(type.columns[size_t(j)], row.values[size_t(j)]);
        const QDate d = eersteJanuari(jaar);
        return d.isValid() ? QVariant(QDateTime(d, QTime(0, 0))) : QVariant();
    }
    if (gelijk(veld, "sngAppKostenPerc"))
        return 3;
    if (gelijk(veld, "sngRapEvalPerHa"))
        return 225;
    if (gelijk(veld, "bytCombineer") || gelijk(veld, "bytTypeVervangingsToeslag")
        || gelijk(veld, "sngVervangingsToeslagPerc"))
        return 0;
    const bool busy = ui::isBusyCursor();
    ui::resetCursor();
    ui::MsgBox(QStringLiteral("Het veld '") + veld
                   + QStringLiteral("' bestaat niet in de geïmporteerde dataset. Er zal een waarde 0 worden ingevuld "
                                    "in dit veld."),
               ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Ontbrekend veld in importbestand"));
    if (busy)
        ui::setBusyCursor();
    return 0;
}

} // namespace modMain
