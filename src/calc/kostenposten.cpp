#include "calc/kostenposten.h"

#include "calc/dv_values.h"

#include "records/field_read.h"

#include "platform/db/connection.h"

#include <iterator>

namespace calc {

namespace {

// The names of the fields only the calculation reads; the check's own
// come first, under the check's names.
constexpr const char *kEigenNamen[] = {"idrAct_ID", "lngInrichting_REF", "strAct",
                                       "bytIsQOR",  "strObject",         "bytObjectCat_REF"};
static_assert(records::kAantalActVelden + int(std::size(kEigenNamen)) == kAantalVelden);

static_assert(kAantalVelden <= 32, "a bit per field in Kostenpost::m_gelezen");

bool vanInrichting(Veld veld)
{
    return veld == Veld::strObject || veld == Veld::bytObjectCat_REF;
}

QString kolommen()
{
    QString lijst;
    for (int i = 0; i < kAantalVelden; ++i) {
        if (i > 0)
            lijst += QStringLiteral(", ");
        lijst += vanInrichting(Veld(i)) ? QStringLiteral("tblInrichting.") : QStringLiteral("tblAct.");
        lijst += QLatin1String(naam(Veld(i)));
    }
    return lijst;
}

} // namespace

const char *naam(Veld veld)
{
    const int i = int(veld);
    return i < records::kAantalActVelden ? records::kActVeldNamen[i] : kEigenNamen[i - records::kAantalActVelden];
}

// The types the data layer delivers for these columns are held as they
// are; any other value is kept whole, apart.
struct Kostenpost::Waarde {
    enum Soort : std::uint8_t { Null, Int, LongLong, Float, Double, Tekst, Overig };
    Soort soort;
    union {
        qint64 geheel;
        float enkel;
        double dubbel;
        size_t index; // into the texts or the other values
    };
};

const Kostenpost::Waarde &Kostenpost::waarde(Veld veld) const
{
    if (m_gelezen & (std::uint32_t(1) << int(veld)))
        return m_posten->m_waarden[size_t(m_rij) * kAantalVelden + size_t(veld)];
    return m_posten->lees(*this, veld);
}

QVariant Kostenpost::value(Veld veld) const
{
    const Waarde &w = waarde(veld);
    switch (w.soort) {
    case Waarde::Null:
        return QVariant();
    case Waarde::Int:
        return QVariant(int(w.geheel));
    case Waarde::LongLong:
        return QVariant(qlonglong(w.geheel));
    case Waarde::Float:
        return QVariant(w.enkel);
    case Waarde::Double:
        return QVariant(w.dubbel);
    case Waarde::Tekst:
        return QVariant(m_posten->m_teksten[w.index]);
    case Waarde::Overig:
        break;
    }
    return m_posten->m_overige[w.index];
}

bool Kostenpost::isNull(Veld veld) const
{
    const Waarde &w = waarde(veld);
    return w.soort == Waarde::Null || (w.soort == Waarde::Overig && records::isNullValue(value(veld)));
}

modVerifyAnSich::Invoer Kostenpost::invoer(Veld veld) const
{
    using modVerifyAnSich::Invoer;
    const Waarde &w = waarde(veld);
    switch (w.soort) {
    case Waarde::Null:
        return Invoer();
    case Waarde::Int:
    case Waarde::LongLong:
        return Invoer::vanGetal(double(w.geheel));
    case Waarde::Float:
        return Invoer::vanGetal(double(w.enkel));
    case Waarde::Double:
        return Invoer::vanGetal(w.dubbel);
    case Waarde::Tekst:
        return Invoer::vanTekst(m_posten->m_teksten[w.index]);
    case Waarde::Overig:
        break;
    }
    return Invoer(m_posten->m_overige[w.index]);
}

std::uint8_t Kostenpost::byte(Veld veld) const
{
    const Waarde &w = waarde(veld);
    if ((w.soort == Waarde::Int || w.soort == Waarde::LongLong) && w.geheel >= 0 && w.geheel <= 255)
        return std::uint8_t(w.geheel);
    if (w.soort == Waarde::Null)
        return 0;
    return ActRow::asByte(value(veld), naam(veld));
}

qint16 Kostenpost::int16(Veld veld) const
{
    const Waarde &w = waarde(veld);
    if ((w.soort == Waarde::Int || w.soort == Waarde::LongLong) && w.geheel >= -32768 && w.geheel <= 32767)
        return qint16(w.geheel);
    if (w.soort == Waarde::Null)
        return 0;
    return ActRow::asInt16(value(veld), naam(veld));
}

float Kostenpost::single(Veld veld) const
{
    const Waarde &w = waarde(veld);
    switch (w.soort) {
    case Waarde::Float:
        return w.enkel;
    case Waarde::Double:
        return float(w.dubbel);
    case Waarde::Null:
        return 0.0f;
    default:
        return ActRow::asSingle(value(veld), naam(veld));
    }
}

QString Kostenpost::text(Veld veld) const
{
    const Waarde &w = waarde(veld);
    if (w.soort == Waarde::Tekst)
        return m_posten->m_teksten[w.index];
    return records::toText(value(veld));
}

Kostenposten::Kostenposten() = default;

Kostenposten::~Kostenposten() = default;

void Kostenposten::open(db::Connection &con, qint32 lngStort_ID)
{
    close();
    // After the fields, what the report view and the list of checklist
    // items in use read of the same rows (clsDV::rijenBerekening); the
    // category's name joined so that it adds no row and drops none.
    static const QString sql = QStringLiteral("SELECT ") + kolommen()
                               + QStringLiteral(", tblAct.lngClitem_REF, tblAct.lngStort_REF,"
                                                " tblInrichting.lngStort_REF AS lngInrichtingStort_REF,"
                                                " tblObjectCat.strObjectCat"
                                                " FROM (tblInrichting INNER JOIN tblAct"
                                                " ON tblInrichting.idrInrichting_ID = tblAct.lngInrichting_REF)"
                                                " LEFT JOIN tblObjectCat"
                                                " ON tblObjectCat.bytObjectCat_ID = tblInrichting.bytObjectCat_REF"
                                                " WHERE tblAct.lngStort_REF=? ORDER BY tblAct.idrAct_ID");
    m_rs.Open(sql, con, db::LockType::ReadOnly, {lngStort_ID});
    m_velden.reserve(size_t(kAantalVelden));
    for (int i = 0; i < kAantalVelden; ++i)
        m_velden.push_back(m_rs.Fields(i));
    const size_t rijen = size_t(m_rs.RecordCount());
    m_posten.resize(rijen);
    for (size_t i = 0; i < rijen; ++i) {
        m_posten[i].m_posten = this;
        m_posten[i].m_rij = int(i);
    }
    // The places are kept for the next site's rows when they are enough.
    const size_t plaatsen = rijen * size_t(kAantalVelden);
    if (plaatsen > m_plaatsen) {
        m_waarden.reset(new Kostenpost::Waarde[plaatsen]);
        m_plaatsen = plaatsen;
    }
    m_teksten.reserve(rijen * 2);
    m_positie = rijen == 0 ? -1 : 0;
}

void Kostenposten::close()
{
    m_posten.clear();
    m_velden.clear();
    m_teksten.clear();
    m_overige.clear();
    m_rs.Close();
    m_positie = -1;
}

const Kostenpost::Waarde &Kostenposten::lees(const Kostenpost &post, Veld veld)
{
    using Waarde = Kostenpost::Waarde;
    naarRij(post.m_rij);
    const QVariant v = m_velden[size_t(veld)].Value();
    Waarde &w = m_waarden[size_t(post.m_rij) * kAantalVelden + size_t(veld)];
    switch (v.typeId()) {
    case QMetaType::UnknownType:
        w.soort = Waarde::Null;
        break;
    case QMetaType::Int:
        w.soort = Waarde::Int;
        w.geheel = qvariant_cast<int>(v);
        break;
    case QMetaType::LongLong:
        w.soort = Waarde::LongLong;
        w.geheel = qvariant_cast<qlonglong>(v);
        break;
    case QMetaType::Float:
        w.soort = Waarde::Float;
        w.enkel = qvariant_cast<float>(v);
        break;
    case QMetaType::Double:
        w.soort = Waarde::Double;
        w.dubbel = qvariant_cast<double>(v);
        break;
    case QMetaType::QString:
        w.soort = Waarde::Tekst;
        w.index = m_teksten.size();
        m_teksten.push_back(v.toString());
        break;
    default:
        w.soort = Waarde::Overig;
        w.index = m_overige.size();
        m_overige.push_back(v);
        break;
    }
    post.m_gelezen |= std::uint32_t(1) << int(veld);
    return w;
}

void Kostenposten::naarRij(int rij)
{
    if (rij == m_positie)
        return;
    if (rij == m_positie + 1) {
        m_rs.MoveNext();
    } else {
        m_rs.MoveFirst();
        if (rij > 0)
            m_rs.Move(rij);
    }
    m_positie = rij;
}

} // namespace calc
