#include "shell/current_site.h"

#include "shell/app_settings.h"
#include "shell/error_report.h"
#include "shell/frmOpenInrConfirm.h"
#include "shell/menu_status.h"
#include "shell/program_state.h"

#include "checklist/clsCL.h"
#include "records/clsStort.h"
#include "screens/session.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/text/conversions.h"
#include "platform/ui/dialogs.h"

#include <utility>

namespace modMain {

namespace {

struct HuidigeStort {
    qint16 stortType = 0;
    qint16 clID = 0;
    float jaarAanvangNazorg = 0.0f;
    QString naam;
    QString clVersie;
};

HuidigeStort leesStort(qint32 stortID)
{
    records::Context ctx = pfunRecordsContext();
    ctx.glngStortID = stortID;
    records::clsStort stort(ctx);
    stort.initializeStort(stortID);
    HuidigeStort s;
    s.stortType = stort.intStortType();
    s.clID = static_cast<qint16>(vb::CInt(double(stort.checklist_ID())));
    s.jaarAanvangNazorg = stort.AanvangNazorgGebrokenJaar();
    s.naam = stort.NaamStort();
    try {
        stort.GetInfoChecklist();
        s.clVersie = stort.ClInfo_Versie;
    } catch (const platform::Error &e) {
        // The installed checklist file no longer holds the site's version:
        // the site still opens, with its commands off.
        if (e.number() != db::err::kNoCurrentRecord)
            throw;
        s.clVersie = QStringLiteral("?");
    }
    return s;
}

void zet(qint32 stortID, const HuidigeStort &s)
{
    glngStortID = stortID;
    gintStortType = s.stortType;
    gintCL_ID = s.clID;
    gsngJaarAanvangNazorg = s.jaarAanvangNazorg;
    gstrNaamStort = s.naam;
    gstrCLVersie = s.clVersie;
}

} // namespace

records::Context pfunRecordsContext()
{
    records::Context ctx;
    ctx.gstrConnData = gstrConnData;
    ctx.gstrConnCL = gstrConnCL;
    ctx.glngStortID = glngStortID;
    ctx.gintCL_ID = gintCL_ID;
    ctx.gsngJaarAanvangNazorg = gsngJaarAanvangNazorg;
    ctx.glngKleurVoorz = glngKleurVoorz;
    ctx.glngKleurAct = glngKleurAct;
    ctx.MeldFout = [](const platform::Error &e) { MeldFout(e); };
    return ctx;
}

checklist::Context pfunChecklistContext()
{
    checklist::Context ctx;
    ctx.gstrConnCL = gstrConnCL;
    ctx.gsngJaarAanvangNazorg = gsngJaarAanvangNazorg;
    ctx.MeldFout = [](const platform::Error &e) { MeldFout(e); };
    return ctx;
}

calc::Context pfunCalcContext()
{
    calc::Context ctx;
    static_cast<records::Context &>(ctx) = pfunRecordsContext();
    ctx.gstrNaamStort = gstrNaamStort;
    ctx.gsngBTWPerc = gsngBTWPerc;
    return ctx;
}

void InstallSchermSessie()
{
    screens::Session s;
    s.context = [] { return pfunCalcContext(); };
    s.treeOptions = [] { return screens::TreeOptions{gblnTreeSingleSel, gblnTreeLines, gblnTreePlusMin}; };
    s.setBTWPerc = [](float perc) { gsngBTWPerc = perc; };
    s.leesHuidigeStort = [] { LeesHuidigeStort(); };
    s.meldFout = [](const platform::Error &e) { MeldFout(e); };
    s.programVersion = [] { return gVersion; };
    screens::installSession(std::move(s));
}

void LeesHuidigeStort()
{
    zet(glngStortID, leesStort(glngStortID));
}

void OpenInrichting(qint32 lngStortID)
{
    const HuidigeStort s = leesStort(lngStortID);
    bool bestaat = false;
    {
        checklist::Context ctx = pfunChecklistContext();
        ctx.gsngJaarAanvangNazorg = s.jaarAanvangNazorg;
        checklist::clsCL cl(ctx);
        cl.initializeCL(s.clID);
        bestaat = cl.checklistBestaat();
    }
    BewaarInstelling(QLatin1String(kSetHuidigeStort), QString::number(lngStortID));
    zet(lngStortID, s);
    ZetMenuStatus(bestaat);
    shell::frmOpenInrConfirm::toon(QStringLiteral("Geopend: ") + gstrNaamStort);
}

bool VerwijderInrichting(qint32 stortID, const QString &naam)
{
    const ui::Answer antwoord = ui::MsgBox(QStringLiteral("Weet u zeker dat u inrichting '") + naam
                                               + QStringLiteral("' wilt verwijderen uit de database?"),
                                           ui::Buttons::YesNo, ui::Icon::Question,
                                           QStringLiteral("Verwijderen inrichting"), ui::DefaultButton::Second);
    if (antwoord != ui::Answer::Yes)
        return false;

    db::Connection cn;
    cn.Open(gstrConnData);
    cn.BeginTrans();
    try {
        const QVariantList id{stortID};
        cn.Execute(QStringLiteral("DELETE FROM tblAct WHERE lngStort_REF=?"), id);
        cn.Execute(QStringLiteral("DELETE FROM tblInrichting WHERE lngStort_REF=?"), id);
        cn.Execute(QStringLiteral("DELETE FROM tblTonnage WHERE lngStort_REF=?"), id);
        cn.Execute(QStringLiteral("DELETE FROM tblStort WHERE idrStort_ID=?"), id);
        cn.CommitTrans();
    } catch (const platform::Error &e) {
        cn.RollbackTrans();
        throw e.withSource(QStringLiteral("VerwijderInrichting"));
    }
    cn.Close();

    if (stortID == glngStortID) {
        glngStortID = 0;
        gstrNaamStort.clear();
        ZetMenuStatus(false);
    }
    return true;
}

qint16 pfunLaatsteChecklist(qint16 stortType)
{
    db::Connection cn;
    cn.Open(gstrConnCL);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT intCl_ID FROM tblCL WHERE lngStortType_REF=? ORDER BY dtmCl DESC"), cn,
            db::LockType::ReadOnly, {stortType});
    if (rs.EOF_())
        throw platform::Error(db::err::kNoCurrentRecord,
                              QStringLiteral("Het checklistbestand bevat geen checklist voor dit soort inrichting."),
                              QStringLiteral("pfunLaatsteChecklist"));
    const qint16 id = static_cast<qint16>(rs.Fields(QStringLiteral("intCl_ID")).Value().toInt());
    rs.Close();
    cn.Close();
    return id;
}

} // namespace modMain
