#pragma once
// The error that every layer raises: a number, a description and the source
// (the routine or object that raised it), as the central error reporter
// shows them. Every number raised is listed in error_numbers.h.

#include <QString>
#include <stdexcept>

namespace platform {

class Error : public std::runtime_error {
public:
    Error(long number, const QString &description, const QString &source = QString());

    long number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }
    const QString &source() const noexcept { return m_source; }

    // Returns a copy whose source is set, unless a source is already known.
    Error withSource(const QString &source) const;

private:
    long m_number;
    QString m_description;
    QString m_source;
};

} // namespace platform
