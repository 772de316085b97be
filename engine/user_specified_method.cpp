// The user-specified unit load transfer: the user's unit skin friction and
// unit end bearing of each layer over the pile's perimeter and tip area.
#include "capacity_steps.h"
#include "constants.h"
#include "land_methods.h"
#include "segment_rows.h"

namespace korva::engine {

void ComputeCapacityUserSpecified(UserMethodRun run)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    TipRows& tips = run;
    UserMethodRows& user = run;
    const double diameter = DiameterInLengthUnits(input);
    const double perimeter = PiTo5Places * diameter;
    const double tip_area = input.TipArea > 1.0e-4f ? input.TipArea : QuarterPi * (diameter * diameter);

    const int n = LastRow(input);
    user.UserSkinRows[0] = 0.0;
    tips.UserTipRows[0] = tip_area * segments.SegmentSoil[0][Soil::UserUnitEndBearing];
    SegmentWalker walker(segments);
    for (int k = 1; k <= n; ++k) {
        const double z = k * input.IncrementLength;
        // The values of the segment above the row, the factor of the one below.
        const SoilPoint& soil = segments.SegmentSoil[walker.Locate(z).segment];
        tips.UserTipRows[k] = tip_area * soil[Soil::UserUnitEndBearing];
        const double increment = perimeter * soil[Soil::UserUnitSkinFriction] * input.IncrementLength *
                                 segments.SegmentSideFrictionFactor[SegmentStartingAtRow(segments, k)];
        user.UserSkinRows[k] = user.UserSkinRows[k - 1] + increment;
    }
}

} // namespace korva::engine
