#include "run_state.h"

#include <ctime>
#include <unistd.h>

namespace korva::engine {

AnalysisTime SystemClockNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour, local.tm_min, local.tm_sec};
}

Console ProcessConsole()
{
    Console console;
    console.input_is_terminal = isatty(STDIN_FILENO) == 1;
    return console;
}

void Console::Write(std::string_view text) const
{
    if (out) {
        std::fwrite(text.data(), 1, text.size(), out);
        std::fflush(out);
    }
}

void Console::Error(std::string_view text) const
{
    if (err) {
        std::fwrite(text.data(), 1, text.size(), err);
        std::fputc('\n', err);
        std::fflush(err);
    }
}

OutputFile::~OutputFile()
{
    Close();
}

bool OutputFile::Open(const std::string& path)
{
    Close();
    // Binary mode: LF line ends exactly as written.
    file_ = std::fopen(path.c_str(), "wbe");
    failed_ = false;
    return file_ != nullptr;
}

void OutputFile::Write(std::string_view text)
{
    if (file_ && !text.empty() && std::fwrite(text.data(), 1, text.size(), file_) != text.size())
        failed_ = true;
}

bool OutputFile::Close()
{
    if (!file_)
        return !failed_;
    if (std::fclose(file_) != 0)
        failed_ = true;
    file_ = nullptr;
    return !failed_;
}

} // namespace korva::engine
