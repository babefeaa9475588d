// clsDV: the report view of the cost items, its rows and sort groups, and
// the checklist conformity of rows and general costs.

#include "calc/clsDV.h"

#include "calc/dv_values.h"

#include "records/field_read.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/text/format.h"
#include "platform/ui/dialogs.h"

namespace calc {

namespace {

const QString kRubriek = QStringLiteral("bytRubriek_REF");
const QString kObjectCat = QStringLiteral("bytObjectCat_REF");
const QString kIsQOR = QStringLiteral("bytIsQOR");

bool same(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString rubriekNaam(int r)
{
    static const char *const namen[] = {"Instandhouden", "Controlemetingen", "Inspecties",
                                        "Onderhoud",     "Vervanging",       "Overig"};
    return r >= 1 && r <= 6 ? QString::fromLatin1(namen[r - 1]) : QString();
}

QString orQuestionMark(const QVariant &v)
{
    return records::isNullValue(v) ? QStringLiteral("?") : vb::CStr(v);
}

} // namespace

// The rows of the report view: the site's cost items under its own
// facilities whose object category is known.
const QString kViewVan = QStringLiteral(" FROM tblObjectCat INNER JOIN (tblInrichting INNER JOIN tblAct"
                                        " ON tblInrichting.idrInrichting_ID = tblAct.lngInrichting_REF)"
                                        " ON tblObjectCat.bytObjectCat_ID = tblInrichting.bytObjectCat_REF"
                                        " WHERE tblInrichting.lngStort_REF=?");

void clsDV::rapOpenActRecordset()
{
    // The view shows the site this object calculated.
    m_rsRap.Open(QStringLiteral("SELECT tblAct.*, tblInrichting.bytObjectCat_REF, tblObjectCat.strObjectCat,"
                                " tblInrichting.strObject")
                     + kViewVan + QStringLiteral(" ORDER BY tblAct.idrAct_ID"),
                 mconData, db::LockType::ReadOnly, {mlngStort_ID});
    leesRapRijen();
    mclsCLrap = std::make_unique<checklist::clsCL>(clContext());
    mclsCLrap->initializeCL(mlngCL_ID);
}

void clsDV::rapOpenActRecordsetVanBerekening()
{
    // The calculation read the items filed under the site; those of them
    // under its own facilities with a known category are rows of the view,
    // in the same order. They are all its rows when there are as many as the
    // view counts (an item under the site's facility but filed under
    // another site is one the calculation did not read).
    if (m_rijenBerekend.isOpen()) {
        db::Recordset view = m_rijenBerekend.Clone();
        view.setFilter(QStringLiteral("lngInrichtingStort_REF = %1 AND strObjectCat <> Null").arg(mlngStort_ID));
        db::Recordset telling;
        telling.Open(QStringLiteral("SELECT count(*)") + kViewVan, mconData, db::LockType::ReadOnly, {mlngStort_ID});
        if (view.RecordCount() == telling.Fields(0).Value().toInt()) {
            m_rsRap = std::move(view);
            leesRapRijen();
            mclsCLrap = std::make_unique<checklist::clsCL>(clContext());
            mclsCLrap->initializeCL(mlngCL_ID);
            return;
        }
    }
    rapOpenActRecordset();
}

void clsDV::rapSorteerVeldNaam(const QString &VeldNaam_tbv_sorteren)
{
    mstrSorteerVeldNaam = VeldNaam_tbv_sorteren;
    if (same(VeldNaam_tbv_sorteren, kRubriek))
        m_rsRap.setSort(QStringLiteral("bytRubriek_REF ASC , bytObjectCat_REF ASC, strObject ASC, strAct ASC"));
    else if (same(VeldNaam_tbv_sorteren, kObjectCat))
        m_rsRap.setSort(QStringLiteral("bytObjectCat_REF ASC, strObject ASC, bytRubriek_REF ASC, strAct ASC"));
    else if (same(VeldNaam_tbv_sorteren, kIsQOR))
        m_rsRap.setSort(
            QStringLiteral("bytIsQOR DESC, bytObjectCat_REF ASC, strObject ASC, bytRubriek_REF ASC, strAct ASC"));
    else
        return;
    leesRapRijen();
}

void clsDV::leesRapRijen()
{
    // Walks the view once, in its order.
    m_rapRijen.clear();
    m_rapRijen.reserve(size_t(m_rsRap.RecordCount()));
    const int velden = m_rsRap.FieldCount();
    for (m_rsRap.MoveFirst(); !m_rsRap.EOF_(); m_rsRap.MoveNext()) {
        std::vector<QVariant> &rij = m_rapRijen.emplace_back(size_t(velden));
        for (int f = 0; f < velden; ++f)
            rij[size_t(f)] = m_rsRap.Fields(f).Value();
    }
}

DVRapportRegel clsDV::rapRegel(qint32 i)
{
    if (i < 0 || i >= rapAantalRijen()) {
        // Reading beyond the view fails as its recordset does.
        db::Recordset voorbij = m_rsRap.Clone();
        while (!voorbij.EOF_())
            voorbij.MoveNext();
        voorbij.Fields(0).Value();
    }
    const ActRow rij(m_rsRap, m_rapRijen[size_t(i)]);
    rapActiveerDV_ID(rij.value("idrAct_ID").toInt());
    return DVRapportRegel(*this, rij, geactiveerd());
}

void clsDV::rapActiveerDV_ID(qint32 lngAct_ID)
{
    // Where each id first stands among the results, looked up once per run:
    // a report activates every row, so a walk for each would grow with the
    // square of the number of items.
    if (m_itemIndex.empty())
        for (size_t i = 0; i < m_items.size(); ++i)
            m_itemIndex.emplace(m_items[i].Act_ID, qint32(i));
    const auto at = m_itemIndex.find(lngAct_ID);
    if (at != m_itemIndex.end()) {
        mlngRapRecordNr = at->second;
        return;
    }
    ui::MsgBox(QStringLiteral("Doelvermogen-ID ") + vb::CStr(lngAct_ID) + QStringLiteral(" niet gevonden."),
               ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Fout in rapActiveerDV_ID ") + mstrNaamStort);
}

const clsDV::ItemResult *clsDV::geactiveerd() const
{
    if (mlngRapRecordNr < 0 || size_t(mlngRapRecordNr) >= m_items.size())
        return nullptr;
    return &m_items[size_t(mlngRapRecordNr)];
}

const clsDV::ItemResult &DVRapportRegel::item() const
{
    if (!m_item)
        throw platform::Error(vb::kErrSubscriptOutOfRange, QStringLiteral("Subscript out of range"),
                              QStringLiteral("clsDV"));
    return *m_item;
}

qint32 DVRapportRegel::Act_ID() const
{
    return field("idrAct_ID").toInt();
}
QString DVRapportRegel::Kostenpost() const
{
    return records::toText(field("strAct"));
}
QString DVRapportRegel::ObjectCat() const
{
    return records::toText(field("strObjectCat"));
}
QString DVRapportRegel::ObjectCat_ID() const
{
    return vb::CStr(field("bytObjectCat_REF"));
}
QString DVRapportRegel::Voorz() const
{
    return records::toText(field("strObject"));
}
qint32 DVRapportRegel::Combineer() const
{
    return byte("bytCombineer");
}
std::uint8_t DVRapportRegel::Rubriek() const
{
    return byte("bytRubriek_REF");
}
QString DVRapportRegel::NCWFactorX() const
{
    return vb::CStr(item().NCWfactorX);
}
QString DVRapportRegel::NCW() const
{
    return vb::CStr(item().NCW);
}
QString DVRapportRegel::NCWBedrag() const
{
    return vb::Format(item().NCW, QStringLiteral("€ #,#0"));
}

float DVRapportRegel::FractieVanTotaalDV() const
{
    const float dv = m_dv.DoelvermogenZonderRisicoFonds();
    return dv == 0.0f ? 0.0f : item().NCW / dv;
}

QString clsDV::rapPercVanDV(float sngBedrag) const
{
    const float dv = DoelvermogenZonderRisicoFonds();
    if (dv == 0.0f)
        return QStringLiteral("-");
    return QStringLiteral("(") + vb::Format(sngBedrag / dv, QStringLiteral("0.0%")) + QStringLiteral(")");
}

QString DVRapportRegel::Tstart() const
{
    if (combined())
        return QStringLiteral("-");
    const QString start = vb::CStr(item().JaarEerste);
    switch (byte("bytOptieStart")) {
    case 1:
        if (byte("bytStartBA") == 1)
            return start;
        return start + QStringLiteral(" (") + orQuestionMark(field("intStartabs")) + QStringLiteral(")");
    case 2:
        return start;
    default:
        return QString();
    }
}

QString DVRapportRegel::KalJaarAanlegBA() const
{
    if (combined())
        return QStringLiteral("-");
    if (byte("bytStartBA") != 1)
        return QString();
    switch (byte("bytOptieStart")) {
    case 1:
        return vb::CStr(field("intStartabs"));
    case 2:
        return QStringLiteral("naz.jr. ") + vb::CStr(field("intStartrel"));
    default:
        return QString();
    }
}

QString DVRapportRegel::Teind() const
{
    if (combined())
        return QStringLiteral("-");
    const QString eind = vb::CStr(item().JaarLaatste);
    const bool ba = byte("bytEindBA") == 1;
    switch (byte("bytOptieEind")) {
    case 1:
        if (ba)
            return eind;
        return eind + QStringLiteral(" (") + orQuestionMark(field("intEindabs")) + QStringLiteral(")");
    case 2:
        return eind;
    case 3:
        if (byte("bytOptieFreq") == 1)
            return QStringLiteral("-");
        return ba ? eind : QStringLiteral("oo");
    default:
        return QString();
    }
}

QString DVRapportRegel::PrijsPerKeer() const
{
    if (combined())
        return QStringLiteral("zie combinatiepost");
    const ActRow &row = m_rij;
    switch (row.byte("bytOptieKosten")) {
    case 1: {
        const QVariant perc = row.value("sngPercInvest");
        const QVariant invest = row.value("sngKostenInvest");
        const QVariant bedrag = row.isNull("sngPercInvest") || row.isNull("sngKostenInvest")
                                    ? QVariant()
                                    : QVariant(row.single("sngKostenInvest") * row.single("sngPercInvest") / 100.0f);
        return vb::CStr(perc) + QStringLiteral("% x") + vb::Format(invest, QStringLiteral("€ #,##0"))
               + QStringLiteral(" = ") + vb::Format(bedrag, QStringLiteral("€ #,##0"));
    }
    case 2:
        return vb::Format(row.value("sngKostenTotaal"), QStringLiteral("€ #,##0.00"));
    case 3: {
        const QVariant bedrag = row.isNull("sngAantal") || row.isNull("sngKostenPE")
                                    ? QVariant()
                                    : QVariant(row.single("sngAantal") * row.single("sngKostenPE"));
        return vb::CStr(row.value("sngAantal")) + QStringLiteral(" x ")
               + vb::Format(row.value("sngKostenPE"), QStringLiteral("€ 0.00")) + QStringLiteral("/")
               + row.text("strEenheid") + QStringLiteral(" = ") + vb::Format(bedrag, QStringLiteral("€ #,##0"));
    }
    default:
        return QString();
    }
}

QString DVRapportRegel::Freq() const
{
    if (combined())
        return QStringLiteral("-");
    switch (byte("bytOptieFreq")) {
    case 1:
        return QStringLiteral("eenm.");
    case 2:
        return vb::CStr(field("intfreqX")) + QStringLiteral("x per jr");
    case 3:
        return QStringLiteral("1x per ") + vb::CStr(field("intfreqX")) + QStringLiteral(" jr");
    default:
        return QString();
    }
}

std::uint8_t DVRapportRegel::SorteerVeldwaardeID() const
{
    return byte(m_dv.mstrSorteerVeldNaam.toLatin1().constData());
}

QString DVRapportRegel::SorteerVeldwaardeString() const
{
    const QString &veld = m_dv.mstrSorteerVeldNaam;
    if (same(veld, kRubriek))
        return rubriekNaam(byte("bytRubriek_REF"));
    if (same(veld, kObjectCat))
        return records::toText(field("strObjectCat"));
    if (same(veld, kIsQOR)) {
        switch (byte("bytIsQOR")) {
        case 0:
            return QStringLiteral("Door gebruiker gedefinieerd");
        case 1:
            return QStringLiteral("Checklistposten");
        case 2:
            return QStringLiteral("Checklistposten, niet conform criteria");
        default:
            return QString();
        }
    }
    return QString();
}

QVariant clsDV::rapTotaalPerSorteerveld(std::uint8_t bytIDsorteerveld) const
{
    if (same(mstrSorteerVeldNaam, kRubriek))
        return TotaalRubriek(bytIDsorteerveld);
    if (same(mstrSorteerVeldNaam, kObjectCat))
        return TotaalObjectCat(bytIDsorteerveld);
    if (same(mstrSorteerVeldNaam, kIsQOR))
        return TotaalIsQOR(bytIDsorteerveld);
    return QVariant();
}

QVariant clsDV::rapTotaalPerSorteerveldZonderOverig(std::uint8_t bytIDsorteerveld) const
{
    const int k = bytIDsorteerveld;
    if (same(mstrSorteerVeldNaam, kRubriek))
        return k == 6 ? 0.0f : TotaalRubriek(k);
    if (same(mstrSorteerVeldNaam, kObjectCat)) {
        TotaalObjectCat(k); // the range check
        return msngTotaalObjectCatZonderOverig[size_t(k - 1)];
    }
    if (same(mstrSorteerVeldNaam, kIsQOR)) {
        TotaalIsQOR(k);
        return msngTotaalIsQORZonderOverig[size_t(k)];
    }
    return QVariant();
}

qint16 clsDV::AantalDVtabelRegels()
{
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT idrInrichting_ID FROM tblInrichting WHERE lngStort_REF=?"), mconData,
            db::LockType::ReadOnly, {mlngStort_ID});
    const qint64 regels = 3 * qint64(lngAantalRecords) + 3 * qint64(rs.RecordCount()) + 60;
    return qint16(vb::CInt(double(regels)));
}

std::uint8_t clsDV::rapIsQOR(const DVRapportRegel &regel)
{
    const ActRow &row = regel.m_rij;
    const std::uint8_t klasse = row.byte("bytIsQOR");
    if (klasse != 2)
        return klasse;
    const QVariant ref = row.value("lngClitem_REF");
    if (records::isNullValue(ref) || !loaded(mclsCLrap).GaNaarItem(ref.toInt())) {
        ui::MsgBox(QStringLiteral("Checklistpost ") + vb::CStr(ref)
                       + QStringLiteral(" is niet (meer) aanwezig in de checklist."),
                   ui::Buttons::OK, ui::Icon::Critical);
        return klasse;
    }
    const ChecklistFlags f = checklistChecks(loaded(mclsCLrap), row);
    rapIsNietQOR_JaarStart = !f.jaarStart;
    rapIsNietQOR_JaarEind = !f.jaarEind;
    rapIsNietQOR_Kosten = !f.kosten;
    rapIsNietQOR_Freq = !f.freq;
    return klasse;
}

namespace {
std::uint8_t klasse(bool conform)
{
    return conform ? 1 : 2;
}
} // namespace

std::uint8_t clsDV::rapIsQORCommKosten() const
{
    return klasse(loaded(mclsCLrap).verifyCL_CommKosten(sngCommunicatieKostenPerJaar));
}

std::uint8_t clsDV::rapIsQORAppKosten() const
{
    return klasse(loaded(mclsCLrap).verifyCL_AppKostenBasis(sngAppKostenBasisPerJaar)
                  && loaded(mclsCLrap).verifyCL_AppKostenPerc(sngAppKostenBasisPerc));
}

std::uint8_t clsDV::rapIsQORRapEval() const
{
    return klasse(
        loaded(mclsCLrap).verifyCL_RapEvalPerHa(bytOptieRapEval, sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax));
}

std::uint8_t clsDV::rapIsQOROnvoorzien() const
{
    return klasse(loaded(mclsCLrap).verifyCL_Onvoorzien(sngOnvoorzien));
}

std::uint8_t clsDV::rapIsQOROntwerpdirectieFixed() const
{
    return klasse(loaded(mclsCLrap).verifyCL_OntwerpdirectieFixed(sngOntwerpdirectieFixed));
}

} // namespace calc
