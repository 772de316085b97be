#pragma once
// The state of one analysis run. IKORVA makes one RunState for each call and
// drops it on return, so nothing survives from one run to the next. Every
// step of the run reads and writes its values here; a value that one step
// changes for the steps after it says so where it is declared.
#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace korva::engine {

// Storage limits of the engine. Counts read from a file are checked against
// these before anything is stored.
inline constexpr int MaxSoilPoints = 80;
inline constexpr int MaxTzDepths = 100;
inline constexpr int MaxSectionRows = 100;
inline constexpr int MaxCptPoints = 1000;
inline constexpr int MaxSegments = 500;
inline constexpr int MaxRows = 500;

// Columns of one soil point in SoilColumns (the values of record R10).
namespace Soil {
enum Column : int {
    Depth = 0,
    // column 1 is not used
    SoilType = 2, // 1 sand, 2 clay, 3 silt, held as a real
    EarthPressureCoefficient = 3,
    EffectiveUnitWeight = 4,
    FrictionAngle = 5,
    BearingCapacityFactor = 6,
    MaxSideFriction = 7,
    MaxEndBearing = 8,
    UndrainedShearStrength = 9,
    RemoldedStrengthOrBlowCount = 10,
    YieldStressRatio = 11,
    PlasticityIndex = 12,
    ConeResistance = 13,
    UserUnitSkinFriction = 14,
    UserUnitEndBearing = 15,
    SideFrictionFactor = 16,
    EndBearingFactor = 17,
    AdhesionMethod = 18,
};
inline constexpr int ColumnCount = 19;
} // namespace Soil

using SoilPoint = std::array<double, Soil::ColumnCount>;

struct CptPoint {
    double depth = 0.0;
    double cone_resistance = 0.0;
};

// The six report unit labels of a unit system, at their fixed widths.
struct UnitLabels {
    std::string length;       // 3 characters
    std::string small_length; // 3 characters (diameters)
    std::string force;        // 3 characters
    std::string stress;       // 3 characters
    std::string unit_weight;  // 5 characters
    std::string area;         // 3 characters
};

// Calendar time of the analysis, as the report's date line shows it.
struct AnalysisTime {
    int year = 0;
    int month = 0; // 1-12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
using AnalysisClock = std::function<AnalysisTime()>;
AnalysisTime SystemClockNow(); // local time of the machine

// The process's console as the run sees it: progress text, the prompts for
// missing file names and the messages that cannot go to a report.
struct Console {
    std::FILE* out = stdout;
    std::FILE* in = stdin;
    std::FILE* err = stderr;
    bool input_is_terminal = false; // prompts are asked only on a terminal

    void Write(std::string_view text) const;
    void Error(std::string_view text) const; // one line on err
};
Console ProcessConsole();

// An output file of the run (report or plot data), written from its start
// with LF line ends; closed when the run ends or the object goes.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates or empties the file at path. False (errno set) when it fails.
    bool Open(const std::string& path);
    bool IsOpen() const { return file_ != nullptr; }
    void Write(std::string_view text);
    // Closes the file; false when anything written was lost.
    bool Close();

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

struct RunState {
    // --- Run set-up (not part of the input) ---
    AnalysisClock clock = SystemClockNow;
    Console console = ProcessConsole();

    // --- The hand-off file names.dat ---
    std::string ProgramVersion; // first 12 characters of line 1
    std::string InputFilePath;  // project file (.kv7d)
    std::string ReportFilePath; // report (.kv7o)
    std::string PlotFilePath;   // plot data file (.kv7p)
    std::string CptFilePath;    // CPT point file (.cpt)

    // --- Open outputs: both stay open until the run ends ---
    OutputFile report;
    OutputFile plot;

    // --- Report labels, set by SelectUnitLabels right after the project file is read ---
    UnitLabels labels;

    // --- Project file, records R1-R16, after the conversions made while reading ---
    std::string ProjectTitle; // R1-R3: at most 72 characters each
    std::string DesignerName;
    std::string JobNumber;

    int Units = 0;      // 1 English (ft, in, kips, ksf), 2 SI (m, mm, kN, kPa)
    int PrintEvery = 1; // every how many penetration rows a table line is printed; at least 1
    int SoilPointCount = 0;
    int ClosedEnded = 0;

    double Perimeter = 0.0;
    double TipArea = 0.0;       // English: square feet after reading (in2 in the file)
    double OuterDiameter = 0.0; // non-circular section: the diameter of a circle of Perimeter
    double InnerDiameter = 0.0; // non-circular section: 0
    double ElasticModulus = 0.0;
    // Total length as read; the input echo makes it the embedded length
    // (less StickupLength), which every later step uses.
    double PileLength = 0.0;
    double StickupLength = 0.0;
    // R5 values as written in the file, before the conversions above (the
    // echo's constant-area line and tip area use them).
    double TipAreaAsRead = 0.0;
    double OuterDiameterAsRead = 0.0;
    double InnerDiameterAsRead = 0.0;

    // No enhanced end section: EndSectionLength becomes the total length less
    // 1e-7 and EndSectionInnerDiameter the pile's InnerDiameter.
    double EndSectionLength = 0.0;
    double EndSectionInnerDiameter = 0.0;

    double ZeroFrictionLength = 0.0;
    double IncrementLength = 0.0; // > 0
    int PileType = 0;             // 1-7
    double TaperAngle = 0.0;
    int LoadTransferMethod = 0; // project method number 1-9
    int OffshoreEdition = 0;
    int ReducedTzFactors = 0;

    std::array<int, 10> MethodSelected{}; // [1..9], project method numbers; [0] unused

    double SoilProfileBottom = 0.0;
    double SectionArea = 0.0; // the copy of R9's area that later steps use

    // Soil points of R10 after reading: English stresses in kips/ft^2, blow
    // counts of sand moved to YieldStressRatio, absent limits made 9999999.
    // The echo puts PlasticityIndex and ConeResistance back (offshore
    // edition); the method loop snaps the Depth of thin layers.
    std::array<SoilPoint, MaxSoilPoints> SoilColumns{};
    // As read, before the English substitution (the cone-based methods use them).
    std::array<double, MaxSoilPoints> PlasticityIndexAsRead{};
    std::array<double, MaxSoilPoints> ConeResistanceAsRead{};
    // The file gave no limit (0): the echo marks these points with "*".
    std::array<bool, MaxSoilPoints> NoSideFrictionLimit{};
    std::array<bool, MaxSoilPoints> NoEndBearingLimit{};
    // Depth of the first soil point below the water table (light effective
    // unit weight); 99999 when there is none. Self weight uses it for buoyancy.
    double WaterTableDepth = 99999.0;

    int ExtraTZDepths = 0;
    int TzDepthCount = 0;
    std::array<double, MaxTzDepths> TzDepth{};

    int LoadDirection = 0;         // 0 compression, 1 uplift
    double TensionReduction = 1.0; // 1 unless the file gives one
    int DrainedClay = 0;
    int PlugCondition = 0; // 0 computed, 1 plugged, 2 unplugged

    int SectionRowCount = 0;
    int SectionAreaMode = 0; // 0 from the section, 1 constant SectionArea, 2 by depth
    std::array<double, MaxSectionRows> DistanceFromHead{};
    std::array<double, MaxSectionRows> CrossSectionArea{};

    int CriticalDepthMode = 0;
    double CriticalDepth = 0.0;

    // --- CPT point file, in the project's units ---
    int CptUnits = 0; // read, not used
    int CptPointCount = 0;
    std::array<CptPoint, MaxCptPoints> CptProfile{};

    // --- Segments and method loop ---
    int SegmentCount = 0; // set when the segment count has been checked
};

} // namespace korva::engine
