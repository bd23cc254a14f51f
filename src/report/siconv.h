// English to SI factors of the rules whose constants are given in English
// units: an SI run takes the English constant times its factor, so that a
// curve or default derived from the soil is the same in both systems.
#pragma once

namespace drelm {

inline constexpr double IN_M = 0.0254;                // inch to metre
inline constexpr double PSI_KPA = 6.894757293168361;  // psi to kPa
inline constexpr double LB_KN = 4.4482216152605e-3;   // pound to kilonewton
inline constexpr double LBIN_KNM = LB_KN / IN_M;      // lb/in to kN/m
inline constexpr double PCI_KNM3 = LB_KN / (IN_M * IN_M * IN_M);  // lb/in^3 to kN/m^3

}  // namespace drelm
