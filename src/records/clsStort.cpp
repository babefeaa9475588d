#include "records/clsStort.h"

#include "records/codes.h"
#include "records/field_read.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/text/format.h"
#include "platform/ui/dialogs.h"

namespace records {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
QString src(const char *operation)
{
    return QStringLiteral("clsStort.") + QLatin1String(operation);
}
} // namespace

clsStort::clsStort(const Context &ctx) : m_ctx(ctx)
{
    m_cn.Open(m_ctx.gstrConnData);
}

clsStort::~clsStort()
{
    try {
        Move0();
    } catch (const platform::Error &e) {
        reportReleaseError(m_ctx, e.withSource(src("Move0")));
    } catch (...) {
        reportReleaseError(m_ctx, platform::Error(db::err::kDatabaseError,
                                                  QStringLiteral("Onbekende fout bij het opslaan."), src("Move0")));
    }
    detach();
    rsStort.Close();
    m_cn.Close();
}

void clsStort::initializeStort(qint32 stort_ID)
{
    detach();
    rsStort.Open(QStringLiteral("SELECT * FROM tblStort WHERE idrStort_ID=?"), m_cn, db::LockType::Pessimistic,
                 {stort_ID});
    attach(&rsStort);
}

db::Recordset *clsStort::DataMember(const QString &name)
{
    return name.isEmpty() ? nullptr : &rsStort;
}

QVariant clsStort::field(const char *column) const
{
    try {
        return rsStort.Fields(QLatin1String(column)).Value();
    } catch (const platform::Error &e) {
        throw e.withSource(src(column));
    }
}

QString clsStort::text(const char *column, const QString &dflt) const
{
    const QVariant v = field(column);
    return isNullValue(v) ? dflt : toText(v);
}

float clsStort::single(const char *column) const
{
    const QVariant v = field(column);
    return isNullValue(v) ? 0.0f : toSingle(v, src(column));
}

QVariant clsStort::required(const char *column, const char *source) const
{
    try {
        return requiredField(rsStort, QLatin1String(column), src(source));
    } catch (const platform::Error &e) {
        throw e.withSource(src(source));
    }
}

void clsStort::write(const char *column, const QVariant &value)
{
    try {
        rsStort.Fields(QLatin1String(column)).setValue(value);
    } catch (const platform::Error &e) {
        throw e.withSource(src(column));
    }
}

bool clsStort::StortnaamBestaatAl(const QString &strNaam)
{
    const qint32 own = stort_ID();
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT strStortNaam FROM tblStort WHERE strStortNaam=? AND idrStort_ID<>?"), m_cn,
            db::LockType::ReadOnly, {strNaam, own});
    const bool exists = !rs.BOF();
    rs.Close();
    return exists;
}

qint32 clsStort::stort_ID() const
{
    return toInt32(required("idrStort_ID", "stort_ID"), src("stort_ID"));
}
QString clsStort::RivmNr() const
{
    return text("strRIVMnr");
}

QString clsStort::ProvNaam() const
{
    return provincieNaam(toByte(required("bytProv_REF", "ProvNaam"), src("ProvNaam")));
}

QString clsStort::locatie_adres() const
{
    return text("memVestigingsadres");
}
QString clsStort::VergHouderNaam() const
{
    return text("strVergNaam");
}
QString clsStort::VergHouderPostadres() const
{
    return text("strVergPostAdres");
}
QString clsStort::VergHouderContactPers() const
{
    return text("strVergContPers");
}
QString clsStort::VergHouderTelnr() const
{
    return text("strVergTel");
}
QString clsStort::VergHouderFaxnr() const
{
    return text("strVergFax");
}
QString clsStort::VergHouderEmail() const
{
    return text("strVergEmail");
}
QString clsStort::InvullerNaam() const
{
    return text("strInvNaam");
}
QString clsStort::InvullerPostadres() const
{
    return text("strInvPostAdres");
}
QString clsStort::InvullerContactPers() const
{
    return text("strInvContPers");
}
QString clsStort::InvullerTelnr() const
{
    return text("strInvTel");
}
QString clsStort::InvullerFaxnr() const
{
    return text("strInvFax");
}
QString clsStort::InvullerEmail() const
{
    return text("strInvEmail");
}

void clsStort::Move0()
{
    if (!rsStort.isOpen() || rsStort.BOF() || rsStort.EOF_())
        return;
    try {
        rsStort.Move(0);
    } catch (const platform::Error &e) {
        throw e.withSource(src("Move0"));
    }
}

void clsStort::CancelUpdate()
{
    if (rsStort.isOpen() && !rsStort.BOF() && !rsStort.EOF_())
        rsStort.CancelUpdate();
}

QString clsStort::Bedrijfs_Objectgebonden() const
{
    // An empty flag counts as "not 1".
    const auto isOne = [this](const char *column) {
        const QVariant v = field(column);
        return !isNullValue(v) && v.toDouble() == 1.0;
    };
    const QString first =
        isOne("bytBedrijfsGebonden") ? QStringLiteral("bedrijfsgebonden ") : QStringLiteral("niet-bedrijfsgebonden ");
    const QString second =
        isOne("bytObjectGebonden") ? QStringLiteral("en objectgebonden. ") : QStringLiteral("en niet-objectgebonden. ");
    return first + second;
}

bool isDatumAanvangNazorg(const QDate &date)
{
    return date.isValid() && date.year() >= 1000 && date.year() <= 9999;
}

namespace {

// The stored start of after-care as a date, or an invalid one when the
// field holds something else (a text, a number, a year outside the field's
// years).
QDateTime leesbareDatum(const QVariant &v)
{
    if (v.typeId() != QMetaType::QDateTime && v.typeId() != QMetaType::QDate)
        return QDateTime();
    const QDateTime dt = v.toDateTime();
    return isDatumAanvangNazorg(dt.date()) ? dt : QDateTime();
}

} // namespace

bool clsStort::DatumAanvangNazorgOnleesbaar() const
{
    const QVariant v = field("dtmAanvangNazorg");
    return !isNullValue(v) && !leesbareDatum(v).isValid();
}

float clsStort::AanvangNazorgGebrokenJaar() const
{
    const QVariant v = field("dtmAanvangNazorg");
    if (isNullValue(v)) {
        ui::MsgBox(QStringLiteral("Datum aanvang nazorg is niet ingevuld. U dient deze datum eerst in te vullen."),
                   ui::Buttons::OK, ui::Icon::Information, QStringLiteral("Datum nazorg onbekend"));
        return 2030.0f;
    }
    const QDateTime stored = leesbareDatum(v);
    if (!stored.isValid()) {
        // Not a date the general-data screen would take: another tool wrote
        // it. Nothing can be worked out from it; it counts as no date.
        ui::MsgBox(QStringLiteral("De datum aanvang nazorg in het databestand (") + toText(v)
                       + QStringLiteral(") is geen geldige datum. Zonder geldige datum aanvang nazorg kan niet "
                                        "worden gerekend.")
                       + kCrLf
                       + QStringLiteral(
                           "Past u de datum aanvang nazorg aan via de menu-optie 'Invoer -> Gegevens inrichting'."),
                   ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Ongeldige datum aanvang nazorg"));
        return 2030.0f;
    }
    const QDate date = stored.date();
    int half = 0;
    if (date.day() == 16) {
        half = 1;
    } else if (date.day() != 1) {
        ui::MsgBox(QStringLiteral("Ongeldige datum aanvang nazorg (") + vb::Format(stored, QStringLiteral("Short Date"))
                       + QStringLiteral(") ingevoerd. ")
                       + QStringLiteral("De dag van aanvang nazorg dient de 1e of de 16e te zijn. ") + kCrLf
                       + QStringLiteral("Er zal nu worden gerekend met 1-") + QString::number(date.month())
                       + QStringLiteral("-") + QString::number(date.year()) + QStringLiteral(".") + kCrLf
                       + QStringLiteral(
                           "Past u de datum aanvang nazorg aan via de menu-optie 'Invoer -> Gegevens inrichting'."),
                   ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Ongeldige datum aanvang nazorg"));
    }
    const double year = double(date.year()) + double(date.month() - 1) / 12.0 + double(half) / 24.0;
    return float(year);
}

QDateTime clsStort::DatumAanvangNazorg() const
{
    return required("dtmAanvangNazorg", "DatumAanvangNazorg").toDateTime();
}

void clsStort::DatumAanvangNazorg(const QDateTime &dtm)
{
    write("dtmAanvangNazorg", dtm);
}

qint16 clsStort::JaarPrijsPeil() const
{
    const QVariant v = field("intJaarPrijsPeil");
    return isNullValue(v) ? qint16(0) : toInt16(v, src("JaarPrijsPeil"));
}

float clsStort::rente() const
{
    return float(double(toSingle(required("sngRentePerc", "rente"), src("rente"))) / 100.0);
}

float clsStort::inflatie() const
{
    return float(double(toSingle(required("sngInflPerc", "inflatie"), src("inflatie"))) / 100.0);
}

std::uint8_t clsStort::Optie_heffing() const
{
    return toByte(required("bytheffing", "Optie_heffing"), src("Optie_heffing"));
}

qint16 clsStort::startjaarHeffing() const
{
    return toInt16(required("intStartjaarHeffing", "startjaarHeffing"), src("startjaarHeffing"));
}

qint16 clsStort::eindjaarHeffing() const
{
    return toInt16(required("intEindjaarHeffing", "eindjaarHeffing"), src("eindjaarHeffing"));
}

std::uint8_t clsStort::bytBedrijfsGebonden() const
{
    return toByte(required("bytBedrijfsGebonden", "bytBedrijfsGebonden"), src("bytBedrijfsGebonden"));
}

std::uint8_t clsStort::bytObjectGebonden() const
{
    return toByte(required("bytObjectGebonden", "bytObjectGebonden"), src("bytObjectGebonden"));
}

std::uint8_t clsStort::prov_id() const
{
    return toByte(required("bytProv_REF", "prov_id"), src("prov_id"));
}

float clsStort::NazorgOpp() const
{
    return single("sngNazorgOpp");
}

float clsStort::AppKostenBasis() const
{
    return single("sngAlgAppKostenBasis");
}
void clsStort::AppKostenBasis(float sng)
{
    write("sngAlgAppKostenBasis", sng);
}
float clsStort::AppKostenBasisPerc() const
{
    return single("sngAppKostenPerc");
}
void clsStort::AppKostenBasisPerc(float sng)
{
    write("sngAppKostenPerc", sng);
}

qint32 clsStort::OptieRapEval() const
{
    const QVariant v = field("bytRapEval");
    return isNullValue(v) ? 0 : toInt32(v, src("OptieRapEval"));
}

float clsStort::RapEvalMin() const
{
    return single("sngRapEvalMin");
}
void clsStort::RapEvalMin(float sng)
{
    write("sngRapEvalMin", sng);
}
float clsStort::RapEvalPerHa() const
{
    return single("sngRapEvalPerHa");
}
void clsStort::RapEvalPerHa(float sng)
{
    write("sngRapEvalPerHa", sng);
}
float clsStort::RapEvalMax() const
{
    return single("sngRapEvalMax");
}
void clsStort::RapEvalMax(float sng)
{
    write("sngRapEvalMax", sng);
}
float clsStort::CommunicatieKosten() const
{
    return single("sngAlgCommunicatieKosten");
}
void clsStort::CommunicatieKosten(float sng)
{
    write("sngAlgCommunicatieKosten", sng);
}
float clsStort::Onvoorzien() const
{
    return single("sngOnvoorzien");
}
void clsStort::Onvoorzien(float sng)
{
    write("sngOnvoorzien", sng);
}
float clsStort::OntwerpdirectieFixed() const
{
    return single("sngOntwerpdirectie");
}
void clsStort::OntwerpdirectieFixed(float sng)
{
    write("sngOntwerpdirectie", sng);
}
float clsStort::RisicoBedrag() const
{
    return single("sngAlgRisicoBedrag");
}
void clsStort::RisicoBedrag(float sng)
{
    write("sngAlgRisicoBedrag", sng);
}

QString clsStort::StandaardExportDir() const
{
    return text("memStandaardExportDir", QStringLiteral("c:\\"));
}
void clsStort::StandaardExportDir(const QString &str)
{
    write("memStandaardExportDir", str);
}

QString clsStort::NaamStort() const
{
    return text("strStortNaam", QStringLiteral("?"));
}

qint16 clsStort::intStortType() const
{
    return toInt16(required("intStortType", "intStortType"), src("intStortType"));
}

float clsStort::checklist_ID() const
{
    return single("intCL_REF");
}

void clsStort::GetInfoChecklist()
{
    const QVariant id = required("intCL_REF", "GetInfoChecklist");
    db::Connection cn;
    cn.Open(m_ctx.gstrConnCL);
    db::Recordset rs;
    try {
        rs.Open(QStringLiteral(
                    "SELECT tblCL.*, tblStortType.strStortType"
                    " FROM tblStortType INNER JOIN tblCL ON tblStortType.intStortType_ID = tblCL.lngStortType_REF"
                    " WHERE intCL_ID = ?"),
                cn, db::LockType::ReadOnly, {id});
        const QString source = src("GetInfoChecklist");
        const QString stortType = toText(requiredField(rs, QStringLiteral("strStortType"), source));
        const QDateTime dtmCl = requiredField(rs, QStringLiteral("dtmCl"), source).toDateTime();
        const QString opmerking = toText(requiredField(rs, QStringLiteral("strOpmerking"), source));
        ClInfo_StortType = stortType;
        ClInfo_Versie = QString::number(dtmCl.date().year());
        ClInfo_Opmerking = opmerking;
    } catch (const platform::Error &e) {
        throw e.withSource(src("GetInfoChecklist"));
    }
}

void clsStort::LetChecklist_REF(qint32 id)
{
    write("intCL_REF", id);
}

} // namespace records
