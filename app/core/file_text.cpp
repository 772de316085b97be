#include "file_text.h"

#include <cmath>

#include "exceptions.h"

namespace korva::app {

std::string SingleLine(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 32 || c == 127)
            c = ' ';
    return text;
}

void RequireFinite(components::Extended value, const std::string& what)
{
    if (!std::isfinite(value))
        throw components::EInOutError(what + " is not a finite number.");
}

namespace {

// Position of the extension's dot, or npos.
std::size_t ExtensionDot(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    return dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash) ? dot
                                                                                          : std::string_view::npos;
}

} // namespace

std::string ExtractFileExt(std::string_view path)
{
    const std::size_t dot = ExtensionDot(path);
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view extension)
{
    return std::string(path.substr(0, ExtensionDot(path))) + std::string(extension);
}

} // namespace korva::app
