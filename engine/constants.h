#pragma once
// The engine's shared constants, and why every number the engine states is
// written with an f.
//
// The rules of the capacity methods, the load transfer and the charts were
// worked out, and their results checked, with constants of single
// precision. So every constant of the engine is a single-precision literal
// widened to double: 0.4f is 0.4000000059604645 and 3.14159f is
// 3.141590118408203, and the reports print enough digits to show the
// difference. Writing 0.4, 3.14159 or std::numbers::pi instead changes the
// results; keep the f, here and in every engine source. Values read from a
// file stay full doubles.
//
// The constants that several rules share are named here once; a constant
// that belongs to one rule stays in that rule. Each keeps the type its uses
// were written with: a double holding the single-precision value, and a
// float where a rule computes in single precision (the fixed inch lists of
// the load-transfer curves).

namespace korva::engine {

// Pi as the rules write it: with five decimals, and in the rules that state
// it so (the diameter of a perimeter, the echo's areas, the load-transfer
// part) with four.
inline constexpr double PiTo5Places = 3.14159f;
inline constexpr double PiTo4Places = 3.1416f;
// 3.14159 / 4: a circle's area over its diameter squared.
inline constexpr double QuarterPi = 0.7853975f;

// Angles in degrees enter the trigonometric functions divided by this, the
// taper angle multiplied by the other.
inline constexpr double DegreesPerRadian = 57.2958f;
inline constexpr double RadiansPerDegree = 0.01745f;

// Lengths, areas and forces. In the project file English stresses are in
// lb/ft^2 and become kip/ft^2 by PoundsPerKip; lb/in^2 and lb/ft^2 differ by
// SquareInchesPerSquareFoot.
inline constexpr double InchesPerFoot = 12.0f;
inline constexpr double SquareInchesPerSquareFoot = 144.0f;
inline constexpr double MillimetresPerMetre = 1000.0f;
inline constexpr double SquareMillimetresPerSquareMetre = 1000000.0f;
inline constexpr double MillimetresPerInch = 25.4f;
inline constexpr double PoundsPerKip = 1000.0f;
inline constexpr float InchesPerMetre = 39.37f;

// The factors between English and SI for the rules whose constants are
// stated in one system and must mean the same physical value in the other
// (the English value converted exactly). A rule that states its own SI
// figure keeps that figure instead.
inline constexpr double KpaPerKsf = 47.880259f; // 1 kip/ft^2 in kN/m^2
inline constexpr double MetresPerFoot = 0.3048f;
inline constexpr double MetresPerInch = 0.0254f;
// The FHWA rules read their ksf charts (adhesion, end-bearing limit) in SI
// through their own factor, 47.88 kPa to the ksf (not 47.880259).
inline constexpr double FhwaKpaPerKsf = 47.88f;

// The zero tests of the rules, by what they compare: depths, lengths and
// counts of increments (ft / m); stresses, strengths and their ratios
// (ksf / kPa); diameters (in / mm).
inline constexpr double DepthTolerance = 1.0e-6f;
inline constexpr double StressTolerance = 1.0e-10f;
inline constexpr double DiameterTolerance = 1.0e-5f;

} // namespace korva::engine
