#pragma once
// The central error reporter that every error trap ends in, and the system
// text of an error number.

#include "platform/core/error.h"

#include <QString>
#include <QVariant>

namespace modMain {

// Resets the mouse pointer, then shows a critical box titled "Fout <number>"
// with the standard text of the number, a line break, "Bron: " and the
// source ("niet gespecificeerd" for a Null source); then, when the system
// knows a text for the number, a second critical box with that text titled
// "OLE-automation error specificatie". Never ends the program.
void MeldFout(long number, const QVariant &source);

// The same for the error being handled: its own description is the message
// (the standard text of its number when it has none). The source is the
// given one, or the error's own when none is given.
void MeldFout(const platform::Error &error, const QVariant &source = QVariant());

// The runtime library's standard text of an error number, for errors raised
// without a description of their own.
QString pfunFoutTekst(long number);

} // namespace modMain

namespace modAPI_1 {

// The system's message text for an error number, or "Error not found.".
QString pfunSysteemFoutTekst(long number);

} // namespace modAPI_1
