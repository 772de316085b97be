// The files of a verb: what it reads is never what it writes.
#include <filesystem>

#include "file_text.h"
#include "probe.h"

namespace korva::probe {

namespace fs = std::filesystem;

std::vector<std::string> ProjectInputs(const std::string& project)
{
    return {project, app::ChangeFileExt(project, ".cpt"), app::ChangeFileExt(project, ".kv7p")};
}

std::vector<std::string> ProjectOutputs(const std::string& out)
{
    return {out, app::ChangeFileExt(out, ".cpt")};
}

bool SparesInputs(const std::vector<std::string>& inputs, const std::vector<std::string>& outputs)
{
    for (const std::string& output : outputs)
        for (const std::string& input : inputs) {
            // A file that does not exist yet cannot be one that is read.
            std::error_code ec;
            if (output.empty() || input.empty() || !fs::exists(output, ec) || !fs::exists(input, ec))
                continue;
            if (fs::equivalent(output, input, ec)) {
                const std::string alias = output == input ? "" : " (\"" + input + "\")";
                widgets::Ui().Messages->Information("Not written: \"" + output + "\" is a file this verb reads" +
                                                    alias + ".");
                return false;
            }
        }
    return true;
}

} // namespace korva::probe
