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

bool Selected(const AnalysisInput& input, int engine_method)
{
    return input.MethodSelected[PileMethodOf(engine_method)] == 1;
}

// The cone-based methods count as plot curves only in the offshore edition.
bool Plotted(const AnalysisInput& input, int engine_method)
{
    const int project_method = PileMethodOf(engine_method);
    return Selected(input, engine_method) && (project_method <= pmUserSpecified || input.OffshoreEdition == 1);
}

// The segments of a pass with the soil interpolated at their mid-depth.
void BuildSegments(const AnalysisInput& input, PileSegments& segments, int segment_count)
{
    segments.SegmentCount = segment_count;
    const int last_point = input.SoilPointCount - 1;
    const auto depth = [&](int i) { return input.SoilColumns[i][Soil::Depth]; };
    int i = 0;
    for (int j = 0; j < segment_count; ++j) {
        const double top = j * input.IncrementLength;
        // The first soil point deeper than the segment top; the deepest point
        // when the soil points end above it.
        while (i < last_point && depth(i) - top <= DepthTolerance)
            ++i;
        const int upper = std::max(i - 1, 0);
        const SoilPoint& above = input.SoilColumns[upper];
        const SoilPoint& below = input.SoilColumns[i];
        const double span = depth(i) - depth(upper);
        const double mid_offset = top + input.IncrementLength / 2.0f - depth(upper);
        const bool inside = i > upper && span > 0.0 && depth(i) - top > DepthTolerance;

        segments.SegmentTop[j] = top;
        segments.SegmentBottom[j] = top + input.IncrementLength;
        segments.SegmentLength[j] = segments.SegmentBottom[j] - segments.SegmentTop[j];
        SoilPoint& soil = segments.SegmentSoil[j];
        soil.fill(0.0);
        soil[Soil::Depth] = top;
        soil[Soil::SoilType] = inside ? above[Soil::SoilType] : below[Soil::SoilType];
        for (int c = Soil::EarthPressureCoefficient; c < Soil::ColumnCount; ++c)
            soil[c] = inside ? above[c] + (below[c] - above[c]) / span * mid_offset : below[c];

        // The user values in ksf, reduced for uplift like the other methods'
        // side friction (in both unit systems).
        for (const int c : {Soil::UserUnitSkinFriction, Soil::UserUnitEndBearing}) {
            if (input.LoadDirection == 1)
                soil[c] = soil[c] * input.TensionReduction;
            if (input.Units == 1)
                soil[c] = soil[c] / PoundsPerKip;
        }
        segments.SegmentSideFrictionFactor[j] = soil[Soil::SideFrictionFactor];
        segments.SegmentEndBearingFactor[j] = soil[Soil::EndBearingFactor];
    }
}

// The six capacity steps for one method.
void RunCapacitySteps(RunState& s, int engine_method)
{
    s.MethodIndex = engine_method;
    ComputeUnitEndBearing(s);
    ComputeEndBearing(s);
    ComputePlugFriction(s);
    ComputeTipResistance(s);
    TabulateCapacityByPenetration(s);
    ComputeSelfWeight(s);
}

// The tip value the capacity steps left for a method: FHWA and USACE keep
// their own rows; the user-specified method has its own end bearing unless
// the steps ran for it (uplift: the self weight).
const RowArray& StepTipRows(Uses<const AnalysisInput, const TipRows, const MethodResults> run, int engine_method)
{
    const AnalysisInput& input = run;
    const TipRows& tips = run;
    const MethodResults& results = run;
    switch (engine_method) {
    case emFhwa:
        return tips.FhwaTipRows;
    case emUsace:
        return tips.UsaceTipRows;
    case emUserSpecified:
        return input.LoadDirection == 1 ? results.TransferTipRows : tips.UserTipRows;
    default:
        return results.TransferTipRows;
    }
}

// The method's end-bearing rows: the unfactored copy for the hand-over, the
// factored one for the table, and the ultimate capacity.
void TakeEndBearing(
    Uses<const AnalysisInput, const PileSegments, const PenetrationRows, const TipRows, MethodResults> run,
    int engine_method)
{
    const PileSegments& segments = run;
    const PenetrationRows& penetration = run;
    MethodResults& results = run;
    MethodResultRows& rows = results.MethodRows[engine_method];
    const RowArray& tip = StepTipRows(run, engine_method);
    for (int k = 0; k < penetration.PenetrationRowCount; ++k) {
        rows.EndBearing[k] = tip[k];
        rows.FactoredEndBearing[k] = tip[k] * segments.SegmentEndBearingFactor[SegmentStartingAtRow(segments, k)];
        rows.UltimateCapacity[k] = rows.SkinFriction[k] + rows.FactoredEndBearing[k];
    }
}

// Rows of the pass and, in the first pass, the plot header. Row k at depth
// k x IncrementLength, in every slot: the rows of the pile and the tops of
// the segments below it.
void LayOutRows(Uses<const AnalysisInput, const MethodLoop, PenetrationRows, RunOutputs> run)
{
    const AnalysisInput& input = run;
    const MethodLoop& loop = run;
    PenetrationRows& penetration = run;
    RunOutputs& out = run;
    for (int k = 0; k < RowSlots; ++k)
        penetration.PenetrationDepths[k] = k * input.IncrementLength;
    penetration.PenetrationRowCount = LastRow(input) + 1;
    const int rows = penetration.PenetrationRowCount;
    const int every = std::max(input.PrintEvery, 1);
    const int printed = (rows + every - 1) / every;
    penetration.RowsPerCurve = printed + ((printed - 1) * every < rows - 1 ? 1 : 0);

    penetration.CurveCount = 0;
    for (int m = emFhwa; m <= emUserSpecified; ++m)
        if (Plotted(input, m))
            ++penetration.CurveCount;
    if (loop.PassNumber == 1)
        out.plot.Write(FormatIntegerList(
            {penetration.CurveCount, penetration.RowsPerCurve, input.Units, input.LoadTransferMethod}));
}

// The printed rows: every PrintEvery-th from row 0, and the deepest row.
template <typename Row>
void ForEachPrintedRow(Uses<const AnalysisInput, const PenetrationRows> run, Row&& row)
{
    const AnalysisInput& input = run;
    const PenetrationRows& penetration = run;
    const int every = std::max(input.PrintEvery, 1);
    int last = -1;
    for (int k = 0; k < penetration.PenetrationRowCount; k += every) {
        row(k);
        last = k;
    }
    if (last < penetration.PenetrationRowCount - 1)
        row(penetration.PenetrationRowCount - 1);
}

void WriteTableHeading(Uses<const AnalysisInput, RunOutputs> run, const MethodTable& table)
{
    const AnalysisInput& input = run;
    RunOutputs& out = run;
    const std::string indent = std::to_string(table.indent) + "X";
    const std::string stars = indent + "," + std::to_string(table.stars) + "('*')";
    out.report.Write(FormatRecord("(/,/,/," + stars + ",/," + indent + ",A,/," + stars + ",/)", {table.title}));
    if (input.LoadDirection == 1)
        out.report.Write(FormatRecord("(10X,'   PILE       TOTAL SKIN       SELF      ULTIMATE',/,"
                                      "10X,'PENETRATION   FRICTION        WEIGHT     CAPACITY')"));
    else
        out.report.Write(FormatRecord("(10X,'   PILE       TOTAL SKIN       END       ULTIMATE',/,"
                                      "10X,'PENETRATION   FRICTION       BEARING     CAPACITY')"));
    out.report.Write(FormatRecord("(10X,4X,A3,10X,A3,11X,A3,10X,A3)",
                                  {input.labels.length, input.labels.force, input.labels.force, input.labels.force}));
}

// The method's table (when selected) and its plot rows (when it is a curve).
void WriteMethodOutput(
    Uses<const AnalysisInput, const PenetrationRows, const MethodResults, const TipRows, RunOutputs> run,
    int engine_method)
{
    const AnalysisInput& input = run;
    const PenetrationRows& penetration = run;
    const MethodResults& results = run;
    const TipRows& tips = run;
    RunOutputs& out = run;
    const bool table = Selected(input, engine_method);
    const bool curve = Plotted(input, engine_method);
    if (!table && !curve)
        return;
    if (table)
        WriteTableHeading(run, TableOf(engine_method));
    const MethodResultRows& rows = results.MethodRows[engine_method];
    const auto& flags = tips.RowTipFlags[engine_method];
    ForEachPrintedRow(run, [&](int k) {
        const double depth = penetration.PenetrationDepths[k];
        if (table) {
            const bool star = engine_method != emUserSpecified && flags[k] == 2;
            out.report.WriteRecord(star ? "(11X,F7.2,6X,F8.1,6X,F8.1,'*',3X,F9.1)"
                                        : "(11X,F7.2,6X,F8.1,6X,F8.1,4X,F9.1)",
                                   {depth, rows.SkinFriction[k], rows.FactoredEndBearing[k], rows.UltimateCapacity[k]});
        }
        if (curve)
            out.plot.WriteRecord("(2X,F7.2,2X,F8.1,2X,F8.1,2X,F9.1,2X,F9.3)",
                                 {depth, rows.SkinFriction[k], rows.FactoredEndBearing[k], rows.UltimateCapacity[k],
                                  rows.UnitSideFriction[k]});
    });
}

// Some segment has a user unit value.
bool HasUserValues(const PileSegments& segments)
{
    for (int j = 0; j < segments.SegmentCount; ++j)
        if (segments.SegmentSoil[j][Soil::UserUnitSkinFriction] != 0.0 ||
            segments.SegmentSoil[j][Soil::UserUnitEndBearing] != 0.0)
            return true;
    return false;
}

// The user-specified method's curve when it is skipped for want of user
// values: zeros, so that the plot header's count holds.
void WriteZeroUserCurve(Uses<const AnalysisInput, const PenetrationRows, RunOutputs> run)
{
    const PenetrationRows& penetration = run;
    RunOutputs& out = run;
    ForEachPrintedRow(run, [&](int k) {
        out.plot.WriteRecord("(2X,F7.2,2X,F8.1,2X,F8.1,2X,F9.1,2X,F9.3)",
                             {penetration.PenetrationDepths[k], 0.0, 0.0, 0.0, 0.0});
    });
}

// The user-specified method's printed rows and its rows for the t-z curves.
void TakeUserRows(
    Uses<const AnalysisInput, const PileSegments, const PenetrationRows, const UserMethodRows, MethodResults> run)
{
    const PileSegments& segments = run;
    const PenetrationRows& penetration = run;
    const UserMethodRows& user = run;
    MethodResults& results = run;
    MethodResultRows& rows = results.MethodRows[emUserSpecified];
    for (int k = 0; k < penetration.PenetrationRowCount; ++k) {
        rows.UnitSideFriction[k] = segments.SegmentSoil[SegmentStartingAtRow(segments, k)][Soil::UserUnitSkinFriction];
        rows.SkinFriction[k] = user.UserSkinRows[k];
        results.MethodSkinRows[pmUserSpecified][k] = user.UserSkinRows[k];
    }
}

// The user-specified method, run by the first pass only. Without user
// values it is skipped, table included; when selected its curve is still
// written, with zeros.
void RunUserSpecifiedMethod(RunState& s)
{
    if (!HasUserValues(s)) {
        if (Plotted(s, emUserSpecified))
            WriteZeroUserCurve(s);
        return;
    }
    ComputeCapacityUserSpecified(s);
    if (s.LoadDirection == 1)
        RunCapacitySteps(s, emUserSpecified);
    TakeUserRows(s);
    TakeEndBearing(s, emUserSpecified);
    WriteMethodOutput(s, emUserSpecified);
}

template <typename Routine>
void RunMethod(RunState& s, int engine_method, Routine routine)
{
    routine(s);
    RunCapacitySteps(s, engine_method);
    TakeEndBearing(s, engine_method);
}

// The rows of the load-transfer method, for load transfer.
void HandOverRows(Uses<const AnalysisInput, const PenetrationRows, MethodResults> run)
{
    const AnalysisInput& input = run;
    const PenetrationRows& penetration = run;
    MethodResults& results = run;
    const int project_method = input.LoadTransferMethod;
    const int engine_method = EngineMethodOf(project_method);
    for (int k = 0; k < penetration.PenetrationRowCount; ++k) {
        results.TransferSkinRows[k] = results.MethodSkinRows[project_method][k];
        results.TransferTipRows[k] = results.MethodRows[engine_method].EndBearing[k];
    }
}

void HandOverToLoadTransfer(RunState& s, int& status)
{
    HandOverRows(s);
    WriteLoadSettlementSection(s, status);
    if (status != 1 && s.TzDepthCount > 0)
        WriteTzVerificationSection(s);
}

void RunPass(RunState& s, int segment_count, int& status)
{
    BuildSegments(s, s, segment_count);
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
    const auto offshore = [&](int m, auto routine) {
        RunMethod(s, m, routine);
        WriteMethodOutput(s, m);
    };
    offshore(emApi, ComputeCapacityApi);
    offshore(emNgi, ComputeCapacityNgi);
    offshore(emIcpMtd, ComputeCapacityIcp);
    offshore(emFugro, ComputeCapacityFugro);
    offshore(emUwa, ComputeCapacityUwa);
    HandOverToLoadTransfer(s, status);
}

// A circular pipe whose inside diameter (or that of its end section) is not
// less than its outside diameter has no wall: every area, end bearing and
// stiffness of it would be zero or negative. False when the run stops.
bool CheckPipeWall(Uses<const AnalysisInput, RunOutputs> run, int& status)
{
    const AnalysisInput& input = run;
    RunOutputs& out = run;
    const bool pipe_open = input.InnerDiameter >= input.OuterDiameter;
    const bool end_open = input.EndSectionInnerDiameter >= input.OuterDiameter;
    if (!pipe_open && !end_open)
        return true;
    const double inside = pipe_open ? input.InnerDiameter : input.EndSectionInnerDiameter;
    std::string diameters =
        FormatRecord("('(',F10.2,1X,A3,') IS NOT LESS THAN ITS OUTSIDE DIAMETER (',F10.2,1X,A3,').')",
                     {inside, input.labels.small_length, input.OuterDiameter, input.labels.small_length});
    diameters.pop_back(); // the line end
    StopRun(out, status,
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
    // The user's critical depth; mode 1 searches its own in each pass.
    CarriedValues& carried = s;
    const ProjectInput& input = s;
    carried.CriticalDepth = input.CriticalDepth;
    for (s.PassNumber = 1; s.PassNumber <= 2; ++s.PassNumber)
        RunPass(s, segment_count, status);
}

} // namespace korva::engine
