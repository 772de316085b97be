#pragma once
// korva-gui-probe run as a script runs it: without a display, its exit code
// and the JSON object of its last line.
#include <cstdio>
#include <string>
#include <sys/wait.h>

#include <QJsonDocument>
#include <QJsonObject>

namespace korva::test {

struct ProbeRun {
    int ExitCode = -1;
    QJsonObject Json;
};

// `arguments` as a shell reads them; `folder`, when given, is the current
// folder the probe starts in.
inline ProbeRun Probe(const std::string& arguments, const std::string& folder = {})
{
    ProbeRun run;
    const std::string command = (folder.empty() ? std::string() : "cd '" + folder + "' && ") +
                                "env -u DISPLAY -u QT_QPA_PLATFORM " + std::string(KORVA_BIN_DIR "/korva-gui-probe ") +
                                arguments + " 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::string output;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    const int status = pclose(pipe);
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    while (!output.empty() && output.back() == '\n')
        output.pop_back();
    const std::string last = output.substr(output.rfind('\n') == std::string::npos ? 0 : output.rfind('\n') + 1);
    run.Json = QJsonDocument::fromJson(QByteArray::fromStdString(last)).object();
    return run;
}

} // namespace korva::test
