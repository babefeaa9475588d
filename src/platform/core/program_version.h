#pragma once
// The program's own version: major, minor and revision. The real version is
// kept here only; the start routine takes a version so that tests can start
// the program as another version (minor 10, revision 999).

namespace tavir {

struct ProgramVersion {
    int major;
    int minor;
    int revision;
};

inline constexpr ProgramVersion kProgramVersion{3, 0, 0};

// Title of the program, shown in captions and as the title of message boxes
// that have none of their own.
inline constexpr const char *kProgramTitle = "TAVIR";

} // namespace tavir
