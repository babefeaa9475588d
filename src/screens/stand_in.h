#pragma once
// Stand-ins for the input and report screens that are not built yet. Each
// is a child window with its screen name and caption that says it is not
// available yet; it loads, shows and unloads like the real screen will, so
// that the main window's commands, the one-screen rule and the program's
// flags can already be used and tested.

#include "screens/form.h"

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

// The general-data screen of the open site.
class frmAlgemeen : public StandIn {
    Q_OBJECT
public:
    static frmAlgemeen *load();

private:
    frmAlgemeen();
};

// The facilities and cost-items screen; the main window's pop-up commands
// call its procedures.
class frmAct : public StandIn {
    Q_OBJECT
public:
    static frmAct *load();

    void psubAddVoorz() {}
    void psubAddFase() {}
    void psubHernoemActNaamOfRubriek() {}
    void psubDeleteItem() {}

private:
    frmAct();
};

// The dialog for a user-defined cost item: 1 adds one, 0 renames.
class frmAct_AddCustomItem : public StandIn {
    Q_OBJECT
public:
    static frmAct_AddCustomItem *load();
    void setStatus(qint32 status) { m_status = status; }
    qint32 status() const { return m_status; }

private:
    frmAct_AddCustomItem();
    qint32 m_status = 0;
};

// The screens that need nothing more than to load and show.
namespace standins {
StandIn *frmAlgNazKosten();
StandIn *frmDoelverm();
StandIn *frmGevoelAna();
StandIn *frmAct_AddCLitem(); // the checklist picker, modeless
StandIn *frmUpdateCheck();
StandIn *frmBrowser();       // a new help browser each time
} // namespace standins

} // namespace screens
