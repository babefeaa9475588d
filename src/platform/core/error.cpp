#include "error.h"

namespace platform {

Error::Error(long number, const QString &description, const QString &source)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description), m_source(source)
{
}

Error Error::withSource(const QString &source) const
{
    if (!m_source.isEmpty())
        return *this;
    return Error(m_number, m_description, source);
}

} // namespace platform
