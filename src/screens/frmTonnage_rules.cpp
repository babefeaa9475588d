#include "screens/frmTonnage_rules.h"

#include "platform/core/error.h"
#include "platform/text/format.h"
#include "platform/ui/dialogs.h"

#include <cmath>
#include <limits>

namespace screens {

namespace {
const QString kJaar = QStringLiteral("intKalJaar");
const QString kKiloton = QStringLiteral("lngTonnage");

const QString &veld(int kolom)
{
    return kolom == TonnageInvoer::KolomJaar ? kJaar : kKiloton;
}

CelWeigering ongeldig()
{
    return {QStringLiteral("Ongeldige invoer"), int(ui::Icon::Exclamation),
            QStringLiteral("Invoer prognose afvalaanbod")};
}
} // namespace

std::optional<CelWeigering> ToetsCel(int kolom, const QString &v)
{
    if (v.isEmpty())
        return CelWeigering{QStringLiteral("Invoer is niet volledig"), int(ui::Icon::Exclamation),
                            QStringLiteral("Onvolledige invoer")};
    // A text that is no number cannot go into the column at all.
    const std::optional<double> getal = vb::TypedNumber(v);
    if (!getal)
        return ongeldig();
    const double x = *getal;
    // Both columns hold whole numbers: a fraction is refused, not cut.
    const bool heel = x == std::trunc(x);
    if (kolom == TonnageInvoer::KolomJaar && (x < 1900 || x > 3000 || !heel))
        return CelWeigering{QStringLiteral("Jaartal ") + v + QStringLiteral(" wordt niet geaccepteerd."),
                            int(ui::Icon::None), QString()};
    if (kolom == TonnageInvoer::KolomKiloton && (x < 0 || x > double(std::numeric_limits<qint32>::max()) || !heel))
        return CelWeigering{v + QStringLiteral(" wordt niet geaccepteerd."), int(ui::Icon::None), QString()};
    return std::nullopt;
}

TonnageInvoer::TonnageInvoer(const records::Context &ctx, qint32 lngStortID)
    : m_tonnage(std::make_unique<records::clsTonnage>(ctx)), m_lngStortID(lngStortID)
{
    m_rs = m_tonnage->DataMember(QString::number(lngStortID));
    for (m_rs->MoveFirst(); !m_rs->EOF_(); m_rs->MoveNext())
        m_rijen.append(Rij{m_rs->Bookmark(), m_rs->Fields(kJaar).Value(), m_rs->Fields(kKiloton).Value()});
    if (!m_rijen.isEmpty())
        m_rs->MoveFirst();
}

TonnageInvoer::~TonnageInvoer() = default;

QVariant TonnageInvoer::waarde(int rij, int kolom) const
{
    if (rij < 0 || rij >= rijen())
        return {};
    return kolom == KolomJaar ? m_rijen[rij].jaar : m_rijen[rij].kiloton;
}

bool TonnageInvoer::schrijfCel(int rij, int kolom, const QString &tekst)
{
    if (const auto weigering = ToetsCel(kolom, tekst)) {
        ui::MsgBox(weigering->tekst, ui::Buttons::OK, ui::Icon(weigering->icon), weigering->titel);
        return false;
    }
    return schrijf(rij, kolom, *vb::TypedNumber(tekst));
}

bool TonnageInvoer::schrijf(int rij, int kolom, const QVariant &waarde)
{
    const bool nieuw = rij >= rijen();
    try {
        if (nieuw) {
            m_rs->AddNew();
            // A new row belongs to the open site.
            m_tonnage->lngStort_REF(m_lngStortID);
        } else {
            m_rs->setBookmark(m_rijen[rij].bookmark);
        }
        m_rs->Fields(veld(kolom)).setValue(waarde);
        m_rs->Update();
    } catch (const platform::Error &e) {
        try {
            m_rs->CancelUpdate();
        } catch (...) {
        }
        if (e.number() == 13)
            ui::MsgBox(ongeldig().tekst, ui::Buttons::OK, ui::Icon::Exclamation, ongeldig().titel);
        else
            ui::MsgBox(e.description(), ui::Buttons::OK, ui::Icon::Critical,
                       QStringLiteral("Fout ") + QString::number(e.number()));
        return false;
    }
    if (nieuw)
        m_rijen.append(Rij{m_rs->Bookmark(), {}, {}});
    Rij &r = m_rijen[qMin(rij, rijen() - 1)];
    r.jaar = m_rs->Fields(kJaar).Value();
    r.kiloton = m_rs->Fields(kKiloton).Value();
    return true;
}

QString TonnageInvoer::totaalTekst()
{
    return QStringLiteral("Totaal (kTon): ") + QString::number(m_tonnage->TotaalTonnage());
}

bool TonnageInvoer::valideer()
{
    return m_tonnage->pfunValideerIngevoerdeData();
}

void TonnageInvoer::bewaar()
{
    m_tonnage->Move0();
}

} // namespace screens
