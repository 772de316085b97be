#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>

#include <QJsonDocument>

#include "korva_application.h"
#include "probe.h"

namespace korva::probe {

namespace {

std::vector<TVerb>& Registry()
{
    static std::vector<TVerb> verbs;
    return verbs;
}

int Usage()
{
    std::fprintf(stderr, "usage: korva-gui-probe VERB ARGS...\nverbs:\n");
    for (const TVerb& verb : Verbs())
        std::fprintf(stderr, "  %s %s\n", verb.Name, verb.Usage);
    return 2;
}

} // namespace

TVerbRegistration::TVerbRegistration(const TVerb& verb)
{
    Registry().push_back(verb);
}

const std::vector<TVerb>& Verbs()
{
    return Registry();
}

TProbeArgs::TProbeArgs(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
                       const std::set<std::string>& flags)
{
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
            if (flags.count(word)) {
                flags_.insert(word);
            } else if (valueOptions.count(word)) {
                if (i + 1 >= words.size())
                    throw EProbeUsage("option " + word + " needs a value");
                options_.emplace(word, words[i + 1]);
                ordered_.emplace_back(word, words[i + 1]);
                ++i;
            } else {
                throw EProbeUsage("unknown option " + word);
            }
        } else {
            positional_.push_back(word);
        }
    }
}

const std::string& TProbeArgs::Positional(std::size_t n) const
{
    if (n >= positional_.size())
        throw EProbeUsage("missing argument " + std::to_string(n + 1));
    return positional_[n];
}

std::optional<std::string> TProbeArgs::Option(const std::string& name) const
{
    std::optional<std::string> last;
    for (const auto& [option, value] : ordered_)
        if (option == name)
            last = value;
    return last;
}

std::vector<std::string> TProbeArgs::Options(const std::string& name) const
{
    std::vector<std::string> values;
    for (const auto& [option, value] : ordered_)
        if (option == name)
            values.push_back(value);
    return values;
}

double TProbeArgs::Number(const std::string& text) const
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw EProbeUsage("not a number: " + text);
    return value;
}

int TProbeArgs::Integer(const std::string& text) const
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw EProbeUsage("not an integer: " + text);
    return value;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t cut; (cut = text.find(separator, start)) != std::string::npos; start = cut + 1)
        parts.push_back(text.substr(start, cut - start));
    parts.push_back(text.substr(start));
    return parts;
}

QJsonArray JsonStrings(const std::vector<std::string>& texts)
{
    QJsonArray array;
    for (const std::string& text : texts)
        array.append(QString::fromStdString(text));
    return array;
}

} // namespace korva::probe

int main(int argc, char** argv)
{
    using namespace korva;
    // Headless whatever the environment.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (argc < 2)
        return probe::Usage();
    const std::string name = argv[1];
    const probe::TVerb* verb = nullptr;
    for (const probe::TVerb& candidate : probe::Verbs())
        if (name == candidate.Name)
            verb = &candidate;
    if (!verb)
        return probe::Usage();

    // The doubles outlive the application, as the program's services do.
    widgets::TRecordingServices services;
    widgets::TScopedUiServices installed(services.Services());
    int qtArgc = 1;
    widgets::TKorvaApplication app(qtArgc, argv, "Korva 2015");
    probe::TProbeContext context{std::vector<std::string>(argv + 2, argv + argc), services, {}};
    bool ok = false;
    try {
        ok = verb->Run(context);
    } catch (const probe::EProbeUsage& e) {
        std::fprintf(stderr, "korva-gui-probe %s: %s\nusage: korva-gui-probe %s %s\n", verb->Name, e.what(),
                     verb->Name, verb->Usage);
        return 2;
    } catch (const std::exception& e) {
        services.Messages.Information(e.what());
    }
    QJsonObject result = context.Result;
    result["ok"] = ok;
    result["messages"] = probe::JsonStrings(services.Messages.Texts());
    std::cout << QJsonDocument(result).toJson(QJsonDocument::Compact).toStdString() << std::endl;
    return 0;
}
