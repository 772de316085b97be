#pragma once
// TDynamicLibrary: one shared library loaded at run time by file name, so
// that a missing or broken library becomes an exception of a known class
// instead of a failure at program start. The analysis run loads the engine
// library through it and looks up its entry point.
//
// Load raises EFileNotFoundError ("Library could not be located") when the
// library file cannot be found, and EInitError ("Library failed to properly
// initialize") when it was found but could not be made ready (symbols it
// needs are missing). Any other failure (not a library, wrong architecture,
// no permission, a dependency missing) leaves it not loaded without an
// exception; the next GetProc then raises EDLLNotOpenError ("Library is not
// open").
#include <string>

namespace korva::components {

class TDynamicLibrary {
public:
    TDynamicLibrary() = default;
    ~TDynamicLibrary();
    TDynamicLibrary(const TDynamicLibrary&) = delete;
    TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

    const std::string& LibraryName() const { return libraryName_; }
    // Unloads a loaded library first; does not load.
    void SetLibraryName(const std::string& name);
    // Loads LibraryName unless a library is loaded already (a second Load
    // keeps the loaded module).
    void Load();
    bool IsLoaded() const { return handle_ != nullptr; }
    // The address of the exported symbol, or nullptr when the library does
    // not export it (callers must test). EDLLNotOpenError when not loaded.
    void* GetProc(const std::string& name) const;
    template <class Function>
    Function GetProcAs(const std::string& name) const
    {
        return reinterpret_cast<Function>(GetProc(name));
    }
    void Unload();
    // The system loader's text for the last failed Load ("" after a success).
    const std::string& LastError() const { return lastError_; }

private:
    std::string libraryName_;
    void* handle_ = nullptr; // the loaded module, owned
    std::string lastError_;
};

} // namespace korva::components
