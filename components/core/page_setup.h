#pragma once
// The page-setup options and margins of the plot window's printing, free of
// any window library. The margins are in the unit the options choose
// (thousandths of an inch or hundredths of a millimetre); each margin stays
// at least its minimum, and a minimum set later never rises above its
// margin.
#include <initializer_list>
#include <string>

#include "plot_geometry.h"

namespace korva::components {

enum TPageSetupFlag {
    poDefaultMinMargins,
    poDisableMargins,
    poMargins,
    poMinMargins,
    poDisableOrientation,
    poDisablePaper,
    poDisablePrinter,
    poHundredthsOfMillimeters,
    poThousandthsOfInches,
};

// A set of TPageSetupFlag.
class TPageOptions {
public:
    TPageOptions() = default;
    TPageOptions(std::initializer_list<TPageSetupFlag> flags);
    bool Has(TPageSetupFlag flag) const { return (bits_ & Bit(flag)) != 0; }
    void Include(TPageSetupFlag flag) { bits_ |= Bit(flag); }
    void Exclude(TPageSetupFlag flag) { bits_ &= ~Bit(flag); }
    bool operator==(const TPageOptions&) const = default;

private:
    static unsigned Bit(TPageSetupFlag flag) { return 1u << static_cast<unsigned>(flag); }
    unsigned bits_ = 0;
};

// The default margins of the page (one inch) when the options do not pass
// the dialog margins of its own.
inline constexpr int kDefaultMarginThousandthsOfInch = 1000;
inline constexpr int kDefaultMarginHundredthsOfMillimetre = 2540;

class TPageSetup {
public:
    // [poDefaultMinMargins, poHundredthsOfMillimeters], every margin 0.
    TPageSetup();

    const TPageOptions& Options() const { return options_; }
    // A newly added poDefaultMinMargins removes poMinMargins; then a newly
    // added poMinMargins removes poDefaultMinMargins; a newly added
    // poHundredthsOfMillimeters removes poThousandthsOfInches, and a newly
    // added poThousandthsOfInches poHundredthsOfMillimeters ("newly added":
    // in the set as it stands at that step, and not in the old one).
    void SetOptions(TPageOptions options);

    int MarginLeft() const { return margins_.Left; }
    int MarginTop() const { return margins_.Top; }
    int MarginRight() const { return margins_.Right; }
    int MarginBottom() const { return margins_.Bottom; }
    // Each margin becomes max(value, its minimum).
    void SetMarginLeft(int value) { SetMargin(&TPageMargins::Left, value); }
    void SetMarginTop(int value) { SetMargin(&TPageMargins::Top, value); }
    void SetMarginRight(int value) { SetMargin(&TPageMargins::Right, value); }
    void SetMarginBottom(int value) { SetMargin(&TPageMargins::Bottom, value); }

    int MinMarginLeft() const { return minMargins_.Left; }
    int MinMarginTop() const { return minMargins_.Top; }
    int MinMarginRight() const { return minMargins_.Right; }
    int MinMarginBottom() const { return minMargins_.Bottom; }
    // Each minimum becomes min(value, its margin).
    void SetMinMarginLeft(int value) { SetMinMargin(&TPageMargins::Left, value); }
    void SetMinMarginTop(int value) { SetMinMargin(&TPageMargins::Top, value); }
    void SetMinMarginRight(int value) { SetMinMargin(&TPageMargins::Right, value); }
    void SetMinMarginBottom(int value) { SetMinMargin(&TPageMargins::Bottom, value); }

    // The four margins (in the options' unit).
    TPageMargins Margins() const { return margins_; }
    // Through the four setters, left, top, right, bottom.
    void SetMargins(const TPageMargins& margins);

    // Margins in thousandths of an inch, as printing takes them (hundredths
    // of a millimetre converted, rounded).
    TPageMargins MarginsInThousandthsOfInch() const;
    bool InMillimetres() const { return options_.Has(poHundredthsOfMillimeters); }

    // What the dialog shows when it opens: the margins when poMargins is
    // set, else the default margins of one inch.
    TPageMargins InitialMargins() const;
    // The lowest margins the dialog accepts: the minimum margins with
    // poMinMargins, else 0 (the printer's own minimum, its physical offsets,
    // is applied when printing).
    TPageMargins LowestMargins() const;
    bool MarginsEnabled() const { return !options_.Has(poDisableMargins); }
    // The unit the dialog shows, "in" or "mm", and how many margin units
    // one of it holds (1000 or 100).
    const char* ShownUnit() const { return InMillimetres() ? "mm" : "in"; }
    int UnitsPerShownUnit() const { return InMillimetres() ? 100 : 1000; }
    // The largest margin the dialog accepts: 100 inches (2540 mm), beyond
    // any paper, so that a margin always fits its integer.
    int MaxMargin() const { return InMillimetres() ? 254000 : 100000; }
    // A margin given in the shown unit as it is kept: a whole number of
    // margin units (halves to even), and that again in the shown unit
    // (0.12345 in is kept as 123 thousandths, shown as 0.123).
    int MarginUnits(Extended shown) const;
    Extended KeptMargin(Extended shown) const;

    // The paper of the current printer, which the dialog checks the margins
    // against (A4 until it is set), in inches; PaperWidth and PaperLength in
    // the options' unit.
    void SetPaperInches(Extended width, Extended length);
    int PaperWidth() const;
    int PaperLength() const;
    // Why these margins (in the options' unit) are refused: they would leave
    // the paper a printable area that is empty or smaller than an inch either
    // way. Empty when they leave at least an inch each way.
    std::string MarginsRefusal(const TPageMargins& margins) const;

private:
    void SetMargin(int TPageMargins::*side, int value);
    void SetMinMargin(int TPageMargins::*side, int value);

    // Inches of one margin unit of the options.
    Extended InchesPerUnit() const { return InMillimetres() ? 1 / 2540.0L : 1 / 1000.0L; }

    TPageOptions options_;
    TPageMargins margins_{0, 0, 0, 0};
    TPageMargins minMargins_{0, 0, 0, 0};
    Extended paperWidth_ = 210 / 25.4L; // A4
    Extended paperLength_ = 297 / 25.4L;
};

// Where a dialog opens (CenterWindow): x = (screen width - window width) / 2,
// y = (screen height - window height) / 3, from the screen's top-left.
TPixelPoint CenteredOnScreen(const TPixelRect& screen, int windowWidth, int windowHeight);

} // namespace korva::components
