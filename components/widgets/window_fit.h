#pragma once
// Whether a window holds its controls: every control shown lies wholly inside
// the window's client area (a child window's contents without its frame and
// title bar, a dialog's own area). A control cut by the window's edge cannot
// be read or reached whole.
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace korva::widgets {

// The name of a control for a report: by default its object name, else its
// class and its text ("QPushButton \"Close\""), else its class.
using TControlNamer = std::function<std::string(const QWidget* control)>;
std::string DefaultControlName(const QWidget* control);

// The names of the controls shown in `window` (a QMdiSubWindow or a top-level
// window) that do not lie wholly inside its client area, in the order of the
// window's children. What a scroll area shows inside its viewport is its own
// business and not looked at; the scroll area itself is. A name the namer
// leaves empty falls back to DefaultControlName.
std::vector<std::string> ControlsOutside(const QWidget* window, const TControlNamer& namer = {});

} // namespace korva::widgets
