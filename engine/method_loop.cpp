#include "method_loop.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "api_method.h"
#include "capacity_steps.h"
#include "constants.h"
#include "cone_methods.h"
#include "fixed_format.h"
#include "land_methods.h"
#include "load_settlement.h"
#include "run_driver.h"
#include "segment_rows.h"
#include "tz_output.h"

namespace korva::engine {

namespace {

// The report table of each method.
struct MethodTable {
    int engine_method;
    std::string_view title;
    int indent;
    int stars;
};

constexpr MethodTable Tables[] = {
    {emUserSpecified, "* GENERAL METHOD *", 29, 18},
    {emFhwa, "*  FED. HWY. METHOD  *", 28, 22},
    {emUsace, "* ARMY CORPS METHOD  *", 28, 22},
    {emRevisedLambda, "*  LAMBDA 2 METHOD   *", 28, 22},
    {emApi, "*  API RP-2A (1994)  *", 28, 22},
    {emNgi, "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *", 10, 52},
    {emIcpMtd, "*  IMPERIAL COLLEGE (MTD) METHOD  *", 20, 35},
    {emFugro, "*    FUGRO 2004 (FUGRO) METHOD    *", 20, 35},
    {emUwa, "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *", 13, 45},
};

const MethodTable& TableOf(int engine_method)
{
    return *std::find_if(std::begin(Tables), std::end(Tables),
                         [&](const MethodTable& t) { return t.engine_method == engine_method; });
}

bool Selected(const RunState& s, int engine_method)
{
    return s.MethodSelected[PileMethodOf(engine_method)] == 1;
}

// The cone-based methods count as plot curves only in the offshore edition.
bool Plotted(const RunState& s, int engine_method)
{
    const int project_method = PileMethodOf(engine_method);
    return Selected(s, engine_method) && (project_method <= pmUserSpecified || s.OffshoreEdition == 1);
}

// Row k at depth k x IncrementLength, in every slot: the rows of the pile and
// the tops of the segments below it. Also put back after each run of the
// capacity steps, which leave the depths shifted.
void ResetPenetrationDepths(RunState& s)
{
    for (int k = 0; k < RowSlots; ++k)
        s.PenetrationDepths[k] = k * s.IncrementLength;
}

// The segments of a pass with the soil interpolated at their mid-depth.
void BuildSegments(RunState& s, int segment_count)
{
    s.SegmentCount = segment_count;
    const int last_point = s.SoilPointCount - 1;
    const auto depth = [&](int i) { return s.SoilColumns[i][Soil::Depth]; };
    int i = 0;
    for (int j = 0; j < segment_count; ++j) {
        const double top = j * s.IncrementLength;
        // The first soil point deeper than the segment top; the deepest point
        // when the soil points end above it.
        while (i < last_point && depth(i) - top <= DepthTolerance)
            ++i;
        const int upper = std::max(i - 1, 0);
        const SoilPoint& above = s.SoilColumns[upper];
        const SoilPoint& below = s.SoilColumns[i];
        const double span = depth(i) - depth(upper);
        const double mid_offset = top + s.IncrementLength / 2.0f - depth(upper);
        const bool inside = i > upper && span > 0.0 && depth(i) - top > DepthTolerance;

        s.SegmentTop[j] = top;
        s.SegmentBottom[j] = top + s.IncrementLength;
        s.SegmentLength[j] = s.SegmentBottom[j] - s.SegmentTop[j];
        SoilPoint& soil = s.SegmentSoil[j];
        soil.fill(0.0);
        soil[Soil::Depth] = top;
        soil[Soil::SoilType] = inside ? above[Soil::SoilType] : below[Soil::SoilType];
        for (int c = Soil::EarthPressureCoefficient; c < Soil::ColumnCount; ++c)
            soil[c] = inside ? above[c] + (below[c] - above[c]) / span * mid_offset : below[c];

        // The user values in ksf, reduced for uplift like the other methods'
        // side friction (in both unit systems).
        for (const int c : {Soil::UserUnitSkinFriction, Soil::UserUnitEndBearing}) {
            if (s.LoadDirection == 1)
                soil[c] = soil[c] * s.TensionReduction;
            if (s.Units == 1)
                soil[c] = soil[c] / PoundsPerKip;
        }
        s.SegmentSideFrictionFactor[j] = soil[Soil::SideFrictionFactor];
        s.SegmentEndBearingFactor[j] = soil[Soil::EndBearingFactor];
    }
}

// The six capacity steps for one method; the row depths are put back after
// self weight.
void RunCapacitySteps(RunState& s, int engine_method)
{
    s.MethodIndex = engine_method;
    ComputeUnitEndBearing(s);
    ComputeEndBearing(s);
    ComputePlugFriction(s);
    ComputeTipResistance(s);
    TabulateCapacityByPenetration(s);
    ComputeSelfWeight(s);
    ResetPenetrationDepths(s);
}

// The tip value the capacity steps left for a method: FHWA and USACE keep
// their own rows; the user-specified method has its own end bearing unless
// the steps ran for it (uplift: the self weight).
const RowArray& StepTipRows(const RunState& s, int engine_method)
{
    switch (engine_method) {
    case emFhwa:
        return s.FhwaTipRows;
    case emUsace:
        return s.UsaceTipRows;
    case emUserSpecified:
        return s.LoadDirection == 1 ? s.TransferTipRows : s.UserTipRows;
    default:
        return s.TransferTipRows;
    }
}

// The method's end-bearing rows: the unfactored copy for the hand-over, the
// factored one for the table, and the ultimate capacity.
void TakeEndBearing(RunState& s, int engine_method)
{
    MethodResultRows& rows = s.MethodRows[engine_method];
    const RowArray& tip = StepTipRows(s, engine_method);
    for (int k = 0; k < s.PenetrationRowCount; ++k) {
        rows.EndBearing[k] = tip[k];
        rows.FactoredEndBearing[k] = tip[k] * s.SegmentEndBearingFactor[SegmentStartingAtRow(s, k)];
        rows.UltimateCapacity[k] = rows.SkinFriction[k] + rows.FactoredEndBearing[k];
    }
}

// Rows of the pass and, in the first pass, the plot header.
void LayOutRows(RunState& s)
{
    s.PenetrationRowCount = LastRow(s) + 1;
    SegmentWalker segments(s);
    for (int k = 0; k < s.PenetrationRowCount; ++k)
        s.RowSoilType[k] = static_cast<int>(s.SegmentSoil[segments.Locate(s.PenetrationDepths[k]).segment][Soil::SoilType]);
    const int rows = s.PenetrationRowCount;
    const int every = std::max(s.PrintEvery, 1);
    const int printed = (rows + every - 1) / every;
    s.RowsPerCurve = printed + ((printed - 1) * every < rows - 1 ? 1 : 0);

    s.CurveCount = 0;
    for (int m = emFhwa; m <= emUserSpecified; ++m)
        if (Plotted(s, m))
            ++s.CurveCount;
    if (s.PassNumber == 1)
        s.plot.Write(FormatIntegerList({s.CurveCount, s.RowsPerCurve, s.Units, s.LoadTransferMethod}));
}

// The printed rows: every PrintEvery-th from row 0, and the deepest row.
template <typename Row>
void ForEachPrintedRow(const RunState& s, Row&& row)
{
    const int every = std::max(s.PrintEvery, 1);
    int last = -1;
    for (int k = 0; k < s.PenetrationRowCount; k += every) {
        row(k);
        last = k;
    }
    if (last < s.PenetrationRowCount - 1)
        row(s.PenetrationRowCount - 1);
}

void WriteTableHeading(RunState& s, const MethodTable& table)
{
    const std::string indent = std::to_string(table.indent) + "X";
    const std::string stars = indent + "," + std::to_string(table.stars) + "('*')";
    s.report.Write(FormatRecord("(/,/,/," + stars + ",/," + indent + ",A,/," + stars + ",/)", {table.title}));
    if (s.LoadDirection == 1)
        s.report.Write(FormatRecord("(10X,'   PILE       TOTAL SKIN       SELF      ULTIMATE',/,"
                                    "10X,'PENETRATION   FRICTION        WEIGHT     CAPACITY')"));
    else
        s.report.Write(FormatRecord("(10X,'   PILE       TOTAL SKIN       END       ULTIMATE',/,"
                                    "10X,'PENETRATION   FRICTION       BEARING     CAPACITY')"));
    s.report.Write(FormatRecord("(10X,4X,A3,10X,A3,11X,A3,10X,A3)",
                                {s.labels.length, s.labels.force, s.labels.force, s.labels.force}));
}

// The method's table (when selected) and its plot rows (when it is a curve).
void WriteMethodOutput(RunState& s, int engine_method)
{
    const bool table = Selected(s, engine_method);
    const bool curve = Plotted(s, engine_method);
    if (!table && !curve)
        return;
    if (table)
        WriteTableHeading(s, TableOf(engine_method));
    const MethodResultRows& rows = s.MethodRows[engine_method];
    const auto& flags = s.RowTipFlags[engine_method];
    ForEachPrintedRow(s, [&](int k) {
        const double depth = s.PenetrationDepths[k];
        if (table) {
            const bool star = engine_method != emUserSpecified && flags[k] == 2;
            s.report.WriteRecord(star ? "(11X,F7.2,6X,F8.1,6X,F8.1,'*',3X,F9.1)"
                                      : "(11X,F7.2,6X,F8.1,6X,F8.1,4X,F9.1)",
                                 {depth, rows.SkinFriction[k], rows.FactoredEndBearing[k],
                                  rows.UltimateCapacity[k]});
        }
        if (curve)
            s.plot.WriteRecord("(2X,F7.2,2X,F8.1,2X,F8.1,2X,F9.1,2X,F9.3)",
                               {depth, rows.SkinFriction[k], rows.FactoredEndBearing[k], rows.UltimateCapacity[k],
                                rows.UnitSideFriction[k]});
    });
}

// Some segment has a user unit value.
bool HasUserValues(const RunState& s)
{
    for (int j = 0; j < s.SegmentCount; ++j)
        if (s.SegmentSoil[j][Soil::UserUnitSkinFriction] != 0.0 || s.SegmentSoil[j][Soil::UserUnitEndBearing] != 0.0)
            return true;
    return false;
}

// The user-specified method, once per run in the first pass. Without user
// values it is skipped, table included; when selected its curve is still
// written, with zeros, so the plot header's count holds.
void RunUserSpecifiedMethod(RunState& s)
{
    if (s.UserMethodDone)
        return;
    s.UserMethodDone = true;
    if (!HasUserValues(s)) {
        if (Plotted(s, emUserSpecified))
            ForEachPrintedRow(s, [&](int k) {
                s.plot.WriteRecord("(2X,F7.2,2X,F8.1,2X,F8.1,2X,F9.1,2X,F9.3)",
                                   {s.PenetrationDepths[k], 0.0, 0.0, 0.0, 0.0});
            });
        return;
    }
    ComputeCapacityUserSpecified(s);
    if (s.LoadDirection == 1)
        RunCapacitySteps(s, emUserSpecified);
    MethodResultRows& rows = s.MethodRows[emUserSpecified];
    for (int k = 0; k < s.PenetrationRowCount; ++k) {
        rows.UnitSideFriction[k] = s.SegmentSoil[SegmentStartingAtRow(s, k)][Soil::UserUnitSkinFriction];
        rows.SkinFriction[k] = s.UserSkinRows[k];
        s.MethodSkinRows[pmUserSpecified][k] = s.UserSkinRows[k];
    }
    TakeEndBearing(s, emUserSpecified);
    WriteMethodOutput(s, emUserSpecified);
}

void RunMethod(RunState& s, int engine_method, void (*routine)(RunState&))
{
    routine(s);
    RunCapacitySteps(s, engine_method);
    TakeEndBearing(s, engine_method);
}

// The rows of the load-transfer method go to load transfer.
void HandOverToLoadTransfer(RunState& s, int& status)
{
    const int project_method = s.LoadTransferMethod;
    const int engine_method = EngineMethodOf(project_method);
    for (int k = 0; k < s.PenetrationRowCount; ++k) {
        s.TransferSkinRows[k] = s.MethodSkinRows[project_method][k];
        s.TransferTipRows[k] = s.MethodRows[engine_method].EndBearing[k];
    }
    WriteLoadSettlementSection(s, status);
    if (status != 1 && s.TzDepthCount > 0)
        WriteTzVerificationSection(s);
}

void RunPass(RunState& s, int segment_count, int& status)
{
    BuildSegments(s, segment_count);
    ResetPenetrationDepths(s);
    ComputeEffectiveStress(s);
    // Pre-runs: they leave the run-wide values of the bearing rules.
    for (const int m : {emFhwa, emUsace, emRevisedLambda})
        RunCapacitySteps(s, m);
    LayOutRows(s);

    if (s.PassNumber == 1) {
        RunUserSpecifiedMethod(s);
        RunMethod(s, emFhwa, ComputeCapacityFhwa);
        RunMethod(s, emUsace, ComputeCapacityUsace);
        RunMethod(s, emRevisedLambda, ComputeCapacityRevisedLambda);
        for (const int m : {emFhwa, emUsace, emRevisedLambda})
            WriteMethodOutput(s, m);
        return;
    }
    static constexpr std::pair<int, void (*)(RunState&)> offshore[] = {
        {emApi, ComputeCapacityApi}, {emNgi, ComputeCapacityNgi},   {emIcpMtd, ComputeCapacityIcp},
        {emFugro, ComputeCapacityFugro}, {emUwa, ComputeCapacityUwa},
    };
    for (const auto& [m, routine] : offshore) {
        RunMethod(s, m, routine);
        WriteMethodOutput(s, m);
    }
    HandOverToLoadTransfer(s, status);
}

// A circular pipe whose inside diameter (or that of its end section) is not
// less than its outside diameter has no wall: every area, end bearing and
// stiffness of it would be zero or negative. False when the run stops.
bool CheckPipeWall(RunState& s, int& status)
{
    const bool pipe_open = s.InnerDiameter >= s.OuterDiameter;
    const bool end_open = s.EndSectionInnerDiameter >= s.OuterDiameter;
    if (!pipe_open && !end_open)
        return true;
    const double inside = pipe_open ? s.InnerDiameter : s.EndSectionInnerDiameter;
    std::string diameters = FormatRecord("('(',F10.2,1X,A3,') IS NOT LESS THAN ITS OUTSIDE DIAMETER (',F10.2,1X,A3,').')",
                                         {inside, s.labels.small_length, s.OuterDiameter, s.labels.small_length});
    diameters.pop_back(); // the line end
    StopRun(s, status,
            {pipe_open ? "COMPUTATION DOES NOT PROCEED BECAUSE THE INSIDE DIAMETER OF THE PIPE"
                       : "COMPUTATION DOES NOT PROCEED BECAUSE THE END-SECTION INSIDE DIAMETER OF THE PIPE",
             diameters});
    return false;
}

} // namespace

void RunMethodLoop(RunState& s, int& status)
{
    s.report.Write(FormatRecord("(/,/,/,'1',/,10X,22('*'),/,10X,'* COMPUTATION RESULT *',/,10X,22('*'))"));
    if (!CheckPipeWall(s, status))
        return;

    // Counted in double: a tiny increment must give a large count, not an
    // overflowing integer.
    const double segments = std::trunc(s.SoilProfileBottom / s.IncrementLength + DepthTolerance);
    if (segments > MaxSegments) {
        const long long shown = segments < 1.0e9 ? static_cast<long long>(segments) : 999999999LL;
        const std::string message = FormatRecord(
            "(/,/,1X,'YOUR NUMBERS OF SEGMENT ',I4,' IS LARGER THAN',/,1X,'DEFAULT VALUE 500. YOU MIGHT WANT TO "
            "CHANGE THE LENGTH OF ',/,1X,'SEGMENT OR CONSULT VARNEK, INC. FOR CHANGING THE DEFAULT VALUE')",
            {shown});
        s.console.Write(message);
        s.report.Write(message);
        status = 1;
        return;
    }
    if (segments < 1.0) {
        // No segment to compute on: the increment is longer than the profile.
        StopRun(s, status,
                {"COMPUTATION DOES NOT PROCEED BECAUSE THE INCREMENT OF PILE LENGTH",
                 "IS LONGER THAN THE DEEPEST SOIL PROFILE"});
        return;
    }
    const int segment_count = static_cast<int>(segments);
    CarriedValues& carried = s;
    const ProjectInput& input = s;
    carried.CriticalDepth = input.CriticalDepth; // the user's; mode 1 searches its own
    for (s.PassNumber = 1; s.PassNumber <= 2; ++s.PassNumber)
        RunPass(s, segment_count, status);
}

} // namespace korva::engine
