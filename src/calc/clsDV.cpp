// clsDV: set-up, input validation and the checklist conformity codes.

#include "calc/clsDV.h"

#include "calc/dv_values.h"
#include "calc/verify_ansich.h"

#include "records/clsStort.h"
#include "records/field_read.h"

#include "platform/core/error.h"

#include "platform/text/format.h"
#include "platform/ui/dialogs.h"

#include <QStringList>

#include <cmath>
#include <limits>

namespace calc {

clsDV::clsDV(const Context &ctx) : m_ctx(ctx)
{
    mconData.Open(m_ctx.gstrConnData);
}

clsDV::~clsDV()
{
    m_stort.reset();
    mclsCL.reset();
    try {
        m_rsRap.Close();
    } catch (...) {
    }
    mclsCLrap.reset();
}

checklist::Context clsDV::clContext() const
{
    checklist::Context c;
    c.gstrConnCL = m_ctx.gstrConnCL;
    c.gsngJaarAanvangNazorg = kaljaarAN;
    c.MeldFout = m_ctx.MeldFout;
    return c;
}

void clsDV::initializeDV(qint32 lngStort_ID, float sngRentePerc, float sngInflPerc)
{
    m_kostenposten.close();
    m_rijenBerekend.Close();
    mlngStort_ID = lngStort_ID;
    {
        if (!m_stort)
            m_stort = std::make_unique<records::clsStort>(m_ctx);
        records::clsStort &stort = *m_stort;
        stort.initializeStort(lngStort_ID);
        kaljaarAN = stort.AanvangNazorgGebrokenJaar();
        m_aanvangOnleesbaar = stort.DatumAanvangNazorgOnleesbaar();
        kaljaarPP = stort.JaarPrijsPeil();
        // A rate or amount that is no number at all (a text another tool
        // wrote, an empty rate) is held as NaN: the input check refuses it
        // with its field's message.
        const auto getal = [](auto lees) -> float {
            try {
                return lees();
            } catch (const platform::Error &e) {
                if (e.number() == kErrTypeMismatch || e.number() == kErrOverflow || e.number() == kErrInvalidUseOfNull)
                    return std::numeric_limits<float>::quiet_NaN();
                throw;
            }
        };
        sngAppKostenBasisPerJaar = getal([&] { return stort.AppKostenBasis(); });
        sngAppKostenBasisPerc = getal([&] { return stort.AppKostenBasisPerc(); }) / 100.0f;
        sngNazorgOpp = getal([&] { return stort.NazorgOpp(); });
        bytOptieRapEval = vb::CByte(double(stort.OptieRapEval()));
        sngRapEvalMin = getal([&] { return stort.RapEvalMin(); });
        sngRapEvalPerHa = getal([&] { return stort.RapEvalPerHa(); });
        sngRapEvalMax = getal([&] { return stort.RapEvalMax(); });
        sngCommunicatieKostenPerJaar = getal([&] { return stort.CommunicatieKosten(); });
        sngRisicobedragKAP = getal([&] { return stort.RisicoBedrag(); });
        mstrNaamStort = stort.NaamStort();
        mlngCL_ID = vb::CLng(double(stort.checklist_ID()));
        sngOnvoorzien = getal([&] { return stort.Onvoorzien(); }) / 100.0f;
        sngOntwerpdirectieFixed = getal([&] { return stort.OntwerpdirectieFixed(); }) / 100.0f;
        msngRente = sngRentePerc == -9.0f ? getal([&] { return stort.rente(); }) : sngRentePerc;
        msngInflatie = sngInflPerc == -9.0f ? getal([&] { return stort.inflatie(); }) : sngInflPerc;
    }
    mcolToeslagen2008.clear();
    // The checklist file is only read: a view of the version the object
    // holds already (the sites of one equalised levy, the rows of a
    // sensitivity analysis) is set back to its state after loading rather
    // than read again.
    if (mclsCL && m_clGeladen == mlngCL_ID) {
        mclsCL->setJaarAanvangNazorg(kaljaarAN);
        mclsCL->movefirst_rsCLitem();
    } else {
        m_clGeladen = -1;
        mclsCL = std::make_unique<checklist::clsCL>(clContext());
        mclsCL->initializeCL(mlngCL_ID);
        m_clGeladen = mlngCL_ID;
    }
}

checklist::clsCL &clsDV::cl() const
{
    return loaded(mclsCL);
}

QString clsDV::titelInvoerOnvolledig() const
{
    return QStringLiteral("Invoer onvolledig bij ") + mstrNaamStort;
}

bool clsDV::VerifyNazorgOpp() const
{
    return sngNazorgOpp > 0.0f && std::isfinite(sngNazorgOpp);
}

bool clsDV::VerifyWaardenInrichting() const
{
    // A data file may have been changed by another tool: every value of the
    // site that this calculation uses must be a finite number, and a rate
    // one above -100 %, or the figures mean nothing.
    const QString algemeen = QStringLiteral("Gegevens inrichting");
    const QString toeslagen = QStringLiteral("Toeslagen nazorgfase");
    const auto tarief = [](float f) { return std::isfinite(f) && 1.0f + f > 0.0f; };
    const auto getal = [](float f) { return std::isfinite(f); };
    const bool gediff = cl().GebruikGedifferentieerdeToeslagB(); // no fixed surcharge B
    const struct {
        bool goed;
        const char *veld;
        const QString &scherm;
    } velden[] = {
        {tarief(msngRente), "(geldige) rente", algemeen},
        {tarief(msngInflatie), "(geldige) inflatie", algemeen},
        {getal(sngAppKostenBasisPerJaar), "(geldig) basisbedrag apparaatskosten", toeslagen},
        {getal(sngAppKostenBasisPerc), "(geldig) percentage apparaatskosten", toeslagen},
        {getal(sngCommunicatieKostenPerJaar), "(geldig) bedrag voor communicatie", toeslagen},
        {bytOptieRapEval != 1 || getal(sngRapEvalMin), "(geldig) bedrag voor rapportage/evaluatie", toeslagen},
        {bytOptieRapEval != 2 || getal(sngRapEvalPerHa), "(geldig) bedrag voor rapportage/evaluatie per ha", toeslagen},
        {bytOptieRapEval != 3 || getal(sngRapEvalMax), "(geldig) bedrag voor rapportage/evaluatie", toeslagen},
        {getal(sngOnvoorzien), "(geldig) percentage onvoorzien", toeslagen},
        {gediff || getal(sngOntwerpdirectieFixed), "(geldig) percentage ontwerp/directie", toeslagen},
        {getal(sngRisicobedragKAP), "(geldig) risicobedrag", toeslagen},
    };
    for (const auto &v : velden) {
        if (v.goed)
            continue;
        ui::MsgBox(QStringLiteral("Er is geen ") + QLatin1String(v.veld) + QStringLiteral(" ingevoerd in het scherm '")
                       + v.scherm + QStringLiteral("'."),
                   ui::Buttons::OK, ui::Icon::Exclamation, titelInvoerOnvolledig());
        return false;
    }
    return true;
}

bool clsDV::VerifyBeforeBerekening2()
{
    if (m_aanvangOnleesbaar)
        return false;
    if (!VerifyNazorgOpp()) {
        ui::MsgBox(
            QStringLiteral("Er is geen (geldig) nazorgoppervlak ingevoerd in het scherm 'Toeslagen nazorgfase'."),
            ui::Buttons::OK, ui::Icon::Exclamation, titelInvoerOnvolledig());
        return false;
    }
    if (!VerifyWaardenInrichting())
        return false;
    // The completeness rules of the site's own checklist version apply, also
    // when this site is not the open one (the levy's equalisation).
    // The rows checked here are the rows that BerekenAlles, run next,
    // calculates: they are read once.
    m_kostenposten.open(mconData, mlngStort_ID);
    if (!modVerifyAnSich::VerifyInvoerInrichting(m_kostenposten, mstrNaamStort,
                                                 cl().GebruikGedifferentieerdeToeslagB())) {
        m_kostenposten.close();
        return false;
    }
    if (!VerifyCombinatiePosten()) {
        m_kostenposten.close();
        ui::MsgBox(QStringLiteral("Er is gebruik gemaakt van de mogelijkheid om posten te combineren in een "
                                  "combinatiepost. Er is echter geen combinatiepost in de raming aangetroffen."),
                   ui::Buttons::OK, ui::Icon::Exclamation, titelInvoerOnvolledig());
        return false;
    }
    return true;
}

bool clsDV::VerifyCombinatiePosten()
{
    const QString lijst = cl().GetCombinatiePosten();
    if (lijst.isEmpty())
        return true;
    const QStringList ids = lijst.split(QLatin1Char(','));
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT lngClitem_REF, bytCombineer FROM tblAct"
                           " WHERE lngClitem_REF IS NOT NULL AND lngStort_REF=?"),
            mconData, db::LockType::ReadOnly, {mlngStort_ID});
    bool combinatiepost = false;
    bool gecombineerd = false;
    for (; !rs.EOF_(); rs.MoveNext()) {
        const QString ref = rs.Fields(QStringLiteral("lngClitem_REF")).Value().toString();
        if (ids.contains(ref))
            combinatiepost = true;
        else if (rs.Fields(QStringLiteral("bytCombineer")).Value().toInt() == 1)
            gecombineerd = true;
    }
    return !(gecombineerd && !combinatiepost);
}

bool clsDV::GebruikGedifferentieerdeToeslagB() const
{
    return cl().GebruikGedifferentieerdeToeslagB();
}

bool clsDV::VerifyAlles_CL()
{
    m_kostenposten.close(); // the codes may change: the next run reads them again
    m_rijenBerekend.Close();
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM tblAct WHERE lngClitem_REF IS NOT NULL AND lngStort_REF=?"
                           " ORDER BY idrAct_ID"),
            mconData, db::LockType::Optimistic, {mlngStort_ID});
    if (rs.EOF_()) {
        ui::MsgBox(QStringLiteral("Er zijn geen gegevens om te valideren tov de QOR-checklist"), ui::Buttons::OK,
                   ui::Icon::Exclamation,
                   QStringLiteral("Validatie inrichting '") + mstrNaamStort + QStringLiteral("'"));
        return false;
    }
    for (; !rs.EOF_(); rs.MoveNext()) {
        const ActRow row(rs);
        std::uint8_t code = 2;
        if (cl().GaNaarItem(rs.Fields(QStringLiteral("lngClitem_REF")).Value().toInt()))
            code = conformChecklist(cl(), row) ? 1 : 2;
        if (rs.Fields(QStringLiteral("bytIsQOR")).Value().toInt() != code
            || records::isNullValue(rs.Fields(QStringLiteral("bytIsQOR")).Value())) {
            rs.Fields(QStringLiteral("bytIsQOR")).setValue(code);
            rs.Update();
        }
    }
    return true;
}

} // namespace calc
