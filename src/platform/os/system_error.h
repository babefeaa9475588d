#pragma once
// Errors of the operating system as platform errors. An errno value e is
// reported with the number kSystemErrorBase + e: the range of Windows
// system errors wrapped as HRESULT (0x80070000 + code) read as a signed
// 32-bit number, so "no such file" (2) is -2147024894 in both. These
// numbers lie far from the program's own error numbers and those of the
// data layer.

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"

#include <QString>

namespace os {

// kSystemErrorBase and kSystemErrorRange: error_numbers.h.

// kSystemErrorBase + errnum.
long systemErrorNumber(int errnum);

// Whether `number` is a system error number, and the errno it carries.
bool isSystemErrorNumber(long number);
int errnoOf(long number);

// The error for `errnum`, with the system's text as description; `context`,
// when given, goes in front of it ("context: text").
platform::Error systemError(int errnum, const QString &context = QString(), const QString &source = QString());

// The system's text for a system error number; an empty text for any other
// number and for an errno the system does not know.
QString systemErrorText(long number);

} // namespace os
