#include "shell/error_report.h"

#include "shell/small_routines.h"

#include "platform/os/system_error.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"

#include <QHash>

namespace modMain {

namespace {

const QString kNietGevonden = QStringLiteral("Error not found.");

void toon(long number, const QString &message, const QVariant &source)
{
    ui::resetCursor();
    const QString bron = modCompress::pfunNZ(source, QStringLiteral("niet gespecificeerd")).toString();
    ui::MsgBox(message + QStringLiteral("\n") + QStringLiteral("Bron: ") + bron, ui::Buttons::OK, ui::Icon::Critical,
               QStringLiteral("Fout ") + QString::number(number));

    const QString systeemTekst = modAPI_1::pfunSysteemFoutTekst(number);
    if (systeemTekst.compare(kNietGevonden, Qt::CaseInsensitive) != 0)
        ui::MsgBox(systeemTekst, ui::Buttons::OK, ui::Icon::Critical,
                   QStringLiteral("OLE-automation error specificatie"));
}

} // namespace

QString pfunFoutTekst(long number)
{
    // The texts the runtime library keeps for the numbers that code raises
    // without a description of its own.
    static const QHash<long, QString> teksten = {
        {3, QStringLiteral("Return without GoSub")},
        {5, QStringLiteral("Invalid procedure call or argument")},
        {6, QStringLiteral("Overflow")},
        {7, QStringLiteral("Out of memory")},
        {9, QStringLiteral("Subscript out of range")},
        {11, QStringLiteral("Division by zero")},
        {13, QStringLiteral("Type mismatch")},
        {28, QStringLiteral("Out of stack space")},
        {52, QStringLiteral("Bad file name or number")},
        {53, QStringLiteral("File not found")},
        {54, QStringLiteral("Bad file mode")},
        {55, QStringLiteral("File already open")},
        {57, QStringLiteral("Device I/O error")},
        {58, QStringLiteral("File already exists")},
        {61, QStringLiteral("Disk full")},
        {62, QStringLiteral("Input past end of file")},
        {68, QStringLiteral("Device unavailable")},
        {70, QStringLiteral("Permission denied")},
        {71, QStringLiteral("Disk not ready")},
        {75, QStringLiteral("Path/File access error")},
        {76, QStringLiteral("Path not found")},
        {91, QStringLiteral("Object variable or With block variable not set")},
        {92, QStringLiteral("For loop not initialized")},
        {94, QStringLiteral("Invalid use of Null")},
        {424, QStringLiteral("Object required")},
        {429, QStringLiteral("ActiveX component can't create object")},
        {438, QStringLiteral("Object doesn't support this property or method")},
        {3021, QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                              "Requested operation requires a current record.")},
        {3265, QStringLiteral("Item cannot be found in the collection corresponding to the requested "
                              "name or ordinal.")},
        {32755, QStringLiteral("Cancel was selected.")},
    };
    const auto it = teksten.constFind(number);
    if (it != teksten.constEnd())
        return *it;
    const QString systeemTekst = os::systemErrorText(number);
    if (!systeemTekst.isEmpty())
        return systeemTekst;
    return QStringLiteral("Application-defined or object-defined error");
}

void MeldFout(long number, const QVariant &source)
{
    toon(number, pfunFoutTekst(number), source);
}

void MeldFout(const platform::Error &error, const QVariant &source)
{
    const QString message = error.description().isEmpty() ? pfunFoutTekst(error.number()) : error.description();
    QVariant bron = source;
    if (modCompress::pfunIsNull(bron) && !error.source().isEmpty())
        bron = error.source();
    toon(error.number(), message, bron);
}

} // namespace modMain

namespace modAPI_1 {

QString pfunSysteemFoutTekst(long number)
{
    const QString text = os::systemErrorText(number);
    return text.isEmpty() ? QStringLiteral("Error not found.") : text;
}

} // namespace modAPI_1
