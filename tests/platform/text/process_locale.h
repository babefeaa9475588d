#pragma once
// The process's C and C++ locales switched to a named one for as long as
// the object lives, and put back after. A test that runs under a locale
// asks isSet() first and fails where the machine lacks it, instead of
// running on under the C locale and passing for nothing
// (scripts/install-deps installs nl_NL.UTF-8 and de_DE.UTF-8).

#include <clocale>
#include <gtest/gtest.h>
#include <locale>
#include <stdexcept>
#include <string>

namespace texttest {

class ProcessLocale {
public:
    explicit ProcessLocale(const char *name) : m_name(name), m_cLocale(std::setlocale(LC_ALL, nullptr)), m_cppLocale()
    {
        if (!std::setlocale(LC_ALL, name))
            return;
        try {
            std::locale::global(std::locale(name));
        } catch (const std::runtime_error &) {
            std::setlocale(LC_ALL, m_cLocale.c_str());
            return;
        }
        m_set = true;
    }
    ~ProcessLocale()
    {
        std::locale::global(m_cppLocale);
        std::setlocale(LC_ALL, m_cLocale.c_str());
    }
    ProcessLocale(const ProcessLocale &) = delete;
    ProcessLocale &operator=(const ProcessLocale &) = delete;

    ::testing::AssertionResult isSet() const
    {
        if (m_set)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "the locale " << m_name << " is not installed on this machine; scripts/install-deps installs it";
    }

private:
    std::string m_name;
    std::string m_cLocale;
    std::locale m_cppLocale;
    bool m_set = false;
};

} // namespace texttest
