#pragma once
// The per-user settings store, addressed by application, section and key,
// every value a text. On Linux an INI file in the user's config folder:
// organisation "Kettrilon-QOR", the application name as the file name, the
// section as the INI group:
//     ~/.config/Kettrilon-QOR/<appName>.ini   [<section>]   key=value
//
// Section and key names are compared without regard to case, as the
// Windows registry does: a key stored as "vwTreeLines" is found as
// "VWTREELINES", and saving under another case replaces the stored value
// under its stored name.

#include "platform/core/error_numbers.h"

#include <QString>

namespace settings {

inline constexpr const char *kOrganisation = "Kettrilon-QOR";

// A failed write raises kWriteError (error_numbers.h).

// The stored value, or `defaultValue` when the key (or its section or the
// whole file) is missing. Never fails: an unreadable store reads as empty.
QString GetSetting(const QString &appName, const QString &section, const QString &key,
                   const QString &defaultValue = QString());

// Stores `value` and writes it to disk at once. Raises platform::Error
// kWriteError with a Dutch message when it cannot be written.
void SaveSetting(const QString &appName, const QString &section, const QString &key, const QString &value);

// Deletes the key, or the whole section when `key` is empty. Deleting what
// is not there does nothing. Raises like SaveSetting.
void DeleteSetting(const QString &appName, const QString &section, const QString &key = QString());

// The file that holds the settings of `appName`.
QString settingsFile(const QString &appName);

} // namespace settings
