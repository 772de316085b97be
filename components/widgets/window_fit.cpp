#include "window_fit.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>

namespace korva::widgets {

namespace {

// Not a control of this window's area: a window of its own (a dialog the
// window opened), a part of one, or what a scroll area shows inside its
// viewport, in view or not as the area scrolls.
bool ElsewhereShown(const QWidget* control, const QWidget* window)
{
    for (const QWidget* w = control; w && w != window; w = w->parentWidget())
        if (w->isWindow() || (w != control && qobject_cast<const QAbstractScrollArea*>(w)))
            return true;
    return false;
}

QString ShownText(const QWidget* control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(control))
        return group->title();
    return {};
}

} // namespace

std::string DefaultControlName(const QWidget* control)
{
    if (!control->objectName().isEmpty())
        return control->objectName().toStdString();
    const std::string type = control->metaObject()->className();
    const QString text = ShownText(control);
    return text.isEmpty() ? type : type + " \"" + text.toStdString() + "\"";
}

std::vector<std::string> ControlsOutside(const QWidget* window, const TControlNamer& namer)
{
    std::vector<std::string> outside;
    if (!window)
        return outside;
    const auto* child = qobject_cast<const QMdiSubWindow*>(window);
    const QWidget* contents = child ? child->widget() : window;
    if (!contents)
        return outside;
    const QRect client = child ? child->contentsRect() : window->rect();
    QList<const QWidget*> controls{contents};
    for (const QWidget* control : contents->findChildren<const QWidget*>())
        controls.append(control);
    for (const QWidget* control : controls) {
        if (!control->isVisible() || ElsewhereShown(control, window))
            continue;
        const QRect placed(control->mapTo(window, QPoint(0, 0)), control->size());
        if (client.contains(placed))
            continue;
        std::string name = namer ? namer(control) : std::string();
        outside.push_back(name.empty() ? DefaultControlName(control) : name);
    }
    return outside;
}

} // namespace korva::widgets
