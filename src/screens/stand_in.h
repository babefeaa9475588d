#pragma once
// Stand-ins for the input and report screens that are not built yet. Each
// is a child window with its screen name and caption that says it is not
// available yet; it loads, shows and unloads like the real screen will, so
// that the main window's commands, the one-screen rule and the program's
// flags can already be used and tested.

#include "screens/form.h"
#include "screens/frmAlgemeen.h"

// The screens built already that the stand-ins' users load by this header.
#include "screens/frmAct.h"
#include "screens/frmAct_AddCLitem.h"
#include "screens/frmAct_AddCustomItem.h"

namespace screens {

class StandIn : public Form {
    Q_OBJECT

public:
    // Loads the stand-in of `name` (the one loaded already when there is
    // one) and shows it.
    // `child` false: a window of its own, owned by the main window.
    static StandIn *load(const QString &name, const QString &caption, bool child = true);
    // Loads a further instance even when one is loaded.
    static StandIn *loadNew(const QString &name, const QString &caption, bool child = true);

protected:
    StandIn(const QString &name, const QString &caption);
};


} // namespace screens
