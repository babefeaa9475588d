#pragma once
// The box that shows an error where no error reporter is installed: its
// description, a line break, "Bron: " and its source ("niet
// gespecificeerd" when it has none), critical, titled "Fout " and the
// number.

namespace platform {
class Error;
}

namespace ui {

// Shows the box. Never throws: a failing box must not turn a reported
// error into a new one.
void showErrorBox(const platform::Error &error) noexcept;

} // namespace ui
