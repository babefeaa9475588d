#pragma once
// The cost items of one site as the completeness check and the calculation
// read them. Each field of a row is read from the recordset on first use
// and kept in a compact form that gives back the very value the data layer
// delivered, so that the check and the calculation that follows it on the
// same rows share one decoded copy and read no field twice.

#include "records/act_checks.h"
#include "records/act_completeness.h"

#include "platform/db/recordset.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <vector>

namespace db {
class Connection;
}

namespace calc {

// The fields read: first those of the completeness check, in its order,
// then those only the calculation needs. The query selects them in this
// order, so a field's number is its column; the columns after them are the
// report's (lngClitem_REF, tblAct's lngStort_REF, the facility's as
// lngInrichtingStort_REF, strObjectCat).
enum class Veld : std::uint8_t {
    TAVIR_ACT_VELDEN(TAVIR_ACT_VELD_ENUM) idrAct_ID,
    lngInrichting_REF,
    strAct,
    bytIsQOR,
    strObject,
    bytObjectCat_REF,
};
inline constexpr int kAantalVelden = int(Veld::bytObjectCat_REF) + 1;
static_assert(int(Veld::sngVervangingsToeslagPerc) + 1 == records::kAantalActVelden);

// The field's name as the tables spell it.
const char *naam(Veld veld);

class Kostenposten;

// One row. Its fields are read on first use, also after the walk has moved
// on to other rows, for as long as the rows are open.
class Kostenpost {
public:
    // The value as the data layer delivered it.
    QVariant value(Veld veld) const;
    bool isNull(Veld veld) const;
    // The value as the completeness checks read it.
    modVerifyAnSich::Invoer invoer(Veld veld) const;
    // Null as 0 or the empty text; another value that does not convert
    // raises the record layer's error, naming the field (as ActRow does).
    std::uint8_t byte(Veld veld) const;
    float single(Veld veld) const;
    qint16 int16(Veld veld) const;
    QString text(Veld veld) const;

private:
    friend class Kostenposten;
    struct Waarde;
    const Waarde &waarde(Veld veld) const;

    Kostenposten *m_posten = nullptr;
    int m_rij = 0;
    mutable std::uint32_t m_gelezen = 0; // a bit per field read
};

class Kostenposten {
public:
    Kostenposten();
    ~Kostenposten();
    Kostenposten(const Kostenposten &) = delete;
    Kostenposten &operator=(const Kostenposten &) = delete;

    // Reads the cost items of a site, in the order of their record ids,
    // with their facility's name and object category.
    void open(db::Connection &con, qint32 lngStort_ID);
    void close();
    bool isOpen() const { return m_rs.isOpen(); }
    int size() const { return int(m_posten.size()); }

    // Position 0 .. size() - 1 in reading order.
    const Kostenpost &operator[](int i) const { return m_posten[size_t(i)]; }

    // The rows as a recordset, for a walk in another order. Where it stands
    // is left to the rows' own reading.
    const db::Recordset &recordset() const { return m_rs; }

private:
    friend class Kostenpost;
    const Kostenpost::Waarde &lees(const Kostenpost &post, Veld veld);
    void naarRij(int rij);

    db::Recordset m_rs;
    std::vector<db::Field> m_velden;
    std::vector<Kostenpost> m_posten;
    // A place per field of every row; only the places of the fields read
    // hold a value (the bits of their row tell which). Texts and values of
    // other types stand apart.
    std::unique_ptr<Kostenpost::Waarde[]> m_waarden;
    size_t m_plaatsen = 0;
    std::vector<QString> m_teksten;
    std::vector<QVariant> m_overige;
    int m_positie = -1;
};

} // namespace calc
