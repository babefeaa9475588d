#pragma once
// What the checklist view needs of the program state.
//
// The program state (connection strings, the open site) lives in the shell,
// above this layer. The shell fills a Context from its globals and hands it
// to every checklist view it makes; the view copies it when it is created.
// The members carry the names of the program-state values they mirror.

#include <QString>
#include <functional>

namespace platform {
class Error;
}

namespace checklist {

struct Context {
    // Connection string of the checklist file (dbQORCL.mdb in the program
    // folder).
    QString gstrConnCL;
    // Start of after-care of the open site as a fractional year (year +
    // (month - 1) / 12, plus 1/24 on the 16th). The checks of a start or end
    // given as a calendar year count from it. The default is the start that
    // a site without a start date gets: 1 January 2030.
    float gsngJaarAanvangNazorg = 2030.0f;
    // The central error reporter, for the checks that trap their errors and
    // report them. Left empty, the error is shown in a critical box with its
    // description, a line break, "Bron: " and the source, titled "Fout " and
    // the number.
    std::function<void(const platform::Error &)> MeldFout;
};

// Reports `error` through ctx.MeldFout (or the default box). Never throws.
void meldFout(const Context &ctx, const platform::Error &error) noexcept;

} // namespace checklist
