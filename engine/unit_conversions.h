#pragma once
// The factors between the engine's English and SI units, for the rules whose
// constants are stated in one system and must mean the same physical value
// in the other (the English value converted exactly). A rule that states its
// own SI figure keeps that figure instead. Single-precision literals, as
// every engine constant.

namespace korva::engine {

inline constexpr double KpaPerKsf = 47.880259f; // 1 kip/ft^2 in kN/m^2
inline constexpr double MetresPerFoot = 0.3048f;
inline constexpr double MetresPerInch = 0.0254f;

} // namespace korva::engine
