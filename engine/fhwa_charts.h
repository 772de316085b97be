#pragma once
// Design charts of the FHWA method: Nordlund's charts for driven piles in
// sand (wall-friction ratio by displaced volume and pile type, correction
// factor, earth-pressure coefficient of tapered piles) and Tomlinson's three
// adhesion graphs for clay. Values are the charts' single-precision tables.
#include "design_charts.h"

namespace korva::engine {

// delta/phi by the displaced volume V (ft^3 per ft of pile) for a pile type
// 1-7; a type outside 1-7 reads the steel pipe pile's curve (type 1).
double LookupPileTypeChart(double displaced_volume, int pile_type);

// Correction factor C_F of the earth-pressure coefficient, by delta/phi and
// the friction angle phi (degrees); linear in delta/phi between its curves.
double FhwaCorrectionFactors(double delta_over_phi, double phi);

// The four earth-pressure charts K-delta, one per friction angle.
enum class TaperChart { Phi25, Phi30, Phi35, Phi40 };

// K-delta of one chart by the taper angle omega (degrees) and the displaced
// volume V (ft^3/ft): three curves for V = 0.1, 1.0 and 10, linear in V
// between them.
double FhwaTaperChart(TaperChart chart, double omega, double displaced_volume);

// K-delta at the friction angle phi: the chart of 25 degrees below 25, of 40
// degrees from 40 on, else linear between the two charts at the ends of the
// 5-degree band that holds phi.
double NordlundEarthPressure(double phi, double omega, double displaced_volume);

// Tomlinson's adhesion factor by the undrained shear strength (ksf) and the
// penetration ratio into the clay; each graph is linear in the ratio between
// its curves. Graph 1: clay below sand; graph 2: clay below soft clay;
// graph 3: no different stratum above.
double FhwaChartC(double undrained_strength, double penetration_ratio); // graph 1
double FhwaChartB(double undrained_strength, double penetration_ratio); // graph 2
double FhwaChartA(double undrained_strength, double penetration_ratio); // graph 3

// The adhesion factor of graph 1, 2 or 3 (FhwaChartC, FhwaChartB, FhwaChartA).
double FhwaAdhesionFactor(int graph, double undrained_strength, double penetration_ratio);

// The table of adhesion graph 1, 2 or 3 (another number reads graph 3, as
// FhwaAdhesionFactor does): the strengths, one curve per penetration ratio.
// The program draws its design-chart pictures from these.
const ChartFamily& AdhesionGraph(int graph);

} // namespace korva::engine
