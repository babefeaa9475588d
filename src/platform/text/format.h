#pragma once
// The program's one formatter: numbers and dates to text and back, with the
// platform's rules and fixed Dutch regional settings (decimal comma, "."
// grouping, Dutch month names without a dot), whatever the process locale.
// Nothing here consults QLocale::system(), the C locale or std::locale.
//
//   Format(x, picture)           number_format.h, date_text.h, variant_text.h
//   CStr(x), Str(x)              number_text.h, date_text.h
//   Int Fix Round CInt CLng CByte conversions.h
//   Val CDbl CSng IsNumeric      number_parse.h
//   TypedNumber (typed input)    number_parse.h
//   CDate IsDate                 date_text.h

#include "platform/text/conversions.h"
#include "platform/text/date_text.h"
#include "platform/text/number_format.h"
#include "platform/text/number_parse.h"
#include "platform/text/number_text.h"
#include "platform/text/variant_text.h"
