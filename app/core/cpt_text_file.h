#pragma once
// The user's CPT text file: header lines skipped whole, then data lines of
// at least `Columns` numbers (depth, cone resistance Qc, further columns read
// and ignored; the rest of a line is skipped). The cone resistance times the
// stress factor Ua is the project's CPT profile, which the project saves as
// its CPT point file and the analysis reads.
//
// A read goes into a buffer that grows as lines are read and replaces the
// profile only when the whole read succeeded. The converted SPT blow count
// and undrained shear strength are views of the profile for display; they
// never replace its cone resistances.
#include <string>
#include <vector>

#include "cpt_points.h"
#include "number_format.h"

namespace korva::app {

using components::Extended;

class TProgramData;

inline constexpr const char* kCptReadError = "There was an error reading the input CPT file.";

// "File <name> does not exists", for a CPT file that is not there.
std::string CptFileMissingMessage(const std::string& fileName);

struct TCptTextLayout {
    int DataLines = 2;
    int HeaderLines = 0;
    int Columns = 2;
    Extended StressFactor = 1.0L; // Ua
};

struct TCptReadResult {
    bool Ok = false;
    std::string Message;            // why the read failed
    std::vector<TCptPoint> Points;  // X = Ua x Qc, Y = depth; only when Ok
};

// Reads the file by the layout. Fails (with kCptReadError) when it cannot be
// read, a word up to the last column is not a number, a data line holds
// fewer than `Columns` numbers, a value is not finite or the file ends
// before the data lines do; fails with its own message for more data lines
// than the analysis reads.
TCptReadResult ReadCptTextFile(const std::string& fileName, const TCptTextLayout& layout);

// Makes the points the project's CPT profile (replacing the old ones), with
// the captions of the cone-resistance view on its plot, and marks the project
// modified.
void AcceptCptProfile(TProgramData& project, TCptPoints& profile, std::vector<TCptPoint> points);

// The three forms the CPT data is shown in.
enum class TCptView { ConeResistance, Spt, UndrainedStrength };

struct TCptViewTexts {
    std::string Caption;
    std::string XCaption;
    std::string YCaption;
    std::string LineName;
};

// The plot captions and line name of a view (units 1 English, else SI).
TCptViewTexts CptViewTexts(TCptView view, int units);

// The value shown for a cone resistance (already multiplied by Ua): Qc
// itself; SPT N = Qc x 47.875 / 280 in English units, Qc / 280 in SI;
// Su = Qc / 15.
Extended CptViewValue(TCptView view, int units, Extended coneResistance);

// The profile's points as the view shows them (depth unchanged).
std::vector<TCptPoint> CptViewPoints(TCptView view, int units, const TCptPoints& profile);

// The plot's caption, axis titles and line 0's name for the view.
void SetCptViewCaptions(components::TGraphPlot& plot, TCptView view, int units);

// A plot of its own for a converted view: depth downward with the values
// along the top and a marker on every point, as the CPT profile is shown, the
// view's captions, and one line of the converted points of the profile.
void FillCptViewPlot(components::TGraphPlot& plot, TCptView view, int units, const TCptPoints& profile);

} // namespace korva::app
