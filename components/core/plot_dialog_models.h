#pragma once
// The four small dialogs of the plot window without their widgets: what
// each one shows, how it changes its lists, and what its OK does to the plot
// and the window's legend. Active Curves chooses the lines listed in the
// legend and the menu, Legend renames lines, Graph Caption sets the extra
// title, Save Attributes sizes an exported bitmap. Also the pixel layouts of
// the two list dialogs.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "graph_plot.h"
#include "plot_geometry.h"
#include "plot_interaction.h"
#include "plot_view.h"

namespace korva::components {

inline constexpr const char* kLineNameMissing = "The line must have a name!";
inline constexpr const char* kNotEnoughMemory = "There is not enough memory to complete this task.";

// The display name (TLine::GetName) of every main line, in order.
std::vector<std::string> LineNameList(const TGraphPlot& plot);

// ---------------------------------------------------------------------------
// Active Curves

// The flag texts of a row: exactly these, "no" followed by two blanks.
inline constexpr const char* kActiveFlag = " yes : ";
inline constexpr const char* kInactiveFlag = " no  : ";

class TActiveCurvesList {
public:
    // One row per main line: its flag (Active or not) and its name.
    explicit TActiveCurvesList(const TGraphPlot& plot);

    int Count() const { return static_cast<int>(flags_.size()); }
    // Flag, three blanks, name.
    std::string RowText(int row) const;
    bool IsActive(int row) const;
    const std::vector<std::string>& Names() const { return names_; }
    const std::vector<std::string>& Flags() const { return flags_; }

    // " yes : " unless it is " yes : ", then " no  : ". Rows outside the
    // list are ignored.
    void Toggle(int row);
    // "Activate/Deactivate Selected": the focused row when exactly one row is
    // selected, else every selected row.
    void ToggleSelected(const std::vector<int>& selected, int focused);
    // "Activate All" (true) and "Deactivate All" (false).
    void SetAll(bool active);

private:
    std::vector<std::string> names_;
    std::vector<std::string> flags_;
};

// OK: each line Active as its flag says, and the legend (and so the line
// items) rebuilt: one entry per Active line, in order, with the name the
// dialog listed.
void ApplyActiveCurves(TGraphPlot& plot, TPlotView& view, const TActiveCurvesList& list);

// ---------------------------------------------------------------------------
// Legend

class TLegendNamesList {
public:
    // The names of every main line; entry 0 selected (none without lines).
    explicit TLegendNamesList(const TGraphPlot& plot);

    const std::vector<std::string>& Names() const { return names_; }
    int Selected() const { return selected_; }
    // Rows outside the list are ignored.
    void Select(int row);
    // The selected entry (empty when nothing is selected).
    std::string SelectedName() const;
    // The text colour of the field: the selected entry's curve colour.
    std::uint32_t SelectedColor() const;

    // Enter in the field, or leaving it, with this text.
    struct TCommit {
        std::string Message;   // "The line must have a name!" for an empty text
        std::string FieldText; // what the field shows afterwards
    };
    // A non-empty text replaces the selected entry; an empty one leaves it
    // and puts it back into the field with the message.
    TCommit Commit(const std::string& text);

private:
    std::vector<std::string> names_;
    int selected_ = -1;
};

// OK: every main line takes its name from the list, and the legend entry of
// each renamed Active line the same text.
void ApplyLegendNames(TGraphPlot& plot, TPlotView& view, const std::vector<std::string>& names);

// ---------------------------------------------------------------------------
// Graph Caption

// However the dialog closes: GraphTitle and TitleOnTop from its controls.
void ApplyGraphCaption(TGraphPlot& plot, const std::string& text, bool onTop);

// ---------------------------------------------------------------------------
// Save Attributes

// The dialog's three entries.
struct TBitmapAttributes {
    Extended HeightInches = 4.0;
    Extended WidthInches = 6.0;
    Extended PixelsPerInch = 72.0;
};

// Limits of an exported bitmap: each side, and its pixels in memory as
// drawn (32 bits each).
inline constexpr int kMaxBitmapSide = 32767;
inline constexpr std::int64_t kBitmapBytesPerPixel = 4;
inline constexpr std::int64_t kMaxBitmapBytes = 256LL * 1024 * 1024;

struct TBitmapSize {
    int Width = 0;
    int Height = 0;
    int PixelsPerInch = 0; // the rounded entry, across and down
    bool operator==(const TBitmapSize&) const = default;
};

// Round(pixels per inch x width) by Round(pixels per inch x height), halves
// to even, computed in 64 bits before anything is allocated. Nothing when a
// side is not between 1 and 32767 pixels or the pixels take more than
// 256 MiB: the caller shows "There is not enough memory to complete this
// task." and writes nothing.
std::optional<TBitmapSize> BitmapSize(const TBitmapAttributes& attributes);

// ---------------------------------------------------------------------------
// Layouts of the two list dialogs (client pixels; Right and Bottom one past)

struct TLegendDialogControls {
    int LabelHeight = 13;     // "Select line to modify:"
    int FieldLabelHeight = 13; // "Type new legend below:"
    int FieldHeight = 21;
    TPixelSize Button{75, 25};
};
struct TLegendDialogLayout {
    TPixelSize Client;
    TPixelRect Label, List, FieldLabel, Field, Ok, Cancel;
};
inline constexpr TPixelSize kLegendDialogMinimum{195, 167};
TLegendDialogLayout LegendDialogLayout(TPixelSize client, const TLegendDialogControls& controls);

struct TActiveCurvesControls {
    int LabelHeight = 13;  // "Select Curve to Active/Desactive"
    TPixelSize Curve{29, 13};  // "Curve"
    TPixelSize Active{37, 13}; // "Active :"
    TPixelSize ToggleSelected{160, 25};
    TPixelSize ActivateAll{85, 25};
    TPixelSize DeactivateAll{85, 25};
    TPixelSize Button{75, 25}; // "&OK" and "&Cancel"
};
struct TActiveCurvesLayout {
    TPixelSize Client;
    TPixelRect Label, Active, Curve, List, ToggleSelected, ActivateAll, DeactivateAll, Ok, Cancel;
};
inline constexpr TPixelSize kActiveCurvesMinimum{190, 234};
TActiveCurvesLayout ActiveCurvesLayout(TPixelSize client, const TActiveCurvesControls& controls);

} // namespace korva::components
