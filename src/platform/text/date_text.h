#pragma once
// Dates and times as text under the program's Dutch regional settings.
//
// Format(date, picture), letters in any case:
//   d dd        day without / with leading zero
//   ddd dddd    short / long weekday name (ma, maandag)
//   m mm        month number without / with leading zero; directly after an
//               hour (h or hh, separators in between allowed) the minutes,
//               so "hh:mm" writes hours and minutes
//   mmm mmmm    short / long month name (jan feb mrt apr mei jun jul aug sep
//               okt nov dec; januari ... december), lower case, no dot
//   y           day of the year       yy yyyy  year in two / four digits (a
//               year before 1000 with leading zeros: 0231)
//   h hh        hour 0-23 without / with leading zero
//   n nn        minutes               s ss     seconds
//   q           quarter               w        weekday number, Sunday = 1
//   c           the default text of the date (CStr)
//   /  :        the date separator "-" and the time separator ":"
//   \c "text"   literal; anything else is written as it stands.
// Named formats: "General Date", "Short Date" (d-m-yyyy), "Long Date"
// (dddd d mmmm yyyy), "Short Time" (hh:nn), "Long Time" (hh:nn:ss).
//
// CStr of a date is the short date "d-m-yyyy" (four-digit year, so it reads
// back with CDate); a date with a time other than
// midnight adds " hh:nn:ss". An invalid date gives an empty text.
//
// CDate/IsDate read a typed date: day-month-year with "-", "/", "." or
// blanks between ("1-3-2031", "01/03/31", "1 maart 2031", "1-mrt-2031"),
// year-month-day with a four-digit year first ("2031-03-01"), day-month
// alone (this year), each optionally followed by a time "h:mm" or
// "h:mm:ss". A month name may be the full Dutch name or its first three or
// more letters ("mrt" too). Two-digit years 00-29 are 2000-2029, 30-99 are
// 1930-1999. A time alone ("9:30") is that time on 30-12-1899, the
// platform's day zero. Anything else, or a day that does not exist
// ("31-2-2031"), is not a date: CDate raises error 13 "Type mismatch".

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace vb {

QString Format(const QDateTime &value, const QString &picture);
QString Format(const QDate &value, const QString &picture);
QString Format(const QTime &value, const QString &picture);

QString CStr(const QDateTime &value);
QString CStr(const QDate &value);
QString CStr(const QTime &value);

QDateTime CDate(const QString &text);
bool IsDate(const QString &text);

// The Dutch month names, month 1..12.
QString shortMonthName(int month);
QString longMonthName(int month);

} // namespace vb
