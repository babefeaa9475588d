#include "screens/site_row_save.h"

#include "screens/field_binding.h"

#include "records/clsStort.h"

#include "platform/core/error.h"
#include "platform/db/recordset.h"
#include "platform/ui/dialogs.h"

namespace screens {

bool sluitenZonderOpslaan(const QString &reden)
{
    const QString tekst =
        (reden.isEmpty() ? QString() : reden + QStringLiteral("\r\n\r\n"))
        + QStringLiteral("Uw wijzigingen zijn niet opgeslagen. Het scherm blijft open, zodat u de "
                         "oorzaak kunt verhelpen of de invoer kunt corrigeren; sluit het scherm daarna "
                         "opnieuw.\r\n\r\nWilt u het scherm sluiten zonder de wijzigingen op te slaan?");
    return ui::MsgBox(tekst, ui::Buttons::YesNo, ui::Icon::Question, QStringLiteral("Opslaan mislukt"),
                      ui::DefaultButton::Second)
           == ui::Answer::Yes;
}

bool bewaarStortRij(FieldBindings &bindings, records::clsStort &stort)
{
    try {
        bindings.writeAll();
        stort.Move0();
        return true;
    } catch (const platform::Error &e) {
        if (!sluitenZonderOpslaan(e.description()))
            return false;
    }
    // Dropped: releasing the record must not try the edit again.
    try {
        if (db::Recordset *rs = stort.DataMember(QStringLiteral("tblStort")))
            rs->CancelUpdate();
    } catch (const platform::Error &) {
    }
    return true;
}

} // namespace screens
