// The checklist view's price-level and reporting rules: the price-level
// note, the factor between two price-level years, the hectare threshold
// between reporting options 2 and 3, and the option of an area.

#include "checklist/clsCL.h"

#include "checklist/entered_values.h"
#include "platform/core/error.h"
#include "platform/db/jet_types.h"
#include "platform/text/conversions.h"
#include "platform/text/number_text.h"
#include "platform/text/variant_text.h"
#include "platform/ui/dialogs.h"

#include <algorithm>

namespace checklist {

QString clsCL::lblToelichtingPrijspeil() const
{
    const QVariant jaar = version("intJaarPrijspeil");
    QString text = QStringLiteral("NB: Alle kostenposten invoeren in prijspeil ");
    if (!db::isNull(jaar))
        text += vb::CStr(jaar.toInt());
    return text;
}

float clsCL::sngPrijsPeilCorr(int intJaarVan, int intJaarNaar)
{
    if (intJaarNaar == intJaarVan)
        return 1.0f;
    const bool terug = intJaarVan > intJaarNaar;
    const int eerste = std::min(intJaarVan, intJaarNaar) + 1;
    const int laatste = std::max(intJaarVan, intJaarNaar);

    db::Recordset rs;
    rs.Open(QStringLiteral("select * from tblPPcorr where intJaar >= ? AND intJaar <= ? ORDER BY intJaar"), cnCL,
            db::LockType::ReadOnly, {eerste, laatste});
    float factor = 1.0f;
    while (!rs.EOF_()) {
        // A year without a correction, like a year without a row, is no change.
        const QVariant corr = rs.Fields(QStringLiteral("sngPPcorr")).Value();
        if (!db::isNull(corr))
            factor =
                static_cast<float>(static_cast<double>(factor) * (1.0 + static_cast<double>(corr.toFloat()) / 100.0));
        rs.MoveNext();
    }
    rs.Close();
    // Going back the factor is the inverse of the product, divided in
    // double precision and stored as a Single like the product.
    return terug ? static_cast<float>(1.0 / static_cast<double>(factor)) : factor;
}

float clsCL::AantalHaGrens() const
{
    const float perHa = sngRapEvalPerHa();
    if (perHa == 0.0f)
        throw divisionByZero();
    const float t = (sngRapEvalMax() - sngRapEvalMin()) / perHa + 10.0f;
    // The threshold is rounded to whole hundredths when the default text of
    // the Single ends in "44" (34,44444 becomes 34.44).
    if (vb::CStr(t).endsWith(QStringLiteral("44")))
        return static_cast<float>(vb::Round(t, 2));
    return t;
}

namespace {

void ongeldigeKwalificatie()
{
    ui::MsgBox(QStringLiteral("Fout:\r\nOngeldige kwalificatie aantal ha in CalcOptieRapEval"), ui::Buttons::OK,
               ui::Icon::Critical);
}

} // namespace

qint32 clsCL::CalcOptieRapEval(const QVariant &aantalHa) const
{
    if (isEmptyValue(aantalHa) || !vb::IsNumeric(aantalHa))
        return 0;
    const float a = numberOf(aantalHa);
    if (a < 10.0f)
        return 1;
    float grens = 0.0f;
    try {
        grens = AantalHaGrens();
    } catch (const platform::Error &e) {
        // A version without a usable rate per hectare (0 or empty) gives no
        // threshold: the area cannot be qualified.
        if (e.number() != 11 && e.number() != 94)
            throw;
        ongeldigeKwalificatie();
        return 0;
    }
    if (a <= grens)
        return 2;
    if (a > grens)
        return 3;
    ongeldigeKwalificatie();
    return 0;
}

} // namespace checklist
