#pragma once
// Helpers shared by every test suite.
#include <clocale>
#include <cstring>
#include <string>

namespace korva::test {

inline std::string DataPath(const std::string& relative)
{
    return std::string(KORVA_TEST_DATA_DIR) + "/" + relative;
}

// Switches the C locale to a comma-decimal one for a scope. The locale is
// built by the make_test_locale fixture into LOCPATH; Active() tells whether
// the switch took effect (tests assert it, so a missing locale fails).
class ScopedCommaLocale {
public:
    ScopedCommaLocale()
    {
        const char* old = std::setlocale(LC_ALL, nullptr);
        saved_ = old ? old : "C";
        active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~ScopedCommaLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    ScopedCommaLocale(const ScopedCommaLocale&) = delete;
    ScopedCommaLocale& operator=(const ScopedCommaLocale&) = delete;
    bool Active() const
    {
        return active_ && std::localeconv()->decimal_point[0] == ',';
    }

private:
    std::string saved_;
    bool active_ = false;
};

// The system's text for an error number as a program started in this
// environment shows it: the programs take their message language from the
// environment, so a test that compares a message must not assume English.
inline std::string SystemErrorText(int error)
{
    // The character set counts too: a message in the environment's language
    // is only given out where its characters can be written.
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_ALL, "");
    std::string text = std::strerror(error);
    std::setlocale(LC_ALL, saved.c_str());
    return text;
}

} // namespace korva::test
