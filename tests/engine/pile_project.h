#pragma once
// Projects for engine runs, described by their values instead of by file
// lines: a pile, the methods and a list of soil layers, each written as its
// top and bottom soil point. Text() gives the project file.
#include <charconv>
#include <string>
#include <vector>

#include "fixed_format.h"

namespace korva::test {

struct SoilLayer {
    double top = 0.0;
    double bottom = 0.0;
    int type = 1; // 1 sand, 2 clay, 3 silt
    double k = 0.8;
    double unit_weight = 120.0; // at the top and the bottom of the layer
    double unit_weight_bottom = -1.0; // < 0: as at the top
    double phi = 32.0;
    double nq = 20.0;
    double max_side_friction = 0.0; // 0: no limit
    double max_end_bearing = 0.0;
    double su = 0.0;
    double remolded_or_blows = 0.0;
    double yield_stress_ratio = 0.0;
    double plasticity_index = 0.0;
    double cone_resistance = 0.0;
    double user_skin = 0.0;
    double user_end = 0.0;
    double side_factor = 1.0;
    double end_factor = 1.0;
    double adhesion_method = 0.0; // FHWA adhesion graph 1-3; 0: by the layering
};

struct PileProject {
    std::string title = "Test pile";
    int units = 1;
    int print_every = 1;
    int closed_ended = 1;
    double perimeter = 0.0;
    double tip_area = 0.0;
    double outer_diameter = 24.0;
    double inner_diameter = 0.0;
    double elastic_modulus = 29000000.0;
    double total_length = 60.0;
    double stickup = 5.0;
    double end_section_length = 0.0;
    double end_section_inner_diameter = 0.0;
    double zero_friction_length = 0.0;
    double increment = 1.0;
    int pile_type = 1;
    double taper_angle = 0.0;
    int load_transfer_method = 4;
    int offshore = 1;
    int reduced_tz = 1;
    std::vector<int> methods = {0, 0, 0, 1, 0, 0, 0, 0, 0}; // project order FHWA .. UWA
    double profile_bottom = 70.0;
    double section_area = 0.0;
    std::vector<SoilLayer> layers = {SoilLayer{0.0, 70.0}};
    std::vector<double> tz_depths;
    int load_direction = 0;
    double tension_reduction = 1.0;
    int drained_clay = 0;
    int plug_condition = 0;
    int critical_depth_mode = 0;
    double critical_depth = 0.0;

    std::string Text() const
    {
        std::string t;
        const auto line = [&](const std::string& text) { t += text + "\n"; };
        // Six decimals, or all the digits a value needs to be read back the
        // same (a value converted to SI).
        const auto real = [](double v) {
            std::string s = engine::FormatRecord("(F20.6)", {v});
            s.pop_back(); // line end
            s = s.substr(s.find_first_not_of(' '));
            double read = 0.0;
            std::from_chars(s.data(), s.data() + s.size(), read);
            if (read == v)
                return s;
            char digits[32];
            return std::string(digits, std::to_chars(digits, digits + sizeof digits, v).ptr);
        };
        const auto join = [&](std::initializer_list<double> values) {
            std::string s;
            for (double v : values)
                s += real(v) + " ";
            return s;
        };
        const auto integers = [](std::initializer_list<int> values) {
            std::string s;
            for (int v : values)
                s += std::to_string(v) + " ";
            return s;
        };
        line(title);
        line("Tester");
        line("T-1");
        line(integers({units, print_every, static_cast<int>(layers.size()) * 2, closed_ended}));
        line(join({perimeter, tip_area, outer_diameter, inner_diameter, elastic_modulus, total_length, stickup}));
        line(join({end_section_length, end_section_inner_diameter}));
        line(join({zero_friction_length, increment}) + integers({pile_type}) + join({taper_angle}) +
             integers({load_transfer_method, offshore, reduced_tz}));
        std::string flags;
        for (int m : methods)
            flags += std::to_string(m) + " ";
        line(flags);
        line(join({profile_bottom, section_area}));
        for (const SoilLayer& l : layers) {
            for (const bool at_top : {true, false}) {
                const double weight = at_top || l.unit_weight_bottom < 0.0 ? l.unit_weight : l.unit_weight_bottom;
                line(join({at_top ? l.top : l.bottom}) + integers({l.type}) + join({l.k, weight, l.phi, l.nq}));
                line(join({l.max_side_friction, l.max_end_bearing, l.su, l.remolded_or_blows, l.yield_stress_ratio,
                           l.plasticity_index, l.cone_resistance, l.user_skin, l.user_end, l.side_factor,
                           l.end_factor, l.adhesion_method}));
            }
        }
        if (tz_depths.empty()) {
            line("0");
        } else {
            line("1");
            line(std::to_string(tz_depths.size()));
            for (double d : tz_depths)
                line(real(d));
        }
        line(integers({load_direction}) + real(tension_reduction));
        line(integers({drained_clay, plug_condition}));
        line("0 0");
        line(integers({critical_depth_mode}) + real(critical_depth));
        return t;
    }
};

inline constexpr double FeetToMetres = 0.3048;
inline constexpr double KsfToKpa = 47.880259;
inline constexpr double PcfToKnPerM3 = 0.15708746;
inline constexpr double KnPerKip = 4.4482216;

inline constexpr double SquareMetresPerSquareInch = 0.00064516;

// The same English project in SI, converted value by value (no rounding):
// lengths, diameters and the perimeter, the tip and section areas, modulus,
// unit weights and stresses.
inline PileProject InSi(PileProject p)
{
    p.units = 2;
    p.outer_diameter *= 25.4;
    p.inner_diameter *= 25.4;
    p.end_section_inner_diameter *= 25.4;
    p.perimeter *= 25.4;
    p.tip_area *= SquareMetresPerSquareInch;
    p.section_area *= SquareMetresPerSquareInch;
    p.elastic_modulus *= 6.894757;
    for (double* length : {&p.total_length, &p.stickup, &p.increment, &p.profile_bottom, &p.zero_friction_length,
                           &p.end_section_length, &p.critical_depth})
        *length *= FeetToMetres;
    for (double& depth : p.tz_depths)
        depth *= FeetToMetres;
    for (SoilLayer& l : p.layers) {
        l.top *= FeetToMetres;
        l.bottom *= FeetToMetres;
        l.unit_weight *= PcfToKnPerM3;
        if (l.unit_weight_bottom > 0.0)
            l.unit_weight_bottom *= PcfToKnPerM3;
        // English stresses are in lb/ft2 in the project file. A maximum side
        // friction of 9999 asks for the API sand limits in either system.
        for (double* stress :
             {&l.max_side_friction, &l.max_end_bearing, &l.su, &l.user_skin, &l.user_end, &l.cone_resistance})
            if (!(stress == &l.max_side_friction && *stress == 9999.0))
                *stress *= KsfToKpa / 1000.0;
        if (l.type == 2) // the remolded strength; sand and silt hold a blow count there
            l.remolded_or_blows *= KsfToKpa / 1000.0;
    }
    return p;
}

} // namespace korva::test
