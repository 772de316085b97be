#pragma once
// TProgramData: the scalar data of the open project (pile geometry and
// material, method choices, options, file names, the CPT text-file settings
// and the result arrays a run brings back). The tabular data lives in the
// main window's tables and its CPT plot, which the object reaches through
// its TProjectHost; the object and those tables are saved together as the
// project file and the CPT point file.
//
// Exactly one instance exists at a time; the main window replaces it on New
// and Open.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "cpt_points.h"
#include "exceptions.h"
#include "number_format.h"

namespace korva::app {

class TProjectTables;

// A project that cannot be saved as it stands (it has no soil layer).
class EProjectDataError : public components::Exception {
public:
    using Exception::Exception;
};

using components::Extended;

// The project's numbering of the nine capacity methods.
enum TPileMethod : int {
    pmFhwa = 1,
    pmUsace,
    pmRevisedLambda,
    pmApi,
    pmUserSpecified,
    pmNgi,
    pmIcpMtd,
    pmFugro,
    pmUwa,
};

// The pile types of the material dialog and the project file.
enum TPileType : int {
    ptSteelPipe = 1,       // steel pipe, or the straight part of a monotube
    ptTimber,
    ptPrecastConcrete,
    ptRaymondStepTaper,
    ptRaymondUniformTaper,
    ptHPile,               // H-piles and other steel sections
    ptTaperedMonotube,     // the tapered part of a monotube
};

// The open dialog's filter index: the layout a project file is read in.
enum TProjectFileVersion : int {
    pfvCurrent = 1,  // ".kv7d"
    pfvPrevious = 2, // ".kv6d"
    pfvOlder = 3,    // ".kvd"
    pfvAnyFile = 4,  // all files: the layout the extension names, else the oldest
};

// The layout a project file is read in: versions 1 to 3 as given; for any
// other version the layout the file's extension names (".kv7d", ".kv6d",
// compared without regard to case), else the oldest.
int ProjectFileLayout(const std::string& fileName, int version);

// What the window layer does on the project object's events. Unassigned
// handlers do nothing.
struct TProjectEvents {
    // Close every child window of the main window (a new project starts).
    std::function<void()> CloseChildWindows;
    // The main window's modified state; false also clears the tables' flags.
    std::function<void(bool)> SetModified;
    // The unit system changed: re-run the activation handlers of the open
    // Computation Methods, Circular and Noncircular Pile Properties and Pile
    // Material dialogs, in this order, so that they show converted values.
    std::function<void()> RefreshUnitDialogs;
    // An information box with an OK button.
    std::function<void(const std::string&)> ShowInformation;
};

// What the main window lends the project object: its event handlers, its
// grid tables and the CPT points of its plot MotionInput.
struct TProjectHost {
    TProjectEvents Events;
    TProjectTables* Tables = nullptr;
    TCptPoints* MotionInput = nullptr;
};

inline constexpr int kResultPoints = 501;
inline constexpr const char* kNewProjectFileName = "NewKORVA.kv7d";

class TProgramData {
public:
    // Create: a new, empty project (closes the child windows, sets the
    // defaults, resets the tables, clears the modified state).
    explicit TProgramData(TProjectHost& host);
    TProgramData(const TProgramData&) = delete;
    TProgramData& operator=(const TProgramData&) = delete;

    // CreateFromFile: a project read from a project file in the layout that
    // `version` (a TProjectFileVersion) names, with its CPT point file when
    // one lies beside it. An input error is shown as an information message
    // and the values read before it are kept; the tables have at least their
    // minimum rows and the project counts as unmodified. A project or CPT
    // point file that could not be read completely leaves the project
    // untitled (FileName kNewProjectFileName, as a new project), so that no
    // save replaces either file with the part that was read unless the user
    // chooses that name. Words after the last record only give a message.
    static std::unique_ptr<TProgramData> CreateFromFile(TProjectHost& host, const std::string& fileName,
                                                        int version);

    // Writes the project file to FileName and the CPT point file beside it,
    // both made whole before either replaces its old file, then clears the
    // modified state. A failure of either file raises EInOutError and leaves
    // both old files as they were; a project without soil layers raises
    // EProjectDataError, and a FileName that is its own CPT point file name
    // (extension ".cpt") EInOutError, and neither writes anything.
    void SaveToFile();

    // Switches the unit system (clamped to 1..2): the tables always, the
    // fields and the CPT points (depth ft <-> m, cone resistance ksf <-> kPa)
    // only when the system changes.
    void SetUnits(int newUnits);

    // Writes the input file of the wave-equation program GRLWEAP beside the
    // project (FileName with ".gwi", kept in WaveFileName) from the result
    // arrays of the last plot data file read. Returns false and writes
    // nothing when there are no result points, and removes the file of an
    // earlier run; a file that cannot be written raises EInOutError and the
    // old one stays.
    bool WriteWaveEquationFile();
    // Removes the wave-equation file beside the project, an earlier run's,
    // and clears WaveFileName.
    void RemoveWaveEquationFile();

    TProjectHost& Host() const { return *host_; }

    // The number of CPT points: those of MotionInput line 0 (0 without the
    // plot). The points are the one record of it; a reader of CPT data sets
    // it with MotionInput->SetPointCount.
    std::int32_t CptPointCount() const;

    // Fields, in declaration order. English / SI units in the comments.
    std::int32_t Units = 1;                       // 1 English, 2 SI
    std::string FileName = kNewProjectFileName;   // full path of the project file
    std::string WaveFileName;                     // path of the wave-equation file
    std::string CptPointFileName;                 // CPT point file of the last save
    std::string ProjectTitle = "New Pile";
    std::string DesignerName;
    std::string JobNumber;
    std::int32_t PrintEvery = 1;                  // print every n-th increment
    Extended Perimeter = 0;                       // in / mm, noncircular section
    Extended SectionArea = 0;                     // in^2 / m^2, constant area
    Extended TipArea = 0;                         // in^2 / m^2, noncircular section
    Extended OuterDiameter = 0;                   // in / mm
    Extended InnerDiameter = 0;                   // in / mm
    Extended ElasticModulus = 0;                  // lb/in^2 / kN/m^2
    Extended StickupLength = 0;                   // ft / m
    Extended PileLength = 0;                      // total length, ft / m
    Extended EndSectionLength = 0;                // ft / m
    Extended EndSectionInnerDiameter = 0;         // in / mm
    Extended ZeroFrictionLength = 0;              // ft / m
    Extended IncrementLength = 1.0L;              // ft / m
    Extended SoilProfileBottom = 0;               // ft / m; filled by reading
    Extended TaperAngle = 0;                      // degrees
    std::int32_t LoadTransferMethod = pmApi;      // TPileMethod feeding the t-z curves
    std::int32_t ExtraTZDepths = 0;               // 1: t-z curves also at TblTZDepth
    std::int32_t PileType = ptSteelPipe;          // TPileType 1-7
    std::int32_t LoadDirection = 0;               // 0 compression, 1 tension
    std::int32_t DrainedClay = 0;                 // 1 drained, 0 undrained
    std::int32_t PlugCondition = 0;               // 0 computed, 1 plugged, 2 unplugged
    std::int32_t SectionAreaMode = 0;             // 0 section, 1 SectionArea, 2 Sectionaldata
    Extended TensionReduction = 1.0L;             // 0.001 to 10.0
    std::uint8_t CircularSection = 1;             // 1 circular, 0 noncircular
    std::uint8_t ClosedEnded = 0;                 // 1 closed-ended, 0 open-ended
    std::int32_t OffshoreEdition = 1;             // always 1
    std::int32_t ReducedTzFactors = 0;            // 1 reduced unit values for t-z and Q-w
    std::int32_t CriticalDepthMode = 0;           // sand critical depth option 0, 1, 2
    Extended CriticalDepth = 0;                   // ft / m
    std::array<Extended, kResultPoints> ResultDepths{};
    std::array<Extended, kResultPoints> ResultUnitSkinFriction{};
    std::array<Extended, kResultPoints> ResultTipResistance{};
    std::array<std::int32_t, 11> MethodSelected{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}; // slots 1-9 used
    std::int32_t ResultPointCount = 0;
    std::int32_t CptDataLines = 0;
    std::int32_t CptColumns = 0;
    std::int32_t CptHeaderLines = 0;
    std::string CptFileName;
    Extended CptStressFactor = 0;

private:
    void SetModified(bool value) const;
    void ShowInformation(const std::string& message) const;
    void ReadFromFile(const std::string& fileName, int version);
    // False when the CPT point file beside FileName exists and could not be
    // read completely (shown as a message).
    bool ReadCptPoints();

    TProjectHost* host_;
};

// The number-to-text routines of the file writers (the decimal separator in
// force; the writers set ".").
// General format, at most 10 significant digits: 0, 12.5, 1E-20.
std::string FloatStrGeneral(Extended value);
// Scientific, 3 significant digits, at least 1 exponent digit: 1.50E+1.
std::string FloatStrExp1(Extended value);
// Scientific, 3 significant digits, at least 2 exponent digits: 1.50E+01.
std::string FloatStrExp2(Extended value);

} // namespace korva::app
