#include "records/clsAct.h"

#include "records/act_checks.h"
#include "records/act_sentence.h"
#include "records/clsVoorz.h"
#include "records/codes.h"
#include "records/field_read.h"
#include "records/site_tree.h"

#include "checklist/clsCL.h"
#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/jet_collation.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"

#include <vector>

namespace records {

namespace {
QString src(const char *operation)
{
    return QStringLiteral("clsAct.") + QLatin1String(operation);
}

const QString fStrAct = QStringLiteral("strAct");
const QString fInrichting = QStringLiteral("lngInrichting_REF");
const QString fRubriek = QStringLiteral("bytRubriek_REF");
const QString fType = QStringLiteral("bytTypeVervangingsToeslag");
const QString fPerc = QStringLiteral("sngVervangingsToeslagPerc");
const QString fIsQOR = QStringLiteral("bytIsQOR");

void errorBoxes(const QString &text, const QString &title, const platform::Error &e)
{
    ui::MsgBox(text, ui::Buttons::OK, ui::Icon::Exclamation, title);
    ui::MsgBox(e.description(), ui::Buttons::OK, ui::Icon::Critical,
               QStringLiteral("fout ") + QString::number(e.number()));
}

bool sameNumber(const QVariant &v, double n)
{
    return !isNullValue(v) && v.toDouble() == n;
}

// Names compare as the data file compares text: case does not count.
bool sameName(const QVariant &v, const QString &name)
{
    return !isNullValue(v) && db::compareJetText(v.toString(), name) == 0;
}
} // namespace

clsAct::clsAct(const Context &ctx) : m_ctx(ctx), m_lngStortID(ctx.glngStortID)
{
    m_cn.Open(m_ctx.gstrConnData);
    rsAct.Open(QStringLiteral("SELECT * FROM tblAct WHERE lngStort_REF=?"), m_cn, db::LockType::Pessimistic,
               {m_lngStortID});
    rsAct.Fields(QStringLiteral("idrAct_ID")).setOptimize(true);
    attach(&rsAct);
}

clsAct::~clsAct()
{
    try {
        UpdateNu();
    } catch (...) {
        // UpdateNu reports its own failures.
    }
    detach();
    rsAct.Close();
    m_cn.Close();
}

db::Recordset *clsAct::DataMember(const QString &name)
{
    return name.isEmpty() ? nullptr : &rsAct;
}

qint32 clsAct::Voorz_ID() const
{
    return toInt32(requiredField(rsAct, fInrichting, src("Voorz_ID")), src("Voorz_ID"));
}

void clsAct::ForceDirty()
{
    try {
        rsAct.Fields(QStringLiteral("dtmMut")).setValue(QDateTime::currentDateTime());
    } catch (const platform::Error &e) {
        throw e.withSource(src("ForceDirty"));
    }
}

bool clsAct::UpdateNu()
{
    try {
        Bewaar();
    } catch (const platform::Error &e) {
        errorBoxes(QStringLiteral("Er is een fout opgetreden bij het opslaan van het record."),
                   QStringLiteral("Fout bij opslaan"), e);
        return false;
    }
    return true;
}

void clsAct::Bewaar()
{
    if (!rsAct.isOpen() || rsAct.BOF() || rsAct.EOF_() || rsAct.EditMode() == db::EditMode::None)
        return;
    const bool wasNew = rsAct.EditMode() == db::EditMode::Add;
    rsAct.Update();
    if (wasNew)
        notifyRowChanged(); // the new row has its id now
}

bool clsAct::EOF_() const
{
    return rsAct.EOF_();
}

bool clsAct::ActiveerID(qint32 lngIDAct)
{
    if (!UpdateNu())
        return false;
    try {
        db::Recordset clone = rsAct.Clone();
        if (clone.RecordCount() > 0)
            clone.Find(QStringLiteral("idrAct_ID=") + QString::number(lngIDAct));
        if (clone.RecordCount() == 0 || clone.EOF_()) {
            ui::MsgBox(QStringLiteral("EOF-fout in ActiveerID(lngIDAct as long)"), ui::Buttons::OK, ui::Icon::Critical);
            // No current row: a later edit cannot land on another item.
            if (rsAct.RecordCount() > 0) {
                rsAct.MoveLast();
                rsAct.MoveNext();
            }
            notifyRowChanged();
            return false;
        }
        rsAct.setBookmark(clone.Bookmark());
        notifyRowChanged();
        return true;
    } catch (const platform::Error &e) {
        errorBoxes(QStringLiteral("Er is een fout opgetreden bij het activeren van het record."),
                   QStringLiteral("Fout bij activeren"), e);
        return false;
    }
}

qint32 clsAct::idrAct_ID() const
{
    return toInt32(requiredField(rsAct, QStringLiteral("idrAct_ID"), src("idrAct_ID")), src("idrAct_ID"));
}

void clsAct::dropNode(SiteTree::Node node) noexcept
{
    if (!node || !m_ctx.tree)
        return;
    try {
        m_ctx.tree->remove(node);
    } catch (...) {
    }
}

void clsAct::addFailed(const platform::Error &error, bool rowAdded)
{
    // Drop the half-filled new row: a later save must not write it. Only the
    // row this operation added: when the save of an earlier pending new row
    // failed first, that row is the user's and stays pending.
    try {
        if (rowAdded && rsAct.EditMode() == db::EditMode::Add)
            rsAct.CancelUpdate();
    } catch (...) {
    }
    notifyRowChanged();
    ui::resetCursor();
    ui::MsgBox(error.description(), ui::Buttons::OK, ui::Icon::Critical,
               QStringLiteral("Fout ") + QString::number(error.number()));
}

bool clsAct::VoegToe_CLitem(qint32 lngCLitem_ID)
{
    ui::setBusyCursor();
    SiteTree::Node node = 0;
    bool added = false;
    try {
        checklist::clsCL cl(m_ctx.gstrConnCL);
        cl.initializeCL(m_ctx.gintCL_ID);
        if (!cl.GaNaarItem(lngCLitem_ID))
            ui::MsgBox(QStringLiteral("Fout bij VoegToe_CLitem(") + QString::number(lngCLitem_ID) + QStringLiteral(")"),
                       ui::Buttons::OK, ui::Icon::Critical);
        // The raw item row, for the flags that may be empty.
        const db::Recordset *item = cl.DataMember(QStringLiteral("tblCLItem"));
        const auto itemByteOr0 = [item](const char *column) {
            const QVariant v = item->Fields(QLatin1String(column)).Value();
            return isNullValue(v) ? 0 : int(toByte(v, src("VoegToe_CLitem")));
        };

        // The facility: found by category and name, or made.
        const std::uint8_t category = cl.bytObjectCat_ID();
        const QString facilityName = toText(cl.Voorziening());
        qint32 facility = 0;
        {
            clsVoorz voorz(m_ctx);
            facility = voorz.ZoekIDvanVoorz(category, facilityName);
            if (facility == 0) {
                voorz.VoegVoorzieningToe(category, facilityName);
                facility = voorz.ZoekIDvanVoorz(category, facilityName);
            }
        }

        const auto set = [this](const QString &field, const QVariant &v) { rsAct.Fields(field).setValue(v); };
        rsAct.AddNew();
        added = true;
        set(QStringLiteral("lngStort_REF"), m_lngStortID);
        set(fInrichting, facility);
        const std::uint8_t rubriek = cl.bytRubriek_REF();
        set(fRubriek, rubriek);
        set(fStrAct, cl.Omschrijving());
        const int startBA = itemByteOr0("bytStartBA");
        set(QStringLiteral("bytStartBA"), startBA);
        if (startBA != 1) {
            set(QStringLiteral("intStartRel"), cl.Startjaar());
            set(QStringLiteral("bytOptieStart"), cl.bytOptieStartX());
        } else {
            set(QStringLiteral("intStartBA"), cl.Startjaar());
            set(QStringLiteral("bytOptieStart"), 1);
        }
        const std::uint8_t optieEind = cl.bytOptieEind();
        set(QStringLiteral("bytOptieEind"), optieEind);
        const int eindBA = itemByteOr0("bytEindBA");
        set(QStringLiteral("bytEindBA"), eindBA);
        if (optieEind != 3)
            set(eindBA != 1 ? QStringLiteral("intEindRel") : QStringLiteral("intEindBA"), cl.Eindjaar());
        const std::uint8_t optieKosten = cl.bytOptieKosten();
        set(QStringLiteral("bytOptieKosten"), optieKosten);
        if (optieKosten == 1) {
            set(QStringLiteral("sngPercInvest"), cl.InvPercGEM());
            set(QStringLiteral("sngKostenInvest"), cl.InvKostenGEM());
        } else if (optieKosten == 2) {
            set(QStringLiteral("sngKostenTotaal"), cl.KostenTotaalGEM());
        } else if (optieKosten == 3) {
            set(QStringLiteral("sngKostenPE"), cl.PrijsPEgem());
        }
        set(QStringLiteral("strEenheid"), cl.Eenheid());
        set(QStringLiteral("sngAantal"), cl.AantalGEM());
        set(QStringLiteral("bytOptieFreq"), cl.bytOptieFreq());
        set(QStringLiteral("intFreqX"), cl.freqXGEM());
        set(fIsQOR, 1);
        set(QStringLiteral("lngClitem_REF"), lngCLitem_ID);
        set(QStringLiteral("bytCombineer"), 0);
        const std::uint8_t type = cl.bytTypeVervangingsToeslag();
        set(fType, type);
        if (type == 0 || type == 1)
            set(fPerc, QVariant());
        else if (type == 2)
            set(fPerc, (cl.sngVervangingstoeslagGroteWerkenMin() + cl.sngVervangingstoeslagGroteWerkenMax()) / 2.0f);
        else if (type == 3)
            set(fPerc, cl.sngVervangingstoeslagKleineWerken());
        set(QStringLiteral("dtmMut"), QDateTime::currentDateTime());
        notifyRowChanged();

        if (SiteTree *tree = m_ctx.tree) {
            node = tree->addChild(keyInrichting(facility));
            ZetNodeEigenschappen(*tree, node, toText(rsAct.Fields(fStrAct).Value()), kKeyActNew,
                                 toText(rsAct.Fields(fIsQOR).Value()), false, m_ctx.glngKleurAct, rubriek, true);
        }
        ui::resetCursor();
        return true;
    } catch (const platform::Error &e) {
        dropNode(node);
        addFailed(e.withSource(src("VoegToe_CLitem")), added);
        return false;
    }
}

bool clsAct::ActiviteitBestaatAl(const QString &strNaam, qint32 lngInrichting_REF) const
{
    db::Recordset clone = rsAct.Clone();
    for (clone.MoveFirst(); !clone.EOF_(); clone.MoveNext()) {
        if (!sameName(clone.Fields(fStrAct).Value(), strNaam))
            continue;
        if (sameNumber(clone.Fields(fInrichting).Value(), lngInrichting_REF))
            return true;
    }
    return false;
}

QString clsAct::VoegToe_CustomAct(const QString &strNaam, qint32 lngInrichting_REF, std::uint8_t bytRubriek_REF)
{
    ui::setBusyCursor();
    SiteTree::Node node = 0;
    bool added = false;
    try {
        const auto set = [this](const QString &field, const QVariant &v) { rsAct.Fields(field).setValue(v); };
        rsAct.AddNew();
        added = true;
        set(QStringLiteral("lngStort_REF"), m_lngStortID);
        set(fInrichting, lngInrichting_REF);
        set(fRubriek, bytRubriek_REF);
        set(fStrAct, strNaam);
        set(QStringLiteral("bytOptieStart"), 2);
        set(QStringLiteral("intStartRel"), 1);
        set(QStringLiteral("bytOptieEind"), 3);
        set(QStringLiteral("bytOptieKosten"), 2);
        set(QStringLiteral("bytEindBA"), 0);
        set(QStringLiteral("bytStartBA"), 0);
        set(fIsQOR, 0);
        set(fType, 0);
        set(QStringLiteral("bytOptieFreq"), bytRubriek_REF == 5 ? 3 : 2);
        set(QStringLiteral("bytCombineer"), 0);
        set(QStringLiteral("dtmMut"), QDateTime::currentDateTime());
        notifyRowChanged();

        if (SiteTree *tree = m_ctx.tree) {
            node = tree->addChild(keyInrichting(lngInrichting_REF));
            ZetNodeEigenschappen(*tree, node, strNaam, kKeyActNew, QStringLiteral("0"), false, m_ctx.glngKleurAct,
                                 bytRubriek_REF, true);
        }
        ui::resetCursor();
        return QStringLiteral("NEW");
    } catch (const platform::Error &e) {
        dropNode(node);
        addFailed(e.withSource(src("VoegToe_CustomAct")), added);
        return QString();
    }
}

qint32 clsAct::AantalRecords() const
{
    if (rsAct.RecordCount() == 0)
        return 0;
    db::Recordset clone = rsAct.Clone();
    clone.MoveLast();
    return clone.RecordCount();
}

bool clsAct::Dupliceer_Act(qint16 intAantalDeelfasesBeforeToevoegen)
{
    ui::setBusyCursor();
    SiteTree::Node node = 0;
    bool added = false;
    try {
        db::Recordset source = rsAct.Clone();
        source.setBookmark(rsAct.Bookmark());
        rsAct.AddNew(); // saves the source's pending edit first
        added = true;
        const int count = rsAct.FieldCount();
        for (int i = 0; i < count; ++i) {
            if (rsAct.Fields(i).Name().compare(QLatin1String("idrAct_ID"), Qt::CaseInsensitive) == 0)
                continue;
            const QVariant v = source.Fields(i).Value();
            if (!isNullValue(v))
                rsAct.Fields(i).setValue(v);
        }
        for (const char *year : {"intStartRel", "intStartAbs", "intEindRel", "intEindAbs"})
            rsAct.Fields(QLatin1String(year)).setValue(QVariant());
        rsAct.Fields(QStringLiteral("dtmMut")).setValue(QDateTime::currentDateTime());
        notifyRowChanged();

        if (SiteTree *tree = m_ctx.tree) {
            const QString parentKey = keyAct(toInt32(
                requiredField(source, QStringLiteral("idrAct_ID"), src("Dupliceer_Act")), src("Dupliceer_Act")));
            node = tree->addChild(parentKey);
            ZetNodeEigenschappen(*tree, node,
                                 QStringLiteral("{") + QString::number(intAantalDeelfasesBeforeToevoegen + 1)
                                     + QStringLiteral("e fase}"),
                                 kKeyActNew, toText(source.Fields(fIsQOR).Value()), false, 0, kImageFase, true);
            // The first phase's text is marked once, when its item gets a
            // second phase.
            const QString firstPhase = QStringLiteral(" {1e fase}");
            const SiteTree::Node parent = tree->find(parentKey);
            if (intAantalDeelfasesBeforeToevoegen == 1 && !tree->text(parent).endsWith(firstPhase))
                tree->setText(parent, tree->text(parent) + firstPhase);
        }
        ui::resetCursor();
        return true;
    } catch (const platform::Error &e) {
        dropNode(node);
        addFailed(e.withSource(src("Dupliceer_Act")), added);
        return false;
    }
}

bool clsAct::pfunHernoemActNaamOfRubriek(const QVariant &strNieuweActNaam, std::uint8_t bytNieuweRubriek)
{
    if (isNullValue(strNieuweActNaam) || strNieuweActNaam.toString().isEmpty()) {
        ui::MsgBox(QStringLiteral("Ongeldige naam. Wijziging niet doorgevoerd."), ui::Buttons::OK,
                   ui::Icon::Exclamation, QStringLiteral("Bewerking ongeldig"));
        return false;
    }
    const QString source = src("pfunHernoemActNaamOfRubriek");
    const QString newName = strNieuweActNaam.toString();

    // The rows of the item as they stand before any change.
    const QVariant oldNameValue = requiredField(rsAct, fStrAct, source);
    const QString oldName = oldNameValue.toString();
    const QVariant facility = requiredField(rsAct, fInrichting, source);
    const bool currentWas5 = sameNumber(rsAct.Fields(fRubriek).Value(), 5);

    // What each written row held, to put the shared rows back when the
    // change as a whole fails.
    struct Undo {
        QVariant bookmark;
        std::vector<std::pair<QString, QVariant>> values;
    };
    std::vector<Undo> written;
    db::Recordset clone = rsAct.Clone();
    m_cn.BeginTrans();
    try {
        for (clone.MoveFirst(); !clone.EOF_(); clone.MoveNext()) {
            if (!sameName(clone.Fields(fStrAct).Value(), oldName)
                || !sameNumber(clone.Fields(fInrichting).Value(), facility.toDouble()))
                continue;
            Undo undo{clone.Bookmark(), {}};
            for (const QString &f : {fStrAct, fRubriek, fType, fPerc})
                undo.values.emplace_back(f, clone.Fields(f).Value());
            clone.Fields(fStrAct).setValue(newName);
            if (bytNieuweRubriek != 0) {
                if (sameNumber(clone.Fields(fRubriek).Value(), 5) && bytNieuweRubriek != 5) {
                    clone.Fields(fType).setValue(0);
                    clone.Fields(fPerc).setValue(QVariant());
                }
                clone.Fields(fRubriek).setValue(bytNieuweRubriek);
            }
            clone.Update();
            written.push_back(std::move(undo));
        }
        m_cn.CommitTrans();
    } catch (const platform::Error &e) {
        try {
            clone.CancelUpdate();
        } catch (...) {
        }
        try {
            m_cn.RollbackTrans();
        } catch (...) {
        }
        // The file is as it was; bring the rows in memory back to it.
        for (const Undo &undo : written) {
            try {
                clone.setBookmark(undo.bookmark);
                for (const auto &[f, v] : undo.values)
                    clone.Fields(f).setValue(v);
                clone.Update();
            } catch (...) {
                try {
                    clone.CancelUpdate();
                } catch (...) {
                }
            }
        }
        throw e.withSource(source);
    }

    // Let the bound controls show the new values (pending until UpdateNu).
    try {
        rsAct.Fields(fStrAct).setValue(newName);
        if (bytNieuweRubriek != 0) {
            if (currentWas5 && bytNieuweRubriek != 5) {
                rsAct.Fields(fType).setValue(0);
                rsAct.Fields(fPerc).setValue(QVariant());
            }
            rsAct.Fields(fRubriek).setValue(bytNieuweRubriek);
        }
    } catch (const platform::Error &e) {
        throw e.withSource(source);
    }
    // The second cursor changed the shared row first, so the assignments
    // above may have changed nothing that this object shows: tell the
    // listeners anyway.
    notifyRowChanged();
    return true;
}

bool clsAct::verwijderAct()
{
    try {
        rsAct.Delete();
        MoveVolgendeOfLaatste();
        notifyRowChanged();
        return true;
    } catch (const platform::Error &e) {
        ui::MsgBox(e.description(), ui::Buttons::OK, ui::Icon::Critical,
                   QStringLiteral("Fout ") + QString::number(e.number()));
        return false;
    }
}

QList<qint32> clsAct::verwijderActMetAlleFases()
{
    if (!UpdateNu())
        return {};
    const QString source = src("verwijderActMetAlleFases");
    QList<qint32> ids;
    bool inTransaction = false;
    try {
        const QString name = toText(requiredField(rsAct, fStrAct, source));
        const double facility = requiredField(rsAct, fInrichting, source).toDouble();
        db::Recordset clone = rsAct.Clone();
        for (clone.MoveFirst(); !clone.EOF_(); clone.MoveNext()) {
            if (sameName(clone.Fields(fStrAct).Value(), name)
                && sameNumber(clone.Fields(fInrichting).Value(), facility))
                ids << toInt32(clone.Fields(QStringLiteral("idrAct_ID")).Value(), source);
        }
        // The file first, in one transaction; the rows in memory follow once
        // it has been committed.
        m_cn.BeginTrans();
        inTransaction = true;
        for (qint32 id : std::as_const(ids))
            m_cn.Execute(QStringLiteral("DELETE FROM tblAct WHERE idrAct_ID=?"), {id});
        m_cn.CommitTrans();
        inTransaction = false;
        for (qint32 id : std::as_const(ids)) {
            clone.MoveFirst();
            clone.Find(QStringLiteral("idrAct_ID=") + QString::number(id));
            if (!clone.EOF_())
                clone.Delete();
        }
        MoveVolgendeOfLaatste();
        return ids;
    } catch (const platform::Error &e) {
        if (inTransaction) {
            try {
                m_cn.RollbackTrans();
            } catch (...) {
            }
        }
        ui::MsgBox(e.description(), ui::Buttons::OK, ui::Icon::Critical,
                   QStringLiteral("Fout ") + QString::number(e.number()));
        return {};
    }
}

QString checklistRefsUitRijen(const db::Recordset &rijen, int fQOR, int fClitemRef,
                              const std::function<bool(const db::Recordset &)> &telt)
{
    QString refs;
    db::Recordset clone = rijen.Clone();
    for (clone.MoveFirst(); !clone.EOF_(); clone.MoveNext()) {
        if (telt && !telt(clone))
            continue;
        const QVariant q = clone.Fields(fQOR).Value();
        if (isNullValue(q) || q.toDouble() == 0)
            continue;
        refs += QLatin1Char('|') + joinText(clone.Fields(fClitemRef).Value());
    }
    return refs + QLatin1Char('|');
}

QString clsAct::strAlleChecklistRefs() const
{
    return checklistRefsUitRijen(rsAct, rsAct.fieldIndex(fIsQOR), rsAct.fieldIndex(QStringLiteral("lngClitem_REF")));
}

QString clsAct::strActHuidig() const
{
    return toText(requiredField(rsAct, fStrAct, src("strActHuidig")));
}

void clsAct::IsQOR(const QVariant &value)
{
    try {
        rsAct.Fields(fIsQOR).setValue(value);
    } catch (const platform::Error &e) {
        throw e.withSource(src("IsQOR"));
    }
}

std::uint8_t clsAct::IsQOR() const
{
    if (rsAct.RecordCount() == 0 || rsAct.BOF())
        return 0;
    return toByte(requiredField(rsAct, fIsQOR, src("IsQOR")), src("IsQOR"));
}

std::uint8_t clsAct::bytTypeVervangingsToeslag() const
{
    return toByte(requiredField(rsAct, fType, src("bytTypeVervangingsToeslag")), src("bytTypeVervangingsToeslag"));
}

bool clsAct::IsQORvoorziening(qint32 lngInrichtings_ID) const
{
    db::Recordset clone = rsAct.Clone();
    clone.setFilter(QStringLiteral("bytIsQOR <>0 AND lngInrichting_REF=") + QString::number(lngInrichtings_ID));
    return clone.RecordCount() > 0;
}

QVariant clsAct::Clitem_REF() const
{
    try {
        return rsAct.Fields(QStringLiteral("lngClitem_REF")).Value();
    } catch (const platform::Error &e) {
        throw e.withSource(src("Clitem_REF"));
    }
}

void clsAct::Clitem_REF(const QVariant &value)
{
    try {
        rsAct.Fields(QStringLiteral("lngClitem_REF")).setValue(value);
    } catch (const platform::Error &e) {
        throw e.withSource(src("Clitem_REF"));
    }
}

QVariant clsAct::DeleteCLitem_REF()
{
    Clitem_REF(QVariant());
    return QVariant();
}

std::uint8_t clsAct::bytRubriek_REF() const
{
    return toByte(requiredField(rsAct, fRubriek, src("bytRubriek_REF")), src("bytRubriek_REF"));
}

QString clsAct::Rubriek() const
{
    const QString name = rubriekNaam(bytRubriek_REF());
    return name.isEmpty() ? QStringLiteral("?") : name;
}

void clsAct::MoveVolgendeOfLaatste()
{
    if (!rsAct.EOF_())
        rsAct.MoveNext();
    if (rsAct.EOF_() && rsAct.RecordCount() > 0)
        rsAct.MoveLast();
    notifyRowChanged();
}

void clsAct::moveNext()
{
    rsAct.MoveNext();
    notifyRowChanged();
}

void clsAct::LetbytIsQOR(std::uint8_t value)
{
    IsQOR(QVariant(int(value)));
}

QVariant clsAct::currentField(const QString &name) const
{
    return rsAct.Fields(name).Value();
}

QString clsAct::BeschrijvingInZin(qint32 bytCombineer, bool blnVerifyAnSichOK, qint32 bytTypeJaarStart,
                                  qint32 bytTypeJaarEind, std::uint8_t bytOptieKosten, qint32 bytOptieFreq,
                                  qint32 bytStartBA, qint32 bytEindBA) const
{
    try {
        const ActSentenceRow row = actSentenceRow([this](const QString &name) { return currentField(name); });
        return records::BeschrijvingInZin(row, m_ctx.gsngJaarAanvangNazorg, bytCombineer, blnVerifyAnSichOK,
                                          bytTypeJaarStart, bytTypeJaarEind, bytOptieKosten, bytOptieFreq, bytStartBA,
                                          bytEindBA);
    } catch (const platform::Error &e) {
        throw e.withSource(src("BeschrijvingInZin"));
    }
}

bool clsAct::verify_ansich(bool blnGebruiktGediffToeslag) const
{
    try {
        return verifyAnSich([this](const QString &name) { return currentField(name); }, blnGebruiktGediffToeslag);
    } catch (const platform::Error &e) {
        throw e.withSource(src("verify_ansich"));
    }
}

std::uint8_t clsAct::ToetsAanNieuweCL(checklist::clsCL &insCl_new) const
{
    try {
        return toetsAanNieuweCL([this](const QString &name) { return currentField(name); }, insCl_new);
    } catch (const platform::Error &e) {
        throw e.withSource(src("ToetsAanNieuweCL"));
    }
}

void clsAct::psubVermenigvuldigKostenMet(float sngFactor)
{
    try {
        if (const auto scaled =
                kostenVermenigvuldigdMet([this](const QString &name) { return currentField(name); }, sngFactor))
            rsAct.Fields(scaled->field).setValue(scaled->value);
    } catch (const platform::Error &e) {
        throw e.withSource(src("psubVermenigvuldigKostenMet"));
    }
}

} // namespace records
