#include "screens/site_row_save.h"

#include "screens/field_binding.h"
#include "screens/session.h"

#include "records/clsStort.h"

#include "platform/core/error.h"
#include "platform/db/recordset.h"

namespace screens {

bool bewaarStortRij(FieldBindings &bindings, records::clsStort &stort, const QString &source)
{
    try {
        bindings.writeAll();
        stort.Move0();
        return true;
    } catch (const platform::Error &e) {
        meldFout(e.withSource(source));
    }
    try {
        if (db::Recordset *rs = stort.DataMember(QStringLiteral("tblStort")))
            rs->CancelUpdate();
    } catch (const platform::Error &) {
    }
    return false;
}

} // namespace screens
