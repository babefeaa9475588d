#include "shell/connection_strings.h"

#include "platform/db/connection.h"

namespace modMain {

QString pfunConnStrData(const QString &path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + db::connectionValue(path)
           + QStringLiteral(";Persist Security Info=False;Jet OLEDB:Database Password=")
           + QLatin1String(kDatabaseWachtwoord) + QStringLiteral(";");
}

QString pfunConnStrShape(const QString &path)
{
    return QStringLiteral("PROVIDER=MSDataShape;Data PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=")
           + db::connectionValue(path) + QStringLiteral(";Persist Security Info=False;Jet OLEDB:Database Password=")
           + QLatin1String(kDatabaseWachtwoord) + QStringLiteral(";");
}

QString pfunConnStrCL(const QString &programFolder)
{
    // The blank before "Jet OLEDB" belongs to this string only.
    return QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=")
           + db::connectionValue(programFolder + QStringLiteral("/") + QLatin1String(kChecklistBestand))
           + QStringLiteral(";Persist Security Info=False; Jet OLEDB:Database Password=")
           + QLatin1String(kDatabaseWachtwoord) + QStringLiteral(";");
}

} // namespace modMain
