// Constants shared by the p-y criteria.
#pragma once

namespace drelm {

// The decimal constants of the criteria are single-precision values widened
// to double precision (0.0254 acts as 0.0253999997); the arithmetic itself
// is double precision.
constexpr double r4(double x) { return static_cast<double>(static_cast<float>(x)); }

// Smallest depth below the ground line that carries a spring.
constexpr double EPS6 = r4(1.0E-6);

// Depth ratios z/b of the sand coefficient tables.
inline constexpr double SAND_RT[10] = {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0};
// Coefficient A of the sand criterion by depth ratio, static and cyclic loading.
inline constexpr double SAND_AS[10] = {r4(2.83), r4(2.48), r4(2.11), r4(1.76), r4(1.48),
                                       r4(1.23), r4(1.06), r4(0.90), r4(0.88), r4(0.88)};
inline constexpr double SAND_AC[10] = {r4(0.75), r4(0.93), r4(1.07), r4(1.11), r4(1.03),
                                       r4(0.98), r4(0.94), r4(0.90), r4(0.88), r4(0.88)};
// Coefficient B of the sand criterion, static and cyclic loading.
inline constexpr double SAND_BS[10] = {r4(2.14), r4(1.83), r4(1.54), r4(1.27), r4(1.05),
                                       r4(0.86), r4(0.71), r4(0.53), r4(0.50), r4(0.50)};
inline constexpr double SAND_BC[10] = {r4(0.53), r4(0.72), r4(0.83), r4(0.86), r4(0.82),
                                       r4(0.77), r4(0.70), r4(0.55), r4(0.55), r4(0.55)};

// Fractions of the reference deflection (8 y50 for soft clay, y16 for stiff
// clay without free water) at which the default curves are listed.
inline constexpr double CLAY_DEFL[17] = {0.0,       r4(0.00025), r4(0.0025), r4(0.0075),
                                         r4(0.02),  r4(0.04),    r4(0.06),   r4(0.1),
                                         r4(0.15),  r4(0.225),   r4(0.3),    r4(0.4),
                                         r4(0.5),   r4(0.65),    r4(0.8),    1.0,
                                         r4(1.2)};

}  // namespace drelm
