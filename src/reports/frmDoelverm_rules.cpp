// The choices of the target-fund and levy report and their rules.

#include "reports/frmDoelverm_rules.h"

#include "reports/word_report.h"

#include "platform/text/format.h"

namespace reports {

void DoelvermKeuzes::ActualiseerKeuzes()
{
    if (!alleenWord()) {
        chkVoorblad = false;
        chkRapUnselectedCLitems = false;
    }
}

void DoelvermKeuzes::kiesSortering(int optie)
{
    optRapSort = optie;
    chkRapDV = true;
}

bool DoelvermKeuzes::okMogelijk() const
{
    return chkVoorblad || chkRapDV || chkRapHef || chkRapUnselectedCLitems;
}

QString sorteerVeld(int optRapSort)
{
    switch (optRapSort) {
    case 1:
        return QStringLiteral("bytObjectCat_REF");
    case 2:
        return QStringLiteral("bytRubriek_REF");
    case 3:
        return QStringLiteral("bytIsQOR");
    default:
        return QString();
    }
}

BTWInvoer controleerBTW(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {true, std::nullopt};
    const std::optional<double> v = vb::TypedNumber(t);
    if (!v || *v < 0 || *v > 30)
        return {};
    return {true, vb::CSng(t)};
}

QString voorgesteldeNaam(const QString &naamStort, const QDate &datum)
{
    return QStringLiteral("Rapportage ") + bestandsveilig(naamStort) + QLatin1Char(' ')
           + vb::Format(datum, QStringLiteral("dd-mm-yyyy"));
}

} // namespace reports
