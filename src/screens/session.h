#pragma once
// What the screens need of the program state.
//
// The program state (connection strings, the open site, the settings kept
// in memory, the central error reporter) lives in the shell, above this
// layer. The shell installs a Session once at start-up; every screen asks it
// for a fresh context when it creates a record object, a checklist view or a
// calculation, so that it always serves the site that is open at that
// moment. Tests of a single screen install their own.

#include "calc/calc_context.h"
#include "checklist/context.h"

#include "platform/core/program_version.h"

#include <functional>

namespace platform {
class Error;
}

namespace screens {

// The tree options of the settings (the cost-item screen's tree).
struct TreeOptions {
    bool gblnTreeSingleSel = false;
    bool gblnTreeLines = true;
    bool gblnTreePlusMin = true;
};

struct Session {
    // Connection strings, the open site, its checklist version and start of
    // after-care, the tree colours, the site's name and the VAT percentage.
    std::function<calc::Context()> context;
    // The tree options of the settings.
    std::function<TreeOptions()> treeOptions;
    // Stores an accepted VAT percentage in the program state.
    std::function<void(float)> setBTWPerc;
    // Rereads the current-site values after the site row changed (its name,
    // start of after-care or checklist version).
    std::function<void()> leesHuidigeStort;
    // The central error reporter.
    std::function<void(const platform::Error &)> meldFout;
    // The version of the running program.
    std::function<tavir::ProgramVersion()> programVersion;
};

// Installs the session the screens use from now on.
void installSession(Session session);

// The installed session. Members nobody installed are empty.
const Session &session();

// The context of the installed session (a default one when none is
// installed), and the checklist view's share of it.
calc::Context currentContext();
checklist::Context currentChecklistContext();

// Reports `error` through the session's reporter (or the default box of the
// record layer when none is installed). Never throws.
void meldFout(const platform::Error &error) noexcept;

} // namespace screens
