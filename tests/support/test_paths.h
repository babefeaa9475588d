#pragma once
// Where the built program folder and the test fixtures are.

#include <QString>

namespace testsupport {

inline QString programDir()
{
    return QStringLiteral(TAVIR_PROGRAM_DIR);
}
inline QString fixturesDir()
{
    return QStringLiteral(TAVIR_FIXTURES_DIR);
}
inline QString templateFile()
{
    return programDir() + QStringLiteral("/db00.mdb");
}
inline QString checklistFile()
{
    return programDir() + QStringLiteral("/dbQORCL.mdb");
}

} // namespace testsupport
