#pragma once
// Closing a screen stores what the user edited on it. When the store fails
// the user is told why, and the screen stays open with every edit: the
// texts in its boxes, their changed marks and the row's pending edit, so
// that the cause can be mended or the input corrected and the screen closed
// again, which then stores everything. Only when the user chooses so does
// the screen close without its edits (a data file that stays read-only
// must not keep the program from ending).

#include <QString>

namespace records {
class clsStort;
}

namespace screens {

class FieldBindings;

// Asks, after a store that failed because of `reden` (empty when the store
// has told why itself), whether the screen closes without its edits.
// True: close and drop them; false: stay open.
bool sluitenZonderOpslaan(const QString &reden);

// Writes every marked control and commits the open site's row. True when
// the screen may close: the row is stored, or the user chose to drop the
// edits (then undone in the row).
bool bewaarStortRij(FieldBindings &bindings, records::clsStort &stort);

} // namespace screens
