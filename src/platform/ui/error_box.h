#pragma once
// The box that shows an error where no error reporter is installed: its
// description, a line break, "Bron: " and its source ("niet
// gespecificeerd" when it has none), critical, titled "Fout " and the
// number.

#include <functional>

namespace platform {
class Error;
}

namespace ui {

// Shows the box. Never throws: a failing box must not turn a reported
// error into a new one.
void showErrorBox(const platform::Error &error) noexcept;

// Hands `error` to `reporter`, or shows the box when there is none. Never
// throws.
void reportError(const std::function<void(const platform::Error &)> &reporter, const platform::Error &error) noexcept;

} // namespace ui
