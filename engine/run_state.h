#pragma once
// The state of one analysis run, in groups (see RunState at the end). IKORVA
// makes one RunState for each call and drops it on return, so nothing
// survives from one run to the next.
#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>

#include "fixed_format.h"

namespace korva::engine {

// Storage limits of the engine. Counts read from a file are checked against
// these before anything is stored.
inline constexpr int MaxSoilPoints = 80;
inline constexpr int MaxTzDepths = 100;
inline constexpr int MaxSectionRows = 100;
inline constexpr int MaxCptPoints = 1000;
inline constexpr int MaxSegments = 500;
// t-z curves of the load-settlement part: three in the free length and
// three per pair of soil points.
inline constexpr int MaxTzCurves = 3 + 3 * (MaxSoilPoints - 1);
inline constexpr int TzPointsPerCurve = 10;
inline constexpr int AssumedTipMovementCount = 9;

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
    YieldStressRatio = 11, // sand and silt: the blow count, moved here when read
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

// MaxSideFriction or MaxEndBearing of a soil point that sets no limit (the
// file gives 0).
inline constexpr double NoLimit = 9999999.0f;

// Segments, points and penetration rows of the method loop. All indexes are
// 0-based: segment s spans SegmentTop[s] to SegmentBottom[s]; its top point
// is 2s and its bottom point 2s + 1, and the bottom point of s lies at the
// depth of the top point of s + 1. Row k lies at depth k x IncrementLength;
// segment k is the segment that starts at row k's depth. Any index that may
// run past the last segment goes through the clamping helpers of
// segment_rows.h.
inline constexpr int MaxPoints = 2 * MaxSegments;
// Rows 0 .. 500: the soil-depth check allows the embedded length to reach
// the bottom of segment 500.
inline constexpr int RowSlots = MaxSegments + 1;
using SegmentArray = std::array<double, MaxSegments>;
using PointArray = std::array<double, MaxPoints>;
using RowArray = std::array<double, RowSlots>;
constexpr int TopPoint(int segment) { return 2 * segment; }
constexpr int BottomPoint(int segment) { return 2 * segment + 1; }

// The engine's method index (the order of its capacity steps and tables).
enum EngineMethod : int {
    emFhwa = 1,
    emUsace = 2,
    emRevisedLambda = 3,
    emApi = 4,
    emNgi = 5,
    emIcpMtd = 6,
    emFugro = 7,
    emUwa = 8,
    emUserSpecified = 9,
};
// The project's method number (MethodSelected, LoadTransferMethod).
enum PileMethod : int {
    pmFhwa = 1,
    pmUsace = 2,
    pmRevisedLambda = 3,
    pmApi = 4,
    pmUserSpecified = 5,
    pmNgi = 6,
    pmIcpMtd = 7,
    pmFugro = 8,
    pmUwa = 9,
};
// 1-4 unchanged, 5 <-> 9, 6-9 <-> 5-8; anything else gives 0.
constexpr int EngineMethodOf(int pile_method)
{
    if (pile_method >= 1 && pile_method <= 4)
        return pile_method;
    if (pile_method == pmUserSpecified)
        return emUserSpecified;
    if (pile_method >= 6 && pile_method <= 9)
        return pile_method - 1;
    return 0;
}
constexpr int PileMethodOf(int engine_method)
{
    if (engine_method >= 1 && engine_method <= 4)
        return engine_method;
    if (engine_method == emUserSpecified)
        return pmUserSpecified;
    if (engine_method >= 5 && engine_method <= 8)
        return engine_method + 1;
    return 0;
}

// The rows of one capacity method, as its table and plot rows show them.
// The method routine fills UnitSideFriction and SkinFriction; the method
// loop fills the rest from the capacity steps.
struct MethodResultRows {
    RowArray UnitSideFriction{};   // printed unit side friction; ksf / kPa
    RowArray SkinFriction{};       // cumulative skin friction, factored; kips / kN
    RowArray EndBearing{};         // tip value of the steps, unfactored (self weight in uplift): handed over
    RowArray FactoredEndBearing{}; // EndBearing x SegmentEndBearingFactor: printed
    RowArray UltimateCapacity{};   // SkinFriction + FactoredEndBearing
};

// The cone penetration profile: depth and cone resistance of each point,
// as two columns so that the chart lookup reads them as a table.
struct CptPoints {
    std::array<double, MaxCptPoints> depth{};
    std::array<double, MaxCptPoints> cone_resistance{};
    // The depths never decrease (as a profile read from the top down does):
    // the lookup may then search by bisection.
    bool ascending = false;

    void Set(int index, double point_depth, double point_cone_resistance)
    {
        depth[index] = point_depth;
        cone_resistance[index] = point_cone_resistance;
    }
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
// with LF line ends into a new file in the folder of its path, which takes
// its place only when the run commits it. Until then an old file of that
// name stays as it was, and a run that fails leaves no part-written file:
// the new file is dropped when it is discarded or the object goes. The new
// file has no name until it is committed, so a process ended by a signal or
// a crash before that leaves nothing beside the path; where the file system
// cannot make such a file it has a hidden name beside the path. Committing
// renames, so a path that is a symbolic link is replaced by the file, never
// followed. Records are formatted straight into the text not yet written,
// which goes to the file in large writes.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // How the new file is made: without a name where the file system can,
    // or always under a hidden name (as on a file system that cannot).
    enum class NewFile { Unnamed, Named };

    // Starts the file for path (an earlier one of this object is
    // discarded). False (errno set) when the new file cannot be made.
    bool Open(const std::string& path, NewFile kind = NewFile::Unnamed);
    bool IsOpen() const { return fd_ >= 0; }
    void Write(std::string_view text);
    // One record of FormatRecord written; returns its text (valid until the
    // next write to this file), e.g. for the same line on another file.
    std::string_view WriteRecord(std::string_view descriptors, std::initializer_list<FormatValue> values);
    // Puts what was written in place of path. False when a write, the close
    // or the rename failed (Error() tells why); the new file is gone then
    // and path is as it was.
    bool Commit();
    // Drops what was written; path is not touched.
    void Discard();
    // errno of the first failure.
    int Error() const { return error_; }

private:
    // Makes room for the next text: what is pending goes to the file once
    // it is large; a file that is not open keeps nothing.
    void MakeRoom();
    // Writes what is pending to the file.
    void Flush();

    int fd_ = -1;
    LayoutCache layouts_;
    TextBuffer pending_; // formatted, not yet written
    std::string path_;
    std::string temporary_; // the hidden name of a named new file
    int error_ = 0;
};

// Removes the file at path (a symbolic link itself, not what it names);
// nothing when there is none.
void RemoveOutput(const std::string& path);

// One t-z curve: unit load transfer t against pile movement z. Inside the
// load-transfer part lengths are inches and loads pounds in English units,
// metres and kN in SI.
struct TzCurve {
    double TzCurveDepth = 0.0;    // in / m: from the pile head (load settlement) or below ground (extra depths)
    double DepthBelowGround = 0.0; // in / m; where the curve's t_max is taken (negative in the free length)
    double TzFrictionAngle = 0.0; // degrees; sets the stiffness of the USACE sand curve
    double TzMaxTransfer = 0.0;   // t_max, psi / kPa
    int TzSoilCode = 1;           // 1 sand, 2 clay or silt (and the free length)
    int CurveNumber = 0;
    int TzPointCount = TzPointsPerCurve;
    std::array<double, TzPointsPerCurve> LoadTransfer{}; // psi / kPa; point 0 is 0
    std::array<double, TzPointsPerCurve> Movement{};     // in / m; point 0 is 0
};

// The load-movement curve of the pile tip.
struct TipLoadCurve {
    std::array<double, TzPointsPerCurve> Load{};     // lb / kN; point 0 is 0
    std::array<double, TzPointsPerCurve> Movement{}; // in / m; point 0 is 0
};

// The pile head and tip at one assumed tip movement (lb / kN, in / m).
struct LoadSettlementPoint {
    double TopLoad = 0.0;
    double TopMovement = 0.0;
    double TipLoad = 0.0;
    double TipMovement = 0.0;
};

// --- The run state, in groups ---
//
// Each group below is one part of a run's state, with the step that writes
// it. A step takes the groups it reads as const and the groups it writes,
// through Uses (below), so its signature tells what it touches. Values that
// one step leaves for a later one are in CarriedValues, each with its
// writers and readers; a step that changes, in passing, an array another
// step built says so at the array and is listed there too.

// Run set-up, not part of the input: set by whoever makes the state, read
// by the run driver and the steps that write to the console.
struct RunSetup {
    AnalysisClock clock = SystemClockNow;
    Console console = ProcessConsole();
};

// The hand-off file names.dat, as ReadHandOffFile (run_driver.cpp) reads it.
struct HandOff {
    std::string ProgramVersion; // first 12 characters of line 1
    std::string InputFilePath;  // project file (.kv7d)
    std::string ReportFilePath; // report (.kv7o)
    std::string PlotFilePath;   // plot data file (.kv7p)
    std::string CptFilePath;    // CPT point file (.cpt)
};

// The open outputs: both stay open until the run ends and are committed
// then. Every step that writes a report line or a plot record takes them.
struct RunOutputs {
    OutputFile report;
    OutputFile plot;
};

// The project file, records R1-R16, and the CPT point file, after the
// conversions made while reading (input_files.cpp). Written only by the two
// readers; every step after them reads it as const. PileLength and
// SoilColumns are the values as read: the steps after the input echo take
// them from AnalysisInput, which derives them once.
struct ProjectInput {
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
    double PileLength = 0.0; // the total length as read (AnalysisInput has the embedded length)
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

    // Soil points of R10 as read: English stresses in kips/ft^2, blow counts
    // of sand and silt moved to YieldStressRatio, absent limits made 9999999,
    // and in English PlasticityIndex and ConeResistance replaced by the user
    // unit values / 1000.
    std::array<SoilPoint, MaxSoilPoints> SoilColumns{};
    // As read, before the English substitution (the cone-based methods use them).
    std::array<double, MaxSoilPoints> PlasticityIndexAsRead{};
    std::array<double, MaxSoilPoints> ConeResistanceAsRead{};
    // The file gave no limit (0): the echo marks these points with "*".
    std::array<bool, MaxSoilPoints> NoSideFrictionLimit{};
    std::array<bool, MaxSoilPoints> NoEndBearingLimit{};
    // Depth of the first soil point below the water table (light effective
    // unit weight); 99999 when there is none. Self weight uses it for buoyancy.
    double WaterTableDepth = 99999.0f;

    int ExtraTZDepths = 0;
    int TzDepthCount = 0;
    std::array<double, MaxTzDepths> TzDepth{};

    int LoadDirection = 0;          // 0 compression, 1 uplift
    double TensionReduction = 1.0f; // 1 unless the file gives one
    int DrainedClay = 0;
    int PlugCondition = 0; // 0 computed, 1 plugged, 2 unplugged

    int SectionRowCount = 0;
    int SectionAreaMode = 0; // 0 from the section, 1 constant SectionArea, 2 by depth
    std::array<double, MaxSectionRows> DistanceFromHead{};
    std::array<double, MaxSectionRows> CrossSectionArea{};

    int CriticalDepthMode = 0; // sand: 0 by friction angle, 1 at 3.5 ksf (167.58 kPa), 2 the user's depth
    double CriticalDepth = 0.0; // the user's (mode 2); the depth in use is CarriedValues::CriticalDepth

    // The CPT point file, in the project's units.
    int CptUnits = 0; // read, not used
    int CptPointCount = 0;
    CptPoints CptProfile;
};

// The input as every step after the input echo takes it: the project input
// and the values the analysis derives from it once, before the echo
// (DeriveAnalysisInput, analysis_input.h). They hide the input's values of
// the same name, so a step that takes AnalysisInput sees only these.
struct AnalysisInput : ProjectInput {
    // The embedded length, the total length less StickupLength.
    double PileLength = 0.0;
    // The soil points as the method loop and the load transfer use them: as
    // read, with PlasticityIndex and ConeResistance as read in the offshore
    // edition, and thin layers snapped to the increment (the echo has shown
    // the depths as read).
    std::array<SoilPoint, MaxSoilPoints> SoilColumns{};
    UnitLabels labels; // the report's unit labels of Units
};

// The segments of a pass (method_loop.cpp), 0-based: see RowSlots above.
// Rebuilt by the method loop at the start of each pass.
struct PileSegments {
    int SegmentCount = 0;
    SegmentArray SegmentTop{};    // s x IncrementLength
    SegmentArray SegmentBottom{}; // SegmentTop + IncrementLength
    SegmentArray SegmentLength{}; // SegmentBottom - SegmentTop
    // The soil at each segment: Depth holds the segment top, SoilType the
    // type of the soil point above (copied), every other field of the soil
    // point linear in depth at the segment's mid-depth. English user unit
    // values are in ksf here (and carry the uplift factor in uplift). Three
    // steps change fields in place for the rest of the pass: the effective
    // stress step fills FrictionAngle and UndrainedShearStrength, API writes
    // its sand limit into MaxSideFriction (ComputeRowLimits), Revised Lambda
    // raises a K of 0 to 1.
    std::array<SoilPoint, MaxSegments> SegmentSoil{};
    SegmentArray SegmentSideFrictionFactor{}; // SideFrictionFactor at the segment
    SegmentArray SegmentEndBearingFactor{};   // EndBearingFactor at the segment
};

// The penetration rows of a pass, laid out by the method loop.
struct PenetrationRows {
    // Row k at depth k x IncrementLength, for k = 0 .. PenetrationRowCount - 1
    // (the deepest row is the embedded length). Also kept filled down to the
    // last segment top, so that a step's z(s), the top of segment s, is
    // PenetrationDepths[s] too.
    RowArray PenetrationDepths{};
    int PenetrationRowCount = 0; // R, rows 0 .. R - 1
    int RowsPerCurve = 0; // printed rows per table and per plot curve
    int CurveCount = 0;   // capacity curves in the plot data file
};

// Where the method loop is. Written by the loop; the FHWA routine sets
// MethodIndex to FHWA on entry too.
struct MethodLoop {
    int PassNumber = 0;  // 1 or 2 while the passes run
    int MethodIndex = 0; // EngineMethod whose capacity steps run; read by the steps
};

// What each method hands on: its printed rows and the variant of its skin
// friction the t-z curves use, and the rows of the load-transfer method.
struct MethodResults {
    // Per engine method (EngineMethod 1-9, [0] unused): the rows printed in
    // its table and plot rows, and the unfactored end bearing handed over.
    std::array<MethodResultRows, 10> MethodRows{};
    // Per project method (PileMethod 1-9, [0] unused): the cumulative skin
    // friction per row in the variant the t-z curves use.
    std::array<RowArray, 10> MethodSkinRows{};
    // The rows of LoadTransferMethod handed to load transfer at the end of
    // the second pass. Also written by the steps before that: TransferSkinRows
    // by the side-friction row skeleton (plain sum, then factored sum),
    // TransferTipRows by self weight (the current method's tip value).
    RowArray TransferSkinRows{};
    RowArray TransferTipRows{};
};

// Effective stress (effective_stress.cpp), ksf / kPa, rebuilt at the start
// of each pass by ComputeEffectiveStress. Later steps of the pass raise
// tiny values in place and see the raised ones from then on: the clay rules
// of API, NGI and the plug step a bottom point below 1e-10 to 1e-10, NGI a
// sand top point below 1e-8 ksf to 1e-8 ksf.
struct EffectiveStress {
    PointArray PointEffectiveStress{};
    PointArray PointLimitedEffectiveStress{}; // held at the stress of the critical depth below it
};

// Unit end bearing, plug friction and tip resistance of the current method
// (capacity_steps.cpp), at the segment points.
struct EndBearingPoints {
    PointArray PointUnitEndBearing{};    // ksf / kPa
    PointArray PointBaseEndBearing{};    // force on the base; kips / kN
    PointArray PointInnerUnitFriction{}; // inside wall; ksf / kPa
    PointArray PointPlugFriction{};      // cumulative inside friction force from the surface
    PointArray PointTipResistance{};     // base force + plug friction
};

// Capacity by penetration and self weight (penetration_rows.cpp).
struct TipRows {
    RowArray RowTipDepths{};
    RowArray RowTipResistance{};
    RowArray RowPlugAboveEndSection{};
    RowArray RowPlugLimitedTipResistance{};
    RowArray RowAveragedTipResistance{};
    // Tip values kept per method by self weight (besides TransferTipRows).
    RowArray FhwaTipRows{};
    RowArray UsaceTipRows{};
    RowArray UserTipRows{}; // also written by the user-specified method itself
    // Per EngineMethod (1-9) and row: 1, or 2 when the soil plug governs the
    // tip value (the table row gets a "*"). Entries of other methods stay.
    // In uplift every row is 1 (the tip value is the self weight).
    std::array<std::array<int, RowSlots>, 10> RowTipFlags{};
    // The flags that compression's rule gives, in uplift too: whether the
    // pile end acts plugged (1) or as the annulus with the end section's
    // inside friction (2). The FHWA displaced volume reads them (those of the
    // FHWA steps run before it), since a driven pile displaces the same soil
    // whichever way it is loaded.
    std::array<std::array<int, RowSlots>, 10> CompressionTipFlags{};
};

// The side-friction row skeleton, API RP-2A and the methods on it
// (skin_rows.cpp, api_method.cpp and the method routines).
struct SideFrictionRows {
    PointArray PointUnitSideFriction{}; // of the method last computed
    // Per EngineMethod (1-9): inside unit side friction at each point, read
    // by the plug step for methods 1, 2 and 4-8.
    std::array<PointArray, 10> PointPlugSideFriction{};
    RowArray RowUnitSideFriction{};    // after the uplift factor
    RowArray RowMaxSideFriction{};     // limit of each row
    RowArray ReportUnitSideFriction{}; // min(RowUnitSideFriction, RowMaxSideFriction)
    RowArray RowSkinIncrement{};       // force added between row k-1 and row k
    RowArray FactoredSkinRows{};       // cumulative increment x SegmentSideFrictionFactor
};

// The user-specified unit load transfer (user_specified_method.cpp).
struct UserMethodRows {
    RowArray UserSkinRows{}; // cumulative skin friction per row
};

// Load transfer: t-z and tip curves, load distribution and load-settlement
// (load_settlement.cpp, tz_output.cpp). Written at the end of the second
// pass, from the hand-over rows of the load-transfer method. OuterDiameter
// stays in its input unit; the load-transfer part works with
// LoadTransferDiameter (in / m).
struct LoadTransfer {
    int TzCurveCount = 0; // curves placed along the pile, free-length curves included
    std::array<TzCurve, MaxTzCurves> TzCurves{};
    int TipSoilType = 0; // soil type at the pile tip (1 sand, 2 clay, 3 silt)
    TipLoadCurve TipCurve;
    // Section stiffness by distance from the pile head: in and lb, or m and kN.
    int StiffnessRowCount = 0;
    std::array<double, MaxSectionRows> StiffnessDistance{};
    std::array<double, MaxSectionRows> StiffnessEA{};
    std::array<LoadSettlementPoint, AssumedTipMovementCount> LoadSettlement{};
    // Elements whose movement took the bisection after the pass limit; the
    // report says so in one line.
    int ElementsBeyondPassLimit = 0;
    // The curves at the user's extra depths, depths below ground (in / m).
    std::array<TzCurve, MaxTzDepths> ExtraTzCurves{};
};

// The values one step leaves for a later one, outside the arrays of its own
// group. Each lives for the run (both passes) unless said otherwise.
struct CarriedValues {
    // The critical depth in use (ft / m). Written: the method loop before the
    // passes (the user's CriticalDepth); in mode 1 ComputeEffectiveStress (0
    // on entry, then the depth where the stress first exceeds 3.5 ksf /
    // 167.58 kPa; 0 when it never does, which means no critical depth) and
    // ComputeCapacityUsace (searched again at its own threshold, for the
    // USACE capacity steps of the pass). Read: ComputeEffectiveStress (the
    // held profile), the USACE unit end bearing and CriticalDepthNotReached.
    double CriticalDepth = 0.0;
    // The critical depth while the held profile is built. Written and read
    // by ComputeEffectiveStress; kept from one pass to the next.
    double CurrentCriticalDepth = 0.0;
    // The last friction angle the blow-count chart gave. Written and read by
    // ComputeEffectiveStress: a segment without a friction angle takes it,
    // even when the chart was not evaluated for that segment (also in the
    // second pass).
    double LastChartFrictionAngle = 0.0;
    // The limiting unit end bearing last set by a bearing rule. Written by
    // ComputeUnitEndBearing, read by the rule that set it.
    double EndBearingLimit = 0.0;
    // The USACE held stresses for friction angles of 33-36 and from 36
    // degrees. Written and read by the USACE sand end bearing of every
    // ComputeUnitEndBearing for USACE: the pre-runs of both passes and the
    // USACE method itself; never reset.
    double H33 = 0.0;
    double H36 = 0.0;
    // The last result of the cone interpolator. Written by
    // InterpolateConeResistance (called by the end-bearing steps and the
    // cone-based methods), which returns it when there are no CPT points.
    double LastConeResistance = 0.0;
    // Besides these, the steps change arrays of a pass for the later steps:
    // PointEffectiveStress (EffectiveStress: raised tiny values),
    // SegmentSoil (PileSegments: the friction angle and strength fill, the
    // API sand limit, Revised Lambda's K), CompressionTipFlags (TipRows: read
    // by the FHWA routine) and TransferSkinRows / TransferTipRows
    // (MethodResults). Each says so where it is declared.
};

// The state of one run: every group, made fresh for each IKORVA call. The
// run driver and the method loop take it whole and hand each step the
// groups it uses. A name that two groups share (the input's PileLength,
// SoilColumns and CriticalDepth and their later values) names the later
// value here, as the steps after the echo use it.
struct RunState : RunSetup,
                  HandOff,
                  RunOutputs,
                  AnalysisInput,
                  PileSegments,
                  PenetrationRows,
                  MethodLoop,
                  MethodResults,
                  EffectiveStress,
                  EndBearingPoints,
                  TipRows,
                  SideFrictionRows,
                  UserMethodRows,
                  LoadTransfer,
                  CarriedValues {
    using CarriedValues::CriticalDepth;
};

// A step's view of the run state: the groups it uses, those it only reads
// as const. Made from the RunState, or from the view of a step that uses at
// least these groups, so the method loop (or a test) hands a step the whole
// state and the step still reaches only its own groups. A step names each
// group it uses:
//     void ComputeTipResistance(Uses<const AnalysisInput, const PileSegments, EndBearingPoints> run)
//     {
//         const AnalysisInput& input = run;
//         EndBearingPoints& points = run;
// It holds one pointer to the state, so a view costs no more to hand on
// than the state itself, and the compiler still sees every group as a part
// of one object.
template <typename... Groups>
class Uses {
    // A view of Groups reaches Group: one of them is Group or derived from
    // it, and is const only if Group is.
    template <typename Group>
    static constexpr bool Reaches = (std::is_convertible_v<Groups*, Group*> || ...);

public:
    Uses(RunState& state) : state_(&state) {}
    // A state given as const serves a view that only reads.
    Uses(const RunState& state)
        requires(std::is_const_v<Groups> && ...)
        : state_(const_cast<RunState*>(&state))
    {
    }
    template <typename... Others>
        requires(Uses<Others...>::template Reaches<Groups> && ...)
    Uses(const Uses<Others...>& other) : state_(other.state_)
    {
    }

    template <typename Group>
        requires Reaches<Group>
    operator Group&() const
    {
        return *state_;
    }

private:
    template <typename...>
    friend class Uses;

    RunState* state_;
};

} // namespace korva::engine
