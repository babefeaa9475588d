// The checklist view: loading, cursor, version and item values, averages.

#include "checklist/clsCL.h"

#include "checklist/entered_values.h"
#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/jet_types.h"
#include "platform/text/number_text.h"
#include "platform/ui/dialogs.h"

namespace checklist {

namespace {

// The average of a pair of bounds in single precision; Null when both are
// empty.
QVariant average(const QVariant &lower, const QVariant &upper)
{
    const std::optional<float> l = boundOf(lower);
    const std::optional<float> u = boundOf(upper);
    if (l && u)
        return QVariant((*l + *u) / 2.0f);
    if (l)
        return QVariant(*l);
    if (u)
        return QVariant(*u);
    return QVariant();
}

} // namespace

clsCL::clsCL(const Context &ctx) : m_ctx(ctx)
{
    cnCL.Open(m_ctx.gstrConnCL);
}

clsCL::clsCL(const QString &gstrConnCL) : clsCL(Context{gstrConnCL, 2030.0f, {}}) {}

clsCL::~clsCL()
{
    try {
        rsCLitem.Close();
        rsVoetnoot.Close();
        rsCL.Close();
        cnCL.Close();
    } catch (...) {
        // Closing a read-only view has nothing to lose.
    }
}

// ---- Loading and cursor ----------------------------------------------------

void clsCL::initializeCL(qint32 SelectCL_ID)
{
    rsCLitem.Close();
    rsCL.Close();
    rsVoetnoot.Close();
    const QVariantList id{SelectCL_ID};
    // A Yes/No column is True for any non-zero value.
    rsCLitem.Open(QStringLiteral("SELECT tblCLitem.* FROM tblCLitem  WHERE blnActief<>0 AND intCL_REF=?"), cnCL,
                  db::LockType::ReadOnly, id);
    rsCLitem.Fields(QStringLiteral("lngCLitem_ID")).setOptimize(true);
    rsCL.Open(QStringLiteral("Select * from tblCL WHERE intCL_ID=?"), cnCL, db::LockType::ReadOnly, id);
    rsVoetnoot.Open(QStringLiteral("Select * from tblVoetnoot WHERE intCL_REF=?"), cnCL, db::LockType::ReadOnly, id);
}

bool clsCL::checklistBestaat()
{
    if (rsCLitem.RecordCount() > 0)
        return true;
    ui::MsgBox(QStringLiteral("Deze inrichting is gerelateerd aan een nieuwere versie van de QOR-checklist.\r\n"
                              "Download eerst de benodigde update."),
               ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Verificatie beschikbaarheid checklist"));
    return false;
}

bool clsCL::EOF_rsCLitem() const
{
    return rsCLitem.EOF_();
}

void clsCL::movenext_rsCLitem()
{
    rsCLitem.MoveNext();
}

void clsCL::movefirst_rsCLitem()
{
    if (rsCLitem.RecordCount() > 0)
        rsCLitem.MoveFirst();
}

qint32 clsCL::lngCLitem_ID() const
{
    const QVariant v = item("lngCLitem_ID");
    if (db::isNull(v))
        throw invalidUseOfNull();
    return v.toInt();
}

bool clsCL::GaNaarItem(qint32 id)
{
    if (rsCLitem.RecordCount() == 0)
        return false;
    rsCLitem.MoveFirst();
    rsCLitem.Find(QStringLiteral("lngCLitem_ID=") + QString::number(id));
    return !rsCLitem.EOF_();
}

QString clsCL::GetCombinatiePosten()
{
    QString ids;
    movefirst_rsCLitem();
    while (!rsCLitem.EOF_()) {
        if (blnIsCombinatiePost())
            ids += QLatin1Char(',') + QString::number(lngCLitem_ID());
        rsCLitem.MoveNext();
    }
    return ids.mid(1);
}

db::Recordset *clsCL::DataMember(const QString &name)
{
    return name.isEmpty() ? nullptr : &rsCLitem;
}

// ---- Reading columns -------------------------------------------------------

QVariant clsCL::item(const char *column) const
{
    return rsCLitem.Fields(QString::fromLatin1(column)).Value();
}

QVariant clsCL::version(const char *column) const
{
    return rsCL.Fields(QString::fromLatin1(column)).Value();
}

float clsCL::versionSingle(const char *column) const
{
    const QVariant v = version(column);
    if (db::isNull(v))
        throw invalidUseOfNull();
    return numberOf(v);
}

std::uint8_t clsCL::itemByte(const char *column) const
{
    const QVariant v = item(column);
    if (db::isNull(v))
        throw invalidUseOfNull();
    const int n = v.toInt();
    if (n < 0 || n > 255)
        throw platform::Error(vb::kErrOverflow, QStringLiteral("Overflow"));
    return static_cast<std::uint8_t>(n);
}

bool clsCL::itemBool(const char *column) const
{
    const QVariant v = item(column);
    if (db::isNull(v))
        throw invalidUseOfNull();
    return v.toBool() || v.toInt() != 0;
}

// ---- Version values --------------------------------------------------------

QString clsCL::strVersie() const
{
    const QVariant v = version("strVersie");
    if (db::isNull(v))
        throw invalidUseOfNull();
    return v.toString();
}

QDateTime clsCL::dtmCl() const
{
    const QVariant v = version("dtmCl");
    if (db::isNull(v))
        throw invalidUseOfNull();
    return v.toDateTime();
}

qint16 clsCL::intCl_ID() const
{
    const QVariant v = version("intCL_ID");
    if (db::isNull(v))
        throw invalidUseOfNull();
    return static_cast<qint16>(v.toInt());
}

qint16 clsCL::intJaarPrijspeil() const
{
    const QVariant v = version("intJaarPrijspeil");
    if (db::isNull(v))
        throw invalidUseOfNull();
    return static_cast<qint16>(v.toInt());
}

float clsCL::sngCommunicatieMIN() const
{
    return versionSingle("sngCommunicatieMIN");
}
float clsCL::sngCommunicatieMAX() const
{
    return versionSingle("sngCommunicatieMAX");
}
float clsCL::sngRapEvalPerHa() const
{
    return versionSingle("sngRapEvalPerHa");
}
float clsCL::sngRapEvalMin() const
{
    return versionSingle("sngRapEvalMin");
}
float clsCL::sngRapEvalMax() const
{
    return versionSingle("sngRapEvalMax");
}
float clsCL::sngAppKostenBasisMIN() const
{
    return versionSingle("sngAppKostenBasisMIN");
}
float clsCL::sngAppKostenBasisMAX() const
{
    return versionSingle("sngAppKostenBasisMAX");
}
float clsCL::sngAppKostenPerc() const
{
    return versionSingle("sngAppKostenPerc");
}
float clsCL::sngOnvoorzien() const
{
    return versionSingle("sngOnvoorzien");
}
float clsCL::sngOntwerpdirectieFixed() const
{
    return versionSingle("sngOntwerpdirectie");
}
float clsCL::sngVervangingstoeslagKleineWerken() const
{
    return versionSingle("sngVervangingstoeslagKleineWerken");
}
float clsCL::sngVervangingstoeslagGroteWerkenMin() const
{
    return versionSingle("sngVervangingstoeslagGroteWerkenMin");
}
float clsCL::sngVervangingstoeslagGroteWerkenMax() const
{
    return versionSingle("sngVervangingstoeslagGroteWerkenMax");
}

bool clsCL::GebruikGedifferentieerdeToeslagB() const
{
    return sngOntwerpdirectieFixed() == -999.0f;
}

// ---- Item values -----------------------------------------------------------

QVariant clsCL::Voorziening() const
{
    return item("strVoorz");
}
QVariant clsCL::Omschrijving() const
{
    return item("strOmschrijving");
}

QVariant clsCL::OmschrijvingEx() const
{
    const QVariant description = item("strOmschrijving");
    const QString text = db::isNull(description) ? QString() : description.toString();
    return QVariant(text + QStringLiteral(" (ID: ") + vb::CStr(lngCLitem_ID()) + QLatin1Char(')'));
}

QVariant clsCL::Startjaar() const
{
    return item("intStartJaar");
}
bool clsCL::StartjaarEerderMag() const
{
    return itemBool("blnStartjaarEerderMag");
}
QVariant clsCL::Eindjaar() const
{
    return item("intEINDJAAR");
}
QVariant clsCL::FreqXmin() const
{
    return item("sngFreqXMin");
}
QVariant clsCL::FreqXmax() const
{
    return item("sngFreqXMax");
}
QVariant clsCL::PrijsPEmin() const
{
    return item("sngPrijsPEmin");
}
QVariant clsCL::PrijsPEmax() const
{
    return item("sngPrijsPEmax");
}
QVariant clsCL::PercInvestMIN() const
{
    return item("sngPercInvestMIN");
}
QVariant clsCL::PercInvestMAX() const
{
    return item("sngPercInvestMAX");
}
QVariant clsCL::KostenInvestMIN() const
{
    return item("sngKostenInvestMIN");
}
QVariant clsCL::KostenInvestMAX() const
{
    return item("sngKostenInvestMAX");
}
QVariant clsCL::KostenTotaalMIN() const
{
    return item("sngKostenTotaalMIN");
}
QVariant clsCL::KostenTotaalMAX() const
{
    return item("sngKostenTotaalMAX");
}
QVariant clsCL::Eenheid() const
{
    return item("strEenheid");
}
QVariant clsCL::AantalMIN() const
{
    return item("sngAantalMIN");
}
QVariant clsCL::AantalMAX() const
{
    return item("sngAantalMAX");
}
QVariant clsCL::Toelichting() const
{
    return item("strToelichting");
}
QVariant clsCL::RefDeelonderz() const
{
    return item("strRefDeelonderz");
}
QVariant clsCL::VtNtStartjaar() const
{
    return item("strVtNtStartjaar");
}
QVariant clsCL::VtNtEindjaar() const
{
    return item("strVtNtEindjaar");
}
QVariant clsCL::strVtntPeriodMin() const
{
    return item("strVtntPeriodMin");
}
QVariant clsCL::VtNtPeriodMax() const
{
    return item("strVtNtPeriodMax");
}
QVariant clsCL::VtNtPrijsPEmin() const
{
    return item("strVtNtPrijsPEmin");
}
QVariant clsCL::VtNtPrijsPEmax() const
{
    return item("strVtNtPrijsPEmax");
}

std::uint8_t clsCL::bytObjectCat_ID() const
{
    return itemByte("bytObjectCat_REF");
}
std::uint8_t clsCL::bytOptieKosten() const
{
    return itemByte("bytOptieKosten");
}
std::uint8_t clsCL::bytOptieFreq() const
{
    return itemByte("bytOptieFreq");
}
std::uint8_t clsCL::bytOptieEind() const
{
    return itemByte("bytOptieEind");
}
std::uint8_t clsCL::bytRubriek_REF() const
{
    return itemByte("bytRubriek_REF");
}
std::uint8_t clsCL::bytStartBA() const
{
    return itemByte("bytStartBA");
}
std::uint8_t clsCL::bytEindBA() const
{
    return itemByte("bytEindBA");
}
std::uint8_t clsCL::bytTypeVervangingsToeslag() const
{
    return itemByte("bytTypeVervangingsToeslag");
}
bool clsCL::blnCombinatieMogelijk() const
{
    return itemBool("blnCombinatieMogelijk");
}
bool clsCL::blnIsCombinatiePost() const
{
    return itemBool("blnIsCombinatiePost");
}

QString clsCL::Rubriek() const
{
    static const char *const names[] = {"Instandhouden", "Controlemetingen", "Inspecties",
                                        "Onderhoud",     "Vervanging",       "Overig"};
    const std::uint8_t code = bytRubriek_REF();
    if (code < 1 || code > 6)
        throw invalidUseOfNull();
    return QString::fromLatin1(names[code - 1]);
}

// ---- Averages --------------------------------------------------------------

QVariant clsCL::freqXGEM() const
{
    const std::optional<float> lower = boundOf(FreqXmin());
    if (lower && *lower == 0.0f)
        return QVariant();
    return average(FreqXmin(), FreqXmax());
}

QVariant clsCL::AantalGEM() const
{
    return average(AantalMIN(), AantalMAX());
}
QVariant clsCL::PrijsPEgem() const
{
    return average(PrijsPEmin(), PrijsPEmax());
}
QVariant clsCL::InvKostenGEM() const
{
    return average(KostenInvestMIN(), KostenInvestMAX());
}
QVariant clsCL::KostenTotaalGEM() const
{
    return average(KostenTotaalMIN(), KostenTotaalMAX());
}

float clsCL::InvPercGEM() const
{
    const QVariant v = average(PercInvestMIN(), PercInvestMAX());
    return db::isNull(v) ? 0.0f : v.toFloat();
}

} // namespace checklist
