#pragma once
// The controls of an input dialog by the project field each one edits
// ("PileType", "OuterDiameter", "MethodSelected[3]"), so that tests and the
// probe find a control by that name, read what it shows and whether it can
// be used; and the labelled entry field every dialog builds.
#include <string>
#include <utility>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QHBoxLayout;
class QLabel;
class QWidget;

namespace korva::widgets {
class TDataEdit;
}

namespace korva::app_widgets {

class TInputDialog;

struct TFieldControl {
    std::string Field;
    // An entry field, a line edit, a text edit, a check box, a list, a
    // button; or, for a choice among radio buttons, their group.
    QWidget* Control = nullptr;
    QButtonGroup* Choices = nullptr; // the radio buttons; each one's id is the value it stands for
};

class TFieldControls {
public:
    void Add(const std::string& field, QWidget* control);
    void AddChoices(const std::string& field, QButtonGroup* choices);
    const std::vector<TFieldControl>& All() const { return controls_; }
    // nullptr when no control edits the field.
    const TFieldControl* Find(const std::string& field) const;
    // The field a control edits ("PileType=6" for the radio button of a
    // value); empty for a control of no field.
    std::string FieldOf(const QWidget* control) const;

private:
    std::vector<TFieldControl> controls_;
};

// What the control shows: the text of an edit, "1" or "0" for a check box,
// the value of the checked radio button ("" when none is), the item of a
// list that takes no typing (from 0).
std::string ShownText(const TFieldControl& control);
// Whether the user can change it (for radio buttons: any of them).
bool ShownEnabled(const TFieldControl& control);

// A dialog whose controls can be found by field.
class IFieldDialog {
public:
    virtual ~IFieldDialog() = default;
    virtual const TFieldControls& Fields() const = 0;
};

// An entry field with its label ("&Outer Diameter, OD (in)"): the caption
// and the unit template of the field; the label's buddy is the field.
widgets::TDataEdit* NewEntry(QWidget* parent, const std::string& caption, const std::string& unitTemplate,
                             QLabel** label = nullptr);

// The radio buttons of one choice, each standing for its value.
QButtonGroup* NewChoice(QWidget* parent, const std::vector<std::pair<QAbstractButton*, int>>& buttons);
// Checks the button of the value (none when no button stands for it).
void CheckChoice(QButtonGroup* choice, int value);

// Moves the dialog's child window to the top coordinate it takes when
// activated (its left edge stays).
void PlaceAtTop(TInputDialog* dialog, int top);

// A row with "Close" at its right, which asks the dialog to close.
QHBoxLayout* NewCloseRow(TInputDialog* dialog, QWidget* parent);

} // namespace korva::app_widgets
