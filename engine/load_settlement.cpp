#include "load_settlement.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string_view>

#include "constants.h"
#include "design_charts.h"
#include "fixed_format.h"
#include "load_transfer_curves.h"
#include "run_driver.h"
#include "tz_output.h"

namespace korva::engine {

namespace {

// Assumed tip movements in inches (SI: divided by 39.37).
constexpr std::array<float, AssumedTipMovementCount> AssumedTipMovementsInches{
    0.0001f, 0.001f, 0.005f, 0.01f, 0.05f, 0.1f, 0.5f, 1.0f, 2.0f};

// Convergence of an element's mid movement: 0.0001 in (2.54e-6 m in SI).
constexpr float MovementToleranceInches = 1.0e-4f;

bool English(const AnalysisInput& input) { return input.Units == 1; }

double Stickup(const AnalysisInput& input) { return TransferLength(input, input.StickupLength); }

bool HasFreeLength(const AnalysisInput& input) { return input.StickupLength > DepthTolerance; }

constexpr int FreeLengthCurves = 3;

// Three curves in the free length (no load transfer), then top, mid and
// bottom curves for each pair of soil points that carries curves.
void PlaceTzCurves(const AnalysisInput& input, LoadTransfer& transfer)
{
    int n = 0;
    if (HasFreeLength(input)) {
        const double free_depths[FreeLengthCurves] = {0.0, Stickup(input) * 0.5f,
                                                      Stickup(input) - FixedInches(input, 0.1f)};
        for (double depth : free_depths) {
            TzCurve& curve = transfer.TzCurves[n++];
            curve = TzCurve{};
            curve.TzSoilCode = 2;
            curve.TzCurveDepth = depth;
            curve.DepthBelowGround = depth - Stickup(input);
        }
    }
    for (int k = 0; k + 1 < input.SoilPointCount; ++k) {
        const SoilPoint& upper = input.SoilColumns[k];
        const SoilPoint& lower = input.SoilColumns[k + 1];
        if (!PairCarriesTzCurves(input, upper, lower))
            continue;
        const int code = upper[Soil::SoilType] == 1.0 && lower[Soil::SoilType] == 1.0 ? 1 : 2;
        // The bottom curve 0.5 in above the lower point and the mid curve
        // 0.3 in below the middle of the pair.
        const double top = TransferLength(input, upper[Soil::Depth]);
        const double bottom = TransferLength(input, lower[Soil::Depth]) - FixedInches(input, 0.5f);
        const double mid = (top + bottom + FixedInches(input, 1.1f)) * 0.5f;
        const double phi_top = upper[Soil::FrictionAngle];
        const double phi_bottom = lower[Soil::FrictionAngle];
        const double depths[3] = {top, mid, bottom};
        const double angles[3] = {phi_top, (phi_top + phi_bottom) * 0.5f, phi_bottom};
        for (int c = 0; c < 3; ++c) {
            TzCurve& curve = transfer.TzCurves[n++];
            curve = TzCurve{};
            curve.TzSoilCode = code;
            curve.TzCurveDepth = depths[c] + Stickup(input);
            curve.DepthBelowGround = depths[c]; // as placed, not from the head and back
            curve.TzFrictionAngle = angles[c];
        }
    }
    transfer.TzCurveCount = n;
}

// t_max of every curve from the hand-over rows, then its points.
void BuildPlacedCurves(Uses<const AnalysisInput, const PenetrationRows, const MethodResults, LoadTransfer> run)
{
    const AnalysisInput& input = run;
    LoadTransfer& transfer = run;
    const int free_curves = HasFreeLength(input) ? FreeLengthCurves : 0;
    for (int b = 0; b < transfer.TzCurveCount; ++b) {
        TzCurve& curve = transfer.TzCurves[b];
        BuildTzCurve(input, curve, b + 1, b < free_curves ? 0.0 : UnitLoadTransferAt(run, curve.DepthBelowGround));
    }
}

// The curves below ground, numbered from 1, to the report and P3.
void WritePlacedCurves(Uses<const AnalysisInput, const LoadTransfer, RunOutputs> run)
{
    const AnalysisInput& input = run;
    const LoadTransfer& transfer = run;
    RunOutputs& out = run;
    const int free_curves = HasFreeLength(input) ? FreeLengthCurves : 0;
    WriteTzSectionHeading(run);
    WritePlotCount(out, transfer.TzCurveCount - free_curves);
    for (int b = free_curves; b < transfer.TzCurveCount; ++b) {
        const TzCurve& curve = transfer.TzCurves[b];
        WriteTzCurveRecord(out, b - free_curves + 1, FeetOrMetres(input, curve.DepthBelowGround), curve);
    }
}

} // namespace

void BuildSectionStiffness(Uses<const AnalysisInput, LoadTransfer> run)
{
    const AnalysisInput& input = run;
    LoadTransfer& transfer = run;
    const double total_length = TransferLength(input, input.StickupLength + input.PileLength);
    const double e = input.ElasticModulus;
    if (input.SectionAreaMode < 2) {
        double area;
        if (input.SectionArea > 1.0e-5f) {
            area = input.SectionArea;
        } else if (input.TipArea > 1.0e-5f) {
            area = English(input) ? input.TipArea * SquareInchesPerSquareFoot : input.TipArea;
        } else {
            const double od = LoadTransferDiameter(input);
            const double id = LoadTransferInnerDiameter(input);
            area = PiTo4Places * 0.25f * (od * od - id * id);
        }
        transfer.StiffnessRowCount = 2;
        transfer.StiffnessDistance[0] = 0.0;
        transfer.StiffnessDistance[1] = total_length;
        transfer.StiffnessEA[0] = transfer.StiffnessEA[1] = e * area;
        return;
    }
    transfer.StiffnessRowCount = std::min(input.SectionRowCount, MaxSectionRows);
    for (int r = 0; r < transfer.StiffnessRowCount; ++r) {
        transfer.StiffnessDistance[r] = TransferLength(input, input.DistanceFromHead[r]);
        transfer.StiffnessEA[r] = e * input.CrossSectionArea[r];
    }
}

namespace {

// The soil type at the pile tip: that of the first soil point at or below
// the embedded length (within the depth tolerance), else of the last point.
int TipSoilTypeOf(const AnalysisInput& input)
{
    if (input.SoilPointCount <= 0)
        return 0;
    for (int k = 0; k < input.SoilPointCount; ++k)
        if (input.SoilColumns[k][Soil::Depth] - input.PileLength > -DepthTolerance)
            return static_cast<int>(std::lround(input.SoilColumns[k][Soil::SoilType]));
    return static_cast<int>(std::lround(input.SoilColumns[input.SoilPointCount - 1][Soil::SoilType]));
}

// What keeps the load-transfer part from running, or empty.
std::string_view LoadTransferProblem(Uses<const AnalysisInput, LoadTransfer> run)
{
    const AnalysisInput& input = run;
    const LoadTransfer& transfer = run;
    if (!(input.OuterDiameter > DiameterTolerance))
        return "THE PILE DIAMETER (OR PERIMETER) IS ZERO.";
    BuildSectionStiffness(run);
    if (transfer.StiffnessRowCount < 1)
        return "NO CROSS SECTION AREA IS GIVEN ALONG THE PILE.";
    bool zero = false;
    for (int r = 0; r < transfer.StiffnessRowCount; ++r) {
        const double ea = transfer.StiffnessEA[r];
        if (!(ea >= 0.0))
            return "THE AXIAL STIFFNESS EA OF THE PILE IS ZERO OR NEGATIVE.";
        if (!std::isfinite(ea))
            return "THE AXIAL STIFFNESS EA OF THE PILE IS TOO LARGE.";
        zero = zero || ea == 0.0;
    }
    if (zero)
        return "THE AXIAL STIFFNESS EA OF THE PILE IS ZERO.";
    return {};
}

// The t-z curves around a depth from the pile head: the first curve alone
// above it (or when it is the only one), the last alone below the last,
// else the two whose depths bracket the depth. The lookup in depth is made
// once per element, the lookup in movement at every pass.
struct CurvesAround {
    int upper = -1; // -1: no curves
    int lower = -1; // -1: upper alone
};

CurvesAround CurvesAroundDepth(const LoadTransfer& transfer, double depth)
{
    const int n = transfer.TzCurveCount;
    if (n <= 0)
        return {};
    const auto& curves = transfer.TzCurves;
    if (n == 1 || depth <= curves[0].TzCurveDepth)
        return {0, -1};
    int c = 1;
    while (c < n && !(curves[c].TzCurveDepth > depth))
        ++c;
    if (c == n)
        return {n - 1, -1};
    return {c - 1, c};
}

// The same search for the depths of a walk, which come from the tip up:
// while the curve depths are in order, each search steps back from the
// last answer instead of starting at the head.
class CurvesCursor {
public:
    explicit CurvesCursor(const LoadTransfer& transfer)
        : transfer_(transfer), n_(transfer.TzCurveCount), next_(transfer.TzCurveCount)
    {
        for (int c = 1; c < n_ && ascending_; ++c)
            ascending_ = !(transfer.TzCurves[c].TzCurveDepth < transfer.TzCurves[c - 1].TzCurveDepth);
    }

    CurvesAround At(double depth)
    {
        const auto& curves = transfer_.TzCurves;
        if (!ascending_ || n_ <= 1 || depth <= curves[0].TzCurveDepth)
            return CurvesAroundDepth(transfer_, depth);
        if (depth > last_depth_)
            next_ = n_; // deeper than the last: from the bottom again
        last_depth_ = depth;
        // The first curve from the second on deeper than depth: the one of
        // the last search or one above it.
        while (next_ > 1 && curves[next_ - 1].TzCurveDepth > depth)
            --next_;
        if (next_ == n_)
            return {n_ - 1, -1};
        return {next_ - 1, next_};
    }

private:
    const LoadTransfer& transfer_;
    int n_;
    int next_;
    bool ascending_ = true;
    double last_depth_ = 0.0;
};

double LoadTransferBetween(const LoadTransfer& transfer, const CurvesAround& around, double depth, double movement)
{
    if (around.upper < 0)
        return 0.0;
    const TzCurve& above = transfer.TzCurves[around.upper];
    const double upper = CurveLoadTransferAt(above, movement);
    if (around.lower < 0)
        return upper;
    const TzCurve& below = transfer.TzCurves[around.lower];
    const double lower = CurveLoadTransferAt(below, movement);
    return upper + (lower - upper) / (below.TzCurveDepth - above.TzCurveDepth) * (depth - above.TzCurveDepth);
}

// What the elements of a run share (in / m).
struct ElementSetting {
    double diameter = 0.0;
    double tolerance = 0.0;
    double ground = 0.0; // depth of the ground surface from the pile head
};

ElementSetting ElementSettingOf(const AnalysisInput& input)
{
    return {LoadTransferDiameter(input), FixedInches(input, MovementToleranceInches), Stickup(input)};
}

class ElementSolver {
public:
    ElementSolver(const LoadTransfer& transfer, const ElementSetting& setting, double mid_depth, double length,
                  double bottom_load, double bottom_movement, const CurvesAround& curves)
        : transfer_(transfer), z_(mid_depth), length_(length), p_bot_(bottom_load), w_bot_(bottom_movement),
          ea_(SectionStiffnessAt(transfer, mid_depth)), diameter_(setting.diameter), tolerance_(setting.tolerance),
          in_soil_(!(mid_depth < setting.ground)), curves_(curves)
    {
    }

    // The element's values with the load transfer taken at a mid movement;
    // an element of the free length has no soil around it.
    ElementResult At(double w_mid) const
    {
        const double t = in_soil_ ? LoadTransferBetween(transfer_, curves_, z_, w_mid) : 0.0;
        const double f = diameter_ * PiTo4Places * length_ * t;
        ElementResult pass;
        pass.top_load = p_bot_ + f;
        pass.mean_load = p_bot_ + f / 2.0f;
        const double shortening = length_ * pass.mean_load / ea_;
        pass.top_movement = w_bot_ + shortening;
        // The lower half of the element under the mean load of that half.
        pass.mid_movement = w_bot_ + ((pass.top_load + p_bot_) / 2.0f + p_bot_) / 2.0f * (length_ / 2.0f) / ea_;
        return pass;
    }

    // The fixed-point iteration on the mid movement; beyond the pass limit a
    // bisection on the same equation.
    ElementResult Solve() const
    {
        double w_mid = w_bot_;
        for (int pass = 1; pass <= ElementPassLimit; ++pass) {
            const ElementResult values = At(w_mid);
            if (!(std::fabs(values.mid_movement - w_mid) > tolerance_))
                return values;
            w_mid = values.mid_movement;
        }
        ElementResult values = At(Bisect(w_mid));
        values.beyond_pass_limit = true;
        return values;
    }

private:
    double Residual(double w_mid) const { return At(w_mid).mid_movement - w_mid; }

    // The load transfer is bounded, so the residual falls from positive to
    // negative somewhere: bracket the root by widening steps, then halve.
    double Bisect(double start) const
    {
        double a = start;
        double ga = Residual(a);
        if (ga == 0.0)
            return a;
        double step = std::fmax(std::fabs(ga), tolerance_);
        double b = a;
        double gb = ga;
        for (int widen = 0; widen < 200 && (gb > 0.0) == (ga > 0.0) && gb != 0.0; ++widen) {
            a = b;
            ga = gb;
            b = a + (ga > 0.0 ? step : -step);
            gb = Residual(b);
            step *= 2.0;
        }
        if (gb == 0.0)
            return b;
        for (int halve = 0; halve < 200 && std::fabs(b - a) > tolerance_ * 1.0e-6; ++halve) {
            const double m = 0.5 * (a + b);
            const double gm = Residual(m);
            if (gm == 0.0)
                return m;
            if ((gm > 0.0) == (ga > 0.0)) {
                a = m;
                ga = gm;
            } else {
                b = m;
            }
        }
        return 0.5 * (a + b);
    }

    const LoadTransfer& transfer_;
    double z_;
    double length_;
    double p_bot_;
    double w_bot_;
    double ea_;
    double diameter_;
    double tolerance_;
    bool in_soil_;
    CurvesAround curves_;
};

double Kips(const AnalysisInput& input, double load) { return English(input) ? load / PoundsPerKip : load; }

// Elements of at most one increment over a length (ft / m); none over no
// length, and never more than there are segments.
int ElementsOver(double length, double increment)
{
    if (!(length > DepthTolerance))
        return 0;
    double count = increment > 0.0 ? std::ceil(length / increment - DepthTolerance) : 1.0;
    if (!(count >= 1.0))
        count = 1.0;
    return static_cast<int>(std::min(count, static_cast<double>(MaxSegments)));
}

// A depth from the pile head (in / m) with the axial load and movement there.
struct WalkNode {
    double depth = 0.0;
    double load = 0.0;
    double movement = 0.0;
};

// The distribution rows (P4) of one assumed tip movement: one at the
// mid-depth of each of RowsPerCurve equal parts of the pile from the tip up,
// with the axial load and the movement the walk finds at that depth.
class DistributionRows {
public:
    DistributionRows(const AnalysisInput& input, int rows_per_curve, OutputFile& plot, double total_length)
        : input_(input), plot_(plot), count_(std::max(rows_per_curve, 0)), total_(total_length),
          part_(count_ > 0 ? total_length / count_ : 0.0)
    {
    }

    // A done element of the walk, by its bottom, mid-depth and top: the rows
    // that lie in it, linear between the three.
    void Through(const WalkNode& bottom, const WalkNode& mid, const WalkNode& top)
    {
        for (; next_ <= count_ && !(RowDepth(next_) < top.depth); ++next_) {
            const double z = RowDepth(next_);
            Write(z, z >= mid.depth ? Between(bottom, mid, z) : Between(mid, top, z));
        }
    }

    // The rows still due at the head (only where rounding left one above the
    // last element, or the walk had none).
    void Finish(const WalkNode& head)
    {
        for (; next_ <= count_; ++next_)
            Write(RowDepth(next_), head);
    }

private:
    double RowDepth(int j) const { return total_ - (j - 0.5f) * part_; }

    static WalkNode Between(const WalkNode& lower, const WalkNode& upper, double depth)
    {
        const double span = lower.depth - upper.depth;
        const double f = span > 0.0 ? std::clamp((lower.depth - depth) / span, 0.0, 1.0) : 0.0;
        return {depth, lower.load + f * (upper.load - lower.load),
                lower.movement + f * (upper.movement - lower.movement)};
    }

    void Write(double depth, const WalkNode& at)
    {
        plot_.WriteRecord("(3X,E10.3,3X,E10.3,3X,E10.3)",
                          {FeetOrMetres(input_, depth), Kips(input_, at.load), at.movement});
    }

    const AnalysisInput& input_;
    OutputFile& plot_;
    int count_;
    double total_;
    double part_;
    int next_ = 1;
};

// One assumed tip movement: the pile walked from the tip up by its
// computation rows, the embedded length in elements of at most one increment
// and the free length in elements of its own, whatever rows the tables print;
// the distribution rows (P4) on the way.
LoadSettlementPoint WalkUpThePile(LoadSettlementRun run, double tip_movement)
{
    const AnalysisInput& input = run;
    const PenetrationRows& penetration = run;
    LoadTransfer& transfer = run;
    RunOutputs& out = run;
    const double stickup = HasFreeLength(input) ? Stickup(input) : 0.0;
    const double total_length = TransferLength(input, input.StickupLength + input.PileLength);
    const int embedded_elements = ElementsOver(input.PileLength, input.IncrementLength);
    const int free_elements = HasFreeLength(input) ? ElementsOver(input.StickupLength, input.IncrementLength) : 0;

    LoadSettlementPoint point;
    point.TipMovement = tip_movement;
    point.TipLoad = TipLoadAt(transfer.TipCurve, tip_movement);
    WalkNode node{total_length, point.TipLoad, tip_movement};
    DistributionRows rows(input, penetration.RowsPerCurve, out.plot, total_length);
    CurvesCursor curves(transfer);
    const ElementSetting setting = ElementSettingOf(input);
    const auto walk = [&](int count, double bottom, double top) {
        const double length = count > 0 ? (bottom - top) / count : 0.0;
        for (int j = 1; j <= count; ++j) {
            const double mid_depth = bottom - (j - 0.5f) * length;
            const ElementResult done =
                ElementSolver(transfer, setting, mid_depth, length, node.load, node.movement, curves.At(mid_depth))
                    .Solve();
            if (done.beyond_pass_limit)
                ++transfer.ElementsBeyondPassLimit;
            const WalkNode upper{bottom - j * length, done.top_load, done.top_movement};
            rows.Through(node, {mid_depth, done.mean_load, done.mid_movement}, upper);
            node = upper;
        }
    };
    walk(embedded_elements, total_length, stickup);
    walk(free_elements, stickup, 0.0);
    rows.Finish(node);
    point.TopLoad = node.load;
    point.TopMovement = node.movement;
    return point;
}

} // namespace

ElementResult SolveElement(Uses<const AnalysisInput, const LoadTransfer> run, double mid_depth, double length,
                           double bottom_load, double bottom_movement)
{
    const AnalysisInput& input = run;
    const LoadTransfer& transfer = run;
    return ElementSolver(transfer, ElementSettingOf(input), mid_depth, length, bottom_load, bottom_movement,
                         CurvesAroundDepth(transfer, mid_depth))
        .Solve();
}

double SectionStiffnessAt(const LoadTransfer& transfer, double distance)
{
    const std::size_t rows = static_cast<std::size_t>(std::clamp(transfer.StiffnessRowCount, 0, MaxSectionRows));
    if (rows == 0)
        return 0.0;
    return LookupTable({std::span(transfer.StiffnessDistance).first(rows), std::span(transfer.StiffnessEA).first(rows)},
                       distance);
}

double TzLoadTransferAt(const LoadTransfer& transfer, double depth, double movement)
{
    return LoadTransferBetween(transfer, CurvesAroundDepth(transfer, depth), depth, movement);
}

void ComputeLoadSettlement(LoadSettlementRun run, int print)
{
    const AnalysisInput& input = run;
    const PenetrationRows& penetration = run;
    const MethodResults& results = run;
    LoadTransfer& transfer = run;
    RunOutputs& out = run;
    PlaceTzCurves(input, transfer);
    BuildPlacedCurves(run);
    if (print == 1)
        WritePlacedCurves(run);

    BuildSectionStiffness(run);
    transfer.TipSoilType = TipSoilTypeOf(input);
    // The tip capacity: the end bearing of the deepest row.
    const double deepest =
        penetration.PenetrationRowCount > 0 ? results.TransferTipRows[penetration.PenetrationRowCount - 1] : 0.0;
    const double q = English(input) ? deepest * PoundsPerKip : deepest;
    // The USACE sand tip takes the friction angle at the tip itself.
    transfer.TipCurve = BuildTipCurve(input, q, transfer.TipSoilType, TzSoilAt(input, input.PileLength).friction_angle);

    if (print == 1) {
        out.report.Write(FormatRecord("(/,/,/,8X,\"TIP   LOAD\",8X,\"TIP MOVEMENT\",/,12X,A3,15X,A3,/)",
                                      {English(input) ? "KIP" : "KN.", English(input) ? "IN." : "M. "}));
        for (int p = 0; p < TzPointsPerCurve; ++p)
            out.report.Write(
                FormatRecord("(E18.4,E19.4)", {Kips(input, transfer.TipCurve.Load[p]), transfer.TipCurve.Movement[p]}));
    }

    transfer.ElementsBeyondPassLimit = 0;
    for (int i = 0; i < AssumedTipMovementCount; ++i) {
        const double inches = AssumedTipMovementsInches[i];
        transfer.LoadSettlement[i] = WalkUpThePile(run, English(input) ? inches : inches / InchesPerMetre);
    }
    if (transfer.ElementsBeyondPassLimit > 0)
        out.report.Write(FormatRecord(
            "(/,12X,'- THE MOVEMENT OF ',I4,' PILE ELEMENT(S) WAS FOUND BY BISECTION AFTER ',I3,' PASSES.')",
            {transfer.ElementsBeyondPassLimit, ElementPassLimit}));
}

void WriteLoadSettlementSection(LoadSettlementRun run, int& status)
{
    const AnalysisInput& input = run;
    const LoadTransfer& transfer = run;
    RunOutputs& out = run;
    out.report.Write(FormatRecord("(/,/,12X,\"NOTES:\",/,12X,\"- AN ASTERISK IS PLACED IN THE END-BEARING COLUMN\",/,"
                                  "12X,\"  IF THE TIP RESISTANCE IS CONTROLLED BY THE FRICTION\",/,12X,"
                                  "\"  OF SOIL PLUG INSIDE AN OPEN-ENDED PIPE PILE.\",/)"));
    if (input.LoadDirection == 1)
        out.report.Write(
            FormatRecord("(/,12X,\"- A NEGATIVE SELF-WEIGHT VALUE IS DUE TO THE\",/,12X,\"  BOUYANCY EFFECT.\",/)"));

    if (const std::string_view problem = LoadTransferProblem(run); !problem.empty()) {
        StopRun(out, status, {"LOAD DISTRIBUTION AND LOAD-SETTLEMENT CANNOT BE COMPUTED BECAUSE", problem});
        return;
    }

    out.report.Write(FormatRecord("(/,/,16X,\"*************************************************\",/,16X,"
                                  "\"* COMPUTE LOAD-DISTRIBUTION AND LOAD-SETTLEMENT *\",/,16X,"
                                  "\"* CURVES FOR AXIAL LOADING                      *\",/,16X,"
                                  "\"*************************************************\",/,/)"));
    ComputeLoadSettlement(run, 1);

    out.report.Write(
        FormatRecord("(/,/,/,22X,\"LOAD VERSUS SETTLEMENT CURVE\",/,22X,\"****************************\")"));
    out.report.Write(FormatRecord("(/,/,/,8X,\"TOP  LOAD     TOP MOVEMENT       TIP  LOAD \",5X,\"TIP MOVEMENT\")"));
    const char* force = English(input) ? "KIP" : "KN.";
    const char* movement = English(input) ? "IN." : "M. ";
    out.report.Write(FormatRecord("(11X,A3,13X,A3,14X,A3,12X,A3)", {force, movement, force, movement}));
    for (const LoadSettlementPoint& point : transfer.LoadSettlement) {
        const std::string row = FormatRecord("(E17.4,3E16.4)", {Kips(input, point.TopLoad), point.TopMovement,
                                                                Kips(input, point.TipLoad), point.TipMovement});
        out.report.Write(row);
        out.plot.Write(row);
    }
}

} // namespace korva::engine
