#pragma once
// Small routines shared by the whole program: the null-to-default read, the
// names of object categories and provinces, a date text and a stopwatch.

#include <QDate>
#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <functional>

namespace modCompress {

// True for a Null field value (an invalid or null variant). An empty text
// or 0 is not Null.
bool pfunIsNull(const QVariant &value);

// `defaultValue` when `value` is Null, else `value`, unconverted.
QVariant pfunNZ(const QVariant &value, const QVariant &defaultValue);

} // namespace modCompress

namespace modMain {

// Name of an object category 1..7; an empty text for any other code.
QString pfunStrVoorz(quint8 code);

// Name of a province code (0 "??", 10 "Drenthe" .. 120 "Zuid-Holland"). An
// unknown code shows "Onbekende provincie-id in pfunStrProv" and gives an
// empty text.
QString pfunStrProv(quint8 code);

// Day and month in two digits, the year in at least two: "08-12-2026".
// An invalid date gives an empty text.
QString pfunDatumTekst(const QDate &date);

// False: remembers the time of day, in whole seconds, as the start.
// True: shows the seconds since that start followed by " sec".
void StopWatch(bool toonTijd);

// The clock StopWatch reads: seconds since midnight, with fractions. Tests
// install their own; an empty function goes back to the system clock.
void setStopWatchClock(std::function<double()> clock);

} // namespace modMain
