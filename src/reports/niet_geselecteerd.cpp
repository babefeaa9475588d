// The checklist items a site does not use.

#include "reports/niet_geselecteerd.h"

#include "records/clsAct.h"
#include "records/field_read.h"

#include "platform/core/error.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/text/format.h"

#include <QSet>
#include <utility>
#include <vector>

namespace reports {

namespace {

const QString CRLF = QStringLiteral("\r\n");

QString rubriekNaam(int r)
{
    static const char *const namen[] = {"Instandhouden", "Controlemetingen", "Inspecties",
                                        "Onderhoud",     "Vervanging",       "Overig"};
    return r >= 1 && r <= 6 ? QString::fromLatin1(namen[r - 1]) : QString();
}

// The checklist item ids that the site's cost items use, from the "|"
// separated list of the cost items. An empty list stands as 0, which no
// item has; a piece that is no number (an item without its reference) is
// left out.
QVariantList gebruikteItems(const WordReportContext &ctx, const std::optional<QString> &checklistRefs)
{
    QSet<qint32> ids;
    const QString refs = checklistRefs ? *checklistRefs : records::clsAct(ctx).strAlleChecklistRefs();
    for (const QString &piece : refs.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint32 id = piece.trimmed().toInt(&ok);
        if (ok)
            ids.insert(id);
    }
    QVariantList list;
    for (qint32 id : ids)
        list << id;
    if (list.isEmpty())
        list << 0;
    return list;
}

} // namespace

std::optional<QString> checklistRefsVan(const db::Recordset &rijen, const WordReportContext &ctx)
{
    if (!rijen.isOpen())
        return std::nullopt;
    // tblAct's own; where a join leaves it a name of its own, SQLite names
    // it "lngStort_REF:1".
    int fStort = -1;
    for (int f = 0; f < rijen.FieldCount() && fStort < 0; ++f) {
        const QString naam = rijen.Fields(f).Name();
        if (rijen.Fields(f).table().compare(QLatin1String("tblAct"), Qt::CaseInsensitive) == 0
            && (naam.compare(QLatin1String("lngStort_REF"), Qt::CaseInsensitive) == 0
                || naam.startsWith(QLatin1String("lngStort_REF:"), Qt::CaseInsensitive)))
            fStort = f;
    }
    const int fQOR = rijen.fieldIndex(QLatin1String("bytIsQOR"));
    const int fRef = rijen.fieldIndex(QLatin1String("lngClitem_REF"));
    if (fStort < 0 || fQOR < 0 || fRef < 0)
        return std::nullopt;
    qint64 vanDeInrichting = 0;
    const QString refs = records::checklistRefsUitRijen(rijen, fQOR, fRef, [&](const db::Recordset &r) {
        const QVariant stort = r.Fields(fStort).Value();
        if (records::isNullValue(stort) || stort.toLongLong() != ctx.glngStortID)
            return false;
        ++vanDeInrichting;
        return true;
    });
    // All the site's cost items, or the list would miss some.
    db::Connection cn;
    cn.Open(ctx.gstrConnData);
    db::Recordset telling;
    telling.Open(QStringLiteral("SELECT count(*) FROM tblAct WHERE lngStort_REF=?"), cn, db::LockType::ReadOnly,
                 {ctx.glngStortID});
    if (telling.Fields(0).Value().toLongLong() != vanDeInrichting)
        return std::nullopt;
    return refs;
}

void InsertOverzichtNietGeselecteerdeCLitems(word::Document &doc, word::Application &app, bool &blnDeelVooraf,
                                             qint32 modus, const WordReportContext &ctx,
                                             const std::optional<QString> &checklistRefs)
{
    word::Selection &sel = app.Selection();
    if (blnDeelVooraf) {
        sel.EndKey(word::wdStory);
        sel.InsertBreak(word::wdSectionBreakNextPage);
    }
    zetPagina(sel, {word::wdOrientPortrait, 21.0f, 29.7f, 1.5f, 1.5f, 2.0f, 2.0f});
    sel.Font().Name = QStringLiteral("Arial");
    if (modus == kModusInvoer) {
        typeInvoerKop(sel, QStringLiteral(">> Overzicht niet geselecteerde checklistposten"));
    } else {
        sel.Font().Size = 15;
        sel.TypeText(QStringLiteral("Overzicht niet geselecteerde checklistposten"));
        sel.Font().Size = 8;
    }

    const QVariantList gebruikt = gebruikteItems(ctx, checklistRefs);
    QStringList marks;
    for (qsizetype i = 0; i < gebruikt.size(); ++i)
        marks << QStringLiteral("?");
    QVariantList params{QVariant(qint32(ctx.gintCL_ID))};
    params += gebruikt;

    db::Connection cn;
    cn.Open(ctx.gstrConnCL);
    db::Recordset rs;
    rs.Open(
        QStringLiteral("SELECT lngCLitem_ID,strRefDeelonderz,strObjectCat,  strVoorz, strOmschrijving, bytRubriek_REF"
                       " FROM tblObjectCat INNER JOIN tblCLitem"
                       " ON tblObjectCat.bytObjectCat_ID = tblCLitem.bytObjectCat_REF "
                       " WHERE blnActief<>0 AND intCL_REF=? AND lngClitem_ID NOT IN (")
            + marks.join(QLatin1Char(',')) + QStringLiteral(") ORDER BY bytRubriek_REF, strVoorz, strOmschrijving;"),
        cn, db::LockType::ReadOnly, params);

    if (rs.EOF_()) {
        sel.TypeText(CRLF + CRLF);
        sel.EndKey(word::wdStory);
        sel.TypeText(QStringLiteral("Alle checklistposten zijn geselecteerd."));
        sel.EndKey(word::wdStory);
        return;
    }

    // One row per item and one per rubric group: five rows to spare, more
    // when there are more groups.
    QSet<int> rubrieken;
    for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext())
        rubrieken.insert(rs.Fields(QStringLiteral("bytRubriek_REF")).Value().toInt());
    const int items = rs.RecordCount();
    word::Table &t = doc.Tables().Add(sel.Range(), items + std::max(5, int(rubrieken.size())), 3);
    int r = 0;
    int vorigeRubriek = -1;
    QString vorigeVoorz;
    // Each rubric's list keeps its heading with its first two rows and
    // breaks over pages with at least two rows on either side.
    std::vector<std::pair<int, int>> groepen; // heading row, last row
    for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext()) {
        ++r;
        const int rubriek = rs.Fields(QStringLiteral("bytRubriek_REF")).Value().toInt();
        if (rubriek != vorigeRubriek) {
            t.Cell(r, 1).Font.Bold = true;
            t.Cell(r, 1).Text = CRLF + rubriekNaam(rubriek).toUpper();
            groepen.push_back({r, r});
            ++r;
            vorigeVoorz.clear();
            vorigeRubriek = rubriek;
        }
        groepen.back().second = r;
        const QString voorz = records::toText(rs.Fields(QStringLiteral("strVoorz")).Value());
        if (voorz != vorigeVoorz) {
            t.Cell(r, 1).Text = voorz;
            vorigeVoorz = voorz;
        }
        t.Cell(r, 2).Text = records::toText(rs.Fields(QStringLiteral("strOmschrijving")).Value());
        t.Cell(r, 3).Text = records::toText(rs.Fields(QStringLiteral("strRefDeelonderz")).Value());
    }
    for (const auto &[kop, laatste] : groepen) {
        kwn(t, kop, true);
        if (laatste - kop >= 2)
            kwn(t, kop + 1, true);
        if (laatste - kop >= 3)
            kwn(t, laatste - 1, true);
    }
    // No empty rows after the last item.
    if (r < t.RowCount())
        t.DeleteRows(r + 1, t.RowCount());
    t.SetAllowBreakAcrossPages(false);
    t.SetColumnWidth(1, word::CentimetersToPoints(5));
    t.SetColumnWidth(2, word::CentimetersToPoints(8));
    t.SetColumnWidth(3, word::CentimetersToPoints(4));
    rs.Close();
    sel.EndKey(word::wdStory);
    sel.TypeText(CRLF);
    sel.EndKey(word::wdStory);
}

} // namespace reports
