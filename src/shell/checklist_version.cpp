#include "shell/checklist_version.h"

#include "shell/frmMDI_main.h"
#include "shell/program_state.h"

#include "platform/core/error.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/text/conversions.h"

namespace modMain {

namespace {

qint16 alsInteger(const QVariant &value)
{
    const int n = vb::CInt(value.toString()); // 13 for no number, 6 out of range
    return static_cast<qint16>(n);
}

} // namespace

void LeesVersieChecklist()
{
    gintCLVolgnr = 0;
    gintProgVerMin = 0;
    qint16 volgnr = 0;
    qint16 progVerMin = 0;
    try {
        db::Connection cn;
        // Every table the checklist views read must be there, or the start
        // ends now with the names of the missing ones.
        cn.Open(gstrConnCL, {QStringLiteral("tblSYS"), QStringLiteral("tblCL"), QStringLiteral("tblCLitem"),
                             QStringLiteral("tblVoetnoot"), QStringLiteral("tblPPcorr"), QStringLiteral("tblStortType"),
                             QStringLiteral("tblObjectCat")});
        db::Recordset rs;
        rs.Open(QStringLiteral("Select * from tblSYS"), cn, db::LockType::ReadOnly);
        while (!rs.EOF_()) {
            const QString key = rs.Fields(QStringLiteral("strSYS_ID")).Value().toString();
            const QVariant value = rs.Fields(QStringLiteral("strSYSvalue")).Value();
            if (key.compare(QLatin1String("versie"), Qt::CaseInsensitive) == 0)
                volgnr = alsInteger(value);
            else if (key.compare(QLatin1String("progvermin"), Qt::CaseInsensitive) == 0)
                progVerMin = alsInteger(value);
            rs.MoveNext();
        }
        rs.Close();
        cn.Close();
    } catch (const platform::Error &e) {
        throw e.withSource(QStringLiteral("LeesVersieChecklist"));
    }
    gintCLVolgnr = volgnr;
    gintProgVerMin = progVerMin;
    if (shell::frmMDI_main *main = shell::frmMDI_main::instance())
        main->setPanelText(3, QStringLiteral(" volgnr. bestand checklists: ") + QString::number(gintCLVolgnr)
                                  + QStringLiteral(" "));
}

} // namespace modMain
