// clsDV: the report view of the cost items, its rows and sort groups, and
// the checklist conformity of rows and general costs.

#include "calc/clsDV.h"

#include "calc/dv_values.h"

#include "records/field_read.h"

#include "platform/core/error.h"
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

void clsDV::rapOpenActRecordset()
{
    // The view shows the site this object calculated.
    m_rsRap.Open(QStringLiteral("SELECT tblAct.*, tblInrichting.bytObjectCat_REF, tblObjectCat.strObjectCat,"
                                " tblInrichting.strObject"
                                " FROM tblObjectCat INNER JOIN (tblInrichting INNER JOIN tblAct"
                                " ON tblInrichting.idrInrichting_ID = tblAct.lngInrichting_REF)"
                                " ON tblObjectCat.bytObjectCat_ID = tblInrichting.bytObjectCat_REF"
                                " WHERE tblInrichting.lngStort_REF=? ORDER BY tblAct.idrAct_ID"),
                 mconData, db::LockType::ReadOnly, {mlngStort_ID});
    mclsCLrap = std::make_unique<checklist::clsCL>(clContext());
    mclsCLrap->initializeCL(mlngCL_ID);
    m_rapKolommen = ColumnCache();
    // The report walks the view in an order of its own and asks for each
    // row's values by id.
    m_rapPlaats.clear();
    m_rapPlaats.reserve(m_items.size());
    for (size_t i = 0; i < m_items.size(); ++i)
        m_rapPlaats.try_emplace(m_items[i].Act_ID, qint32(i));
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
}

void clsDV::GaNaarEersteRecord() { m_rsRap.MoveFirst(); }
void clsDV::rapRsActMoveFirst() { m_rsRap.MoveFirst(); }
void clsDV::GaNaarVolgendeRecord() { m_rsRap.MoveNext(); }
bool clsDV::rapEOF() const { return m_rsRap.EOF_(); }

void clsDV::rapActiveerDV_ID(qint32 lngAct_ID)
{
    // The place noted when the view opened, if the values there are still
    // this item's (a calculation since may have moved them); else the first
    // item with this id.
    if (const auto p = m_rapPlaats.find(lngAct_ID); p != m_rapPlaats.end() && size_t(p->second) < m_items.size()
                                                   && m_items[size_t(p->second)].Act_ID == lngAct_ID) {
        mlngRapRecordNr = p->second;
        return;
    }
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].Act_ID == lngAct_ID) {
            mlngRapRecordNr = qint32(i);
            return;
        }
    }
    ui::MsgBox(QStringLiteral("Doelvermogen-ID ") + vb::CStr(lngAct_ID) + QStringLiteral(" niet gevonden."),
               ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Fout in rapActiveerDV_ID ") + mstrNaamStort);
}

const clsDV::ItemResult *clsDV::rapItem() const
{
    if (mlngRapRecordNr < 0 || size_t(mlngRapRecordNr) >= m_items.size())
        throw platform::Error(9, QStringLiteral("Subscript out of range"), QStringLiteral("clsDV"));
    return &m_items[size_t(mlngRapRecordNr)];
}

// The view's columns are looked up once; a closed view reports as such.
ActRow clsDV::rapRij() const { return ActRow(m_rsRap, m_rsRap.isOpen() ? &m_rapKolommen : nullptr); }

QVariant clsDV::rapField(const char *name) const
{
    return rapRij().value(name);
}

std::uint8_t clsDV::rapByte(const char *name) const
{
    return rapRij().byte(name);
}

bool clsDV::rapCombined() const
{
    return rapByte("bytCombineer") == 1;
}

qint32 clsDV::rapAct_ID() const { return rapField("idrAct_ID").toInt(); }
QString clsDV::rapKostenpost() const { return records::toText(rapField("strAct")); }
QString clsDV::rapObjectCat() const { return records::toText(rapField("strObjectCat")); }
QString clsDV::rapObjectCat_ID() const { return vb::CStr(rapField("bytObjectCat_REF")); }
QString clsDV::rapVoorz() const { return records::toText(rapField("strObject")); }
qint32 clsDV::rapCombineer() const { return rapByte("bytCombineer"); }
QString clsDV::rapNCWFactorX() const { return vb::CStr(rapItem()->NCWfactorX); }
QString clsDV::rapNCW() const { return vb::CStr(rapItem()->NCW); }

float clsDV::rapFractieVanTotaalDV() const
{
    const float dv = DoelvermogenZonderRisicoFonds();
    return dv == 0.0f ? 0.0f : rapItem()->NCW / dv;
}

QString clsDV::rapPercVanDV(float sngBedrag) const
{
    const float dv = DoelvermogenZonderRisicoFonds();
    if (dv == 0.0f)
        return QStringLiteral("-");
    return QStringLiteral("(") + vb::Format(sngBedrag / dv, QStringLiteral("0.0%")) + QStringLiteral(")");
}

QString clsDV::rapTstart() const
{
    if (rapCombined())
        return QStringLiteral("-");
    const QString start = vb::CStr(rapItem()->JaarEerste);
    switch (rapByte("bytOptieStart")) {
    case 1:
        if (rapByte("bytStartBA") == 1)
            return start;
        return start + QStringLiteral(" (") + orQuestionMark(rapField("intStartabs")) + QStringLiteral(")");
    case 2:
        return start;
    default:
        return QString();
    }
}

QString clsDV::rapKalJaarAanlegBA() const
{
    if (rapCombined())
        return QStringLiteral("-");
    if (rapByte("bytStartBA") != 1)
        return QString();
    switch (rapByte("bytOptieStart")) {
    case 1:
        return vb::CStr(rapField("intStartabs"));
    case 2:
        return QStringLiteral("naz.jr. ") + vb::CStr(rapField("intStartrel"));
    default:
        return QString();
    }
}

QString clsDV::rapTeind() const
{
    if (rapCombined())
        return QStringLiteral("-");
    const QString eind = vb::CStr(rapItem()->JaarLaatste);
    const bool ba = rapByte("bytEindBA") == 1;
    switch (rapByte("bytOptieEind")) {
    case 1:
        if (ba)
            return eind;
        return eind + QStringLiteral(" (") + orQuestionMark(rapField("intEindabs")) + QStringLiteral(")");
    case 2:
        return eind;
    case 3:
        if (rapByte("bytOptieFreq") == 1)
            return QStringLiteral("-");
        return ba ? eind : QStringLiteral("oo");
    default:
        return QString();
    }
}

QString clsDV::rapPrijsPerKeer() const
{
    if (rapCombined())
        return QStringLiteral("zie combinatiepost");
    const ActRow row = rapRij();
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

QString clsDV::rapFreq() const
{
    if (rapCombined())
        return QStringLiteral("-");
    switch (rapByte("bytOptieFreq")) {
    case 1:
        return QStringLiteral("eenm.");
    case 2:
        return vb::CStr(rapField("intfreqX")) + QStringLiteral("x per jr");
    case 3:
        return QStringLiteral("1x per ") + vb::CStr(rapField("intfreqX")) + QStringLiteral(" jr");
    default:
        return QString();
    }
}

std::uint8_t clsDV::rapSorteerVeldwaardeID() const
{
    // A name that is not a literal: looked up every time.
    return ActRow(m_rsRap).byte(mstrSorteerVeldNaam.toLatin1().constData());
}

QString clsDV::rapSorteerVeldwaardeString() const
{
    if (same(mstrSorteerVeldNaam, kRubriek))
        return rubriekNaam(rapByte("bytRubriek_REF"));
    if (same(mstrSorteerVeldNaam, kObjectCat))
        return records::toText(rapField("strObjectCat"));
    if (same(mstrSorteerVeldNaam, kIsQOR)) {
        switch (rapByte("bytIsQOR")) {
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

std::uint8_t clsDV::rapRubriek() const { return rapByte("bytRubriek_REF"); }

qint16 clsDV::AantalDVtabelRegels()
{
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT idrInrichting_ID FROM tblInrichting WHERE lngStort_REF=?"), mconData,
            db::LockType::ReadOnly, {mlngStort_ID});
    const qint64 regels = 3 * qint64(lngAantalRecords) + 3 * qint64(rs.RecordCount()) + 60;
    return qint16(vb::CInt(double(regels)));
}

std::uint8_t clsDV::rapIsQOR()
{
    const ActRow row = rapRij();
    const std::uint8_t klasse = row.byte("bytIsQOR");
    if (klasse != 2)
        return klasse;
    const QVariant ref = row.value("lngClitem_REF");
    if (records::isNullValue(ref) || !loaded(mclsCLrap).GaNaarItem(ref.toInt())) {
        ui::MsgBox(QStringLiteral("Checklistpost ") + vb::CStr(ref) + QStringLiteral(" is niet (meer) aanwezig in de checklist."),
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
    return klasse(loaded(mclsCLrap).verifyCL_RapEvalPerHa(bytOptieRapEval, sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax));
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
