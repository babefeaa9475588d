// clsDV: set-up, input validation and the checklist conformity codes.

#include "calc/clsDV.h"

#include "calc/dv_values.h"
#include "calc/verify_ansich.h"

#include "records/clsStort.h"
#include "records/field_read.h"

#include "platform/text/format.h"
#include "platform/ui/dialogs.h"

#include <QStringList>

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
    mlngStort_ID = lngStort_ID;
    {
        if (!m_stort)
            m_stort = std::make_unique<records::clsStort>(m_ctx);
        records::clsStort &stort = *m_stort;
        stort.initializeStort(lngStort_ID);
        kaljaarAN = stort.AanvangNazorgGebrokenJaar();
        kaljaarPP = stort.JaarPrijsPeil();
        sngAppKostenBasisPerJaar = stort.AppKostenBasis();
        sngAppKostenBasisPerc = stort.AppKostenBasisPerc() / 100.0f;
        sngNazorgOpp = stort.NazorgOpp();
        bytOptieRapEval = vb::CByte(double(stort.OptieRapEval()));
        sngRapEvalMin = stort.RapEvalMin();
        sngRapEvalPerHa = stort.RapEvalPerHa();
        sngRapEvalMax = stort.RapEvalMax();
        sngCommunicatieKostenPerJaar = stort.CommunicatieKosten();
        sngRisicobedragKAP = stort.RisicoBedrag();
        mstrNaamStort = stort.NaamStort();
        mlngCL_ID = vb::CLng(double(stort.checklist_ID()));
        sngOnvoorzien = stort.Onvoorzien() / 100.0f;
        sngOntwerpdirectieFixed = stort.OntwerpdirectieFixed() / 100.0f;
        msngRente = sngRentePerc == -9.0f ? stort.rente() : sngRentePerc;
        msngInflatie = sngInflPerc == -9.0f ? stort.inflatie() : sngInflPerc;
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
    return sngNazorgOpp > 0.0f;
}

bool clsDV::VerifyBeforeBerekening2()
{
    if (!VerifyNazorgOpp()) {
        ui::MsgBox(
            QStringLiteral("Er is geen (geldig) nazorgoppervlak ingevoerd in het scherm 'Toeslagen nazorgfase'."),
            ui::Buttons::OK, ui::Icon::Exclamation, titelInvoerOnvolledig());
        return false;
    }
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
