// The program's window layer: main window, input dialogs and views, each in
// the folder of what the user sees. This unit keeps the library non-empty.
namespace korva::app_widgets {
} // namespace korva::app_widgets
