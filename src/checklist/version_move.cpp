#include "checklist/version_move.h"

#include "checklist/clsCL.h"
#include "checklist/version_comparison.h"
#include "records/clsAct.h"
#include "records/clsStort.h"
#include "records/clsVoorz.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/text/format.h"

namespace checklist {

namespace {

const QString kBron = QStringLiteral("frmVersiebeheer.cmdOK_Click");

[[noreturn]] void nietOpgeslagen()
{
    throw platform::Error(db::err::kDatabaseError,
                          QStringLiteral("Een kostenpost kon niet worden opgeslagen. De inrichting is niet gewijzigd."),
                          kBron);
}

// Drops a pending edit that failed; the move's own failure is what counts.
void zonderWijziging(db::Recordset *rs) noexcept
{
    try {
        if (rs)
            rs->CancelUpdate();
    } catch (...) {
    }
}

void bewaar(records::clsAct &act)
{
    if (!act.UpdateNu())
        nietOpgeslagen();
}

// The conformity after the move, from the code before it (q), the test
// against the new item (r: 1 conforms, 2 deviates) and completeness (c).
std::uint8_t nieuweConformiteit(std::uint8_t q, std::uint8_t r, bool c)
{
    switch (q) {
    case 0:
        return (r == 1 && c) ? 1 : 2;
    case 1:
        return r == 2 ? 2 : q;
    case 2:
        return (r == 1 && c) ? 1 : q;
    default:
        return q;
    }
}

void verplaatsSite(const records::Context &ctx, const clsCL &nieuw, float f)
{
    records::clsStort stort(ctx);
    stort.initializeStort(ctx.glngStortID);
    // The general costs not entered yet stay empty; the risk amount is
    // written in any case, 0 when it was empty.
    const auto schaal = [&](const char *kolom, float (records::clsStort::*lees)() const,
                            void (records::clsStort::*schrijf)(float)) {
        if (!stort.value(QLatin1String(kolom)).isNull())
            (stort.*schrijf)((stort.*lees)() * f);
    };
    stort.RisicoBedrag(stort.RisicoBedrag() * f);
    schaal("sngAlgCommunicatieKosten", &records::clsStort::CommunicatieKosten, &records::clsStort::CommunicatieKosten);
    schaal("sngAlgAppKostenBasis", &records::clsStort::AppKostenBasis, &records::clsStort::AppKostenBasis);
    schaal("sngRapEvalPerHa", &records::clsStort::RapEvalPerHa, &records::clsStort::RapEvalPerHa);
    stort.LetChecklist_REF(nieuw.intCl_ID());
    // The amounts are now at the new version's price level: so is the site,
    // also when no general-data screen comes to write it.
    stort.setValue(QStringLiteral("intJaarPrijsPeil"), nieuw.intJaarPrijspeil());
    stort.Move0();
}

// Gives the current facility the name and object category of the new item.
void volgVoorziening(records::clsVoorz &voorz, const clsCL &nieuw)
{
    const QString naam = vb::CStr(nieuw.Voorziening());
    if (voorz.VoorzieningNaam() != naam && !voorz.HernoemVoorzNaam(naam))
        nietOpgeslagen();
    if (voorz.bytObjectCat_ID() != nieuw.bytObjectCat_ID()) {
        db::Recordset *rs = voorz.DataMember(QStringLiteral("Inrichting"));
        try {
            rs->Fields(QStringLiteral("bytObjectCat_REF")).setValue(int(nieuw.bytObjectCat_ID()));
            rs->Update();
        } catch (...) {
            zonderWijziging(rs);
            throw;
        }
    }
}

void verplaatsKostenpost(records::clsAct &act, records::clsVoorz &voorz, clsCL &nieuw, float f)
{
    act.psubVermenigvuldigKostenMet(f);
    bewaar(act);
    const QVariant ref = act.Clitem_REF();
    if (ref.isNull())
        return;
    if (!nieuw.GaNaarItem(ref.toInt())) {
        act.LetbytIsQOR(0);
        bewaar(act);
        return;
    }
    voorz.ActiveerID(act.Voorz_ID());
    volgVoorziening(voorz, nieuw);

    // The description and the rubric go to every phase at the first of them.
    const QString omschrijving = vb::CStr(nieuw.Omschrijving());
    const std::uint8_t rubriek = nieuw.bytRubriek_REF();
    const bool andereRubriek = act.bytRubriek_REF() != rubriek;
    if (act.strActHuidig() != omschrijving || andereRubriek) {
        if (!act.pfunHernoemActNaamOfRubriek(omschrijving, andereRubriek ? rubriek : 0))
            nietOpgeslagen();
        bewaar(act);
    }

    const std::uint8_t q = act.IsQOR();
    const std::uint8_t r = act.ToetsAanNieuweCL(nieuw);
    const bool c = act.verify_ansich(nieuw.GebruikGedifferentieerdeToeslagB());
    const std::uint8_t nieuwQ = nieuweConformiteit(q, r, c);
    if (nieuwQ != q) {
        act.LetbytIsQOR(nieuwQ);
        bewaar(act);
    }
}

void verplaatsKostenposten(const records::Context &ctx, clsCL &nieuw, float f)
{
    records::clsAct act(ctx);
    records::clsVoorz voorz(ctx);
    try {
        for (; !act.EOF_(); act.moveNext())
            verplaatsKostenpost(act, voorz, nieuw, f);
    } catch (...) {
        // Releasing the records would try the failed edit again.
        zonderWijziging(act.DataMember(QStringLiteral("Act")));
        throw;
    }
}

} // namespace

float PrijspeilFactor(qint16 jaarStort, clsCL &nieuw)
{
    const qint16 jaarNieuw = nieuw.intJaarPrijspeil();
    return jaarNieuw == jaarStort ? 1.0f : nieuw.sngPrijsPeilCorr(jaarStort, jaarNieuw);
}

QString BevestigingWijzigen(const QString &versieTekst, const QString &naamStort, float factor)
{
    QString vraag = QStringLiteral("Weet u zeker dat u checklistversie ") + versieTekst
                    + QStringLiteral(" van toepassing wilt verklaren op inrichting '") + naamStort
                    + QStringLiteral("' ?\r\n");
    if (factor != 1.0f)
        vraag += QStringLiteral("Vanwege de prijspeilcorrectie zullen alle ingevoerde kosten (incl. risicobedrag) "
                                "definitief worden aangepast.\r\n");
    return vraag;
}

void VerplaatsNaarVersie(const records::Context &context, qint32 nieuwCL_ID, float f)
{
    records::Context ctx = context;
    // The records change no tree; a failure they meet when released belongs
    // to the move's own failure, which the caller reports.
    ctx.tree = nullptr;
    ctx.MeldFout = [](const platform::Error &) {};

    clsCL nieuw(checklistContext(ctx));
    nieuw.initializeCL(nieuwCL_ID);

    db::Connection cn;
    cn.Open(ctx.gstrConnData);
    cn.BeginTrans();
    try {
        verplaatsSite(ctx, nieuw, f);
        verplaatsKostenposten(ctx, nieuw, f);
        cn.CommitTrans();
    } catch (const platform::Error &e) {
        try {
            cn.RollbackTrans();
        } catch (...) {
        }
        throw e.withSource(kBron);
    }
}

} // namespace checklist
