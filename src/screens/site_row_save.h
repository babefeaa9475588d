#pragma once
// Closing a screen bound to the open site's row stores it: every marked
// control is written and the row committed. A failing store is reported
// once (with `source`) and its edit dropped, so that releasing the record
// does not try it again; the screen closes all the same.

#include <QString>

namespace records {
class clsStort;
}

namespace screens {

class FieldBindings;

// True when the row was stored.
bool bewaarStortRij(FieldBindings &bindings, records::clsStort &stort, const QString &source);

} // namespace screens
