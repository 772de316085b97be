#pragma once
// The rules of the main window's project life cycle that need no window:
// the caption, which name a command-line argument opens, which layout a
// recent or dropped file is read in, when Save must ask for a name, and the
// addresses and files the Help menu opens.
#include <optional>
#include <string>

namespace korva::app {

// The extension the save dialog appends to a name without one.
inline constexpr const char* kProjectExtension = "kv7d";

// The files beside the program that the Help menu opens with the desktop's
// default application.
inline constexpr const char* kHelpContentsFile = "KORVA_2015.html";
inline constexpr const char* kUsersManualFile = "KORVA 2015 Users Manual.pdf";
inline constexpr const char* kTechnicalManualFile = "KORVA Technical Manual.pdf";

// The word processor until the user chooses one: the desktop's default
// application for the file.
inline constexpr const char* kDefaultWordProcessor = "xdg-open";

// The file's name without its folder; a name whose extension is ".kv7"
// (any case) loses everything from its first "."; a name longer than one
// character starts with an upper-case letter. "/work/pile.kv7d" shows as
// "Pile.kv7d".
std::string DisplayFileName(const std::string& path);

// "KORVA 2015.7.5 - Offshore - " and the display name of the project file.
std::string MainCaption(const std::string& fileName);

// The layout a file opened by name (recent list, dropped file, command
// line) is read in: current for ".kv7d", previous for ".kv6d" (any case);
// nothing for any other extension, which opens nothing.
std::optional<int> LayoutOfProjectName(const std::string& path);

// The project a command-line argument opens, or nothing: ".kv7d" is
// appended when the file's own name has no dot; the file must exist and
// have a ".kv7d" or ".kv6d" extension. The result is absolute.
std::optional<std::string> CommandLineProject(const std::string& argument);

// Save goes through Save As for a project never named, or one whose
// extension is not ".kv7d" (a project read from an older layout).
bool NeedsSaveAs(const std::string& fileName);
// The name Save As proposes: the project's own with the ".kv7d" extension.
std::string SaveAsFileName(const std::string& fileName);
// "Save " + the display name + " As".
std::string SaveAsTitle(const std::string& fileName);

// The folder every file chooser starts in: the folder of the project file
// (absolute; a project never saved lies in the current folder).
std::string ProjectFolder(const std::string& fileName);

// The update-check page with the product, the version and the release date.
std::string UpdateQueryAddress();

} // namespace korva::app
