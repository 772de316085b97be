// The user-specified unit load transfer: the user's unit skin friction and
// unit end bearing of each layer over the pile's perimeter and tip area.
#include "capacity_steps.h"
#include "constants.h"
#include "land_methods.h"
#include "segment_rows.h"

namespace korva::engine {

void ComputeCapacityUserSpecified(RunState& s)
{
    const double diameter = DiameterInLengthUnits(s);
    const double perimeter = PiTo5Places * diameter;
    const double tip_area = s.TipArea > 1.0e-4f ? s.TipArea : QuarterPi * (diameter * diameter);

    const int n = LastRow(s);
    s.PenetrationDepths[0] = 0.0;
    s.UserSkinRows[0] = 0.0;
    s.UserTipRows[0] = tip_area * s.SegmentSoil[0][Soil::UserUnitEndBearing];
    SegmentWalker segments(s);
    for (int k = 1; k <= n; ++k) {
        const double z = k * s.IncrementLength;
        // The values of the segment above the row, the factor of the one below.
        const SoilPoint& soil = s.SegmentSoil[segments.Locate(z).segment];
        s.UserTipRows[k] = tip_area * soil[Soil::UserUnitEndBearing];
        const double increment = perimeter * soil[Soil::UserUnitSkinFriction] * s.IncrementLength *
                                 s.SegmentSideFrictionFactor[SegmentStartingAtRow(s, k)];
        s.UserSkinRows[k] = s.UserSkinRows[k - 1] + increment;
        s.PenetrationDepths[k] = z;
    }
}

} // namespace korva::engine
