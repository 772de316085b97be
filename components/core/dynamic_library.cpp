#include "dynamic_library.h"

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>

#include "exceptions.h"

namespace korva::components {

namespace {

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Whether the failure is that the library itself cannot be found: a path
// that names no file, or a bare name that the loader's search did not find
// (the loader then names our library, not one of its dependencies).
bool LibraryNotFound(const std::string& name, const std::string& error)
{
    if (name.find('/') != std::string::npos) {
        std::error_code ec;
        return !std::filesystem::exists(name, ec);
    }
    return StartsWith(error, name + ":") && error.find(std::strerror(ENOENT)) != std::string::npos;
}

} // namespace

TDynamicLibrary::~TDynamicLibrary()
{
    Unload();
}

void TDynamicLibrary::SetLibraryName(const std::string& name)
{
    Unload();
    libraryName_ = name;
}

void TDynamicLibrary::Load()
{
    if (IsLoaded())
        return;
    if (libraryName_.empty()) // the loader would hand out the program itself
        throw EFileNotFoundError();
    dlerror(); // clear a stale error
    // Every symbol bound now, so a library that cannot be made ready fails here.
    handle_ = dlopen(libraryName_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_) {
        lastError_.clear();
        return;
    }
    const char* error = dlerror();
    lastError_ = error ? error : "";
    if (LibraryNotFound(libraryName_, lastError_))
        throw EFileNotFoundError();
    if (lastError_.find("undefined symbol") != std::string::npos)
        throw EInitError();
}

void* TDynamicLibrary::GetProc(const std::string& name) const
{
    if (!IsLoaded())
        throw EDLLNotOpenError();
    return dlsym(handle_, name.c_str());
}

void TDynamicLibrary::Unload()
{
    if (!IsLoaded())
        return;
    dlclose(handle_);
    handle_ = nullptr;
}

} // namespace korva::components
