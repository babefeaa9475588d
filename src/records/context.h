#pragma once
// What the record classes need of the program state.
//
// The program state lives in the shell, above this layer. The shell fills a
// Context from its current-site values and settings and hands it to every
// record object it makes; an object copies what it needs when it is created
// (the site id is read once, at creation, and the object keeps serving that
// site). The members carry the names of the program-state values they mirror.

#include <QString>
#include <QtGlobal>
#include <functional>

namespace platform {
class Error;
}

namespace records {

class SiteTree;

struct Context {
    // Connection string of the coupled data file.
    QString gstrConnData;
    // Connection string of the checklist file.
    QString gstrConnCL;
    // The open site (0 while none is open) and its checklist version.
    qint32 glngStortID = 0;
    qint16 gintCL_ID = 0;
    // Start of after-care of the open site as a fractional year (year +
    // (month - 1) / 12, plus 1/24 on the 16th). The sentence of a cost item
    // counts its calendar years from it. The default is the start that a
    // site without a start date gets: 1 January 2030.
    float gsngJaarAanvangNazorg = 2030.0f;
    // Colours of facility and cost-item nodes (VB colour numbers).
    qint32 glngKleurVoorz = 16384;
    qint32 glngKleurAct = 128;
    // The cost-item screen's tree, while that screen is open; null otherwise,
    // and then the record classes change no tree.
    SiteTree *tree = nullptr;
    // Where a failure goes that no caller can receive: the commit that a
    // record object makes when it is released. The shell points this at its
    // central error reporter; left empty, the failure is shown in a critical
    // box titled "Fout " and the number.
    std::function<void(const platform::Error &)> MeldFout;
};

// Reports a failure through ctx.MeldFout (or the default box). Never throws.
void reportReleaseError(const Context &ctx, const platform::Error &error) noexcept;

} // namespace records
