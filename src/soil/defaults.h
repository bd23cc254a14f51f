// Defaults of missing soil parameters (a zero or negative k or E50), derived
// from the layer's other properties. Pure functions: they read no table and
// write only their output arguments, so the p-y criteria and the
// load-transfer curves may call them from the parallel pile loops.
//
// Units are internal: c in lb/in^2 or kN/m^2, unit weight and k in lb/in^3 or
// kN/m^3, friction angle in radians. IUNITS is 1 (English) or 2 (SI); any
// other code leaves the output of every rule untouched except E50DEF, which
// gives 0.001. LOADFL is the loading flag: 1 static, 0 cyclic (as KSTCYC);
// any other value leaves the k output untouched.
#pragma once

#include <cstdint>

namespace drelm {

// E50 of soft clays and clay-like soils from c (rule A).
void E50DEF(const double& C, double& E50, const std::int32_t& IUNITS);
// E50 of stiff clays from c (rule B).
void E50DEFST(const double& C, double& E50, const std::int32_t& IUNITS);
// k of clays from c (rule C).
void KDEFCL(const double& C, double& K, const std::int32_t& IUNITS, const std::int32_t& LOADFL);
// k of sands from the friction angle and the water test on the unit weight (rule D).
void KDEFSD(const double& PHI, const double& GAMMA, double& K, const std::int32_t& IUNITS);
// k of c-phi soils: the clay k plus a friction increment (rule E).
void KDEFCP(const double& GAMMA, const double& C, const double& PHI, double& K,
            const std::int32_t& IUNITS, const std::int32_t& LOADFL);

// E50 by soil type for the load-transfer curves; other types leave E50 as passed.
void E50DEFTY(const double& C, double& E50, const std::int32_t& LTYP, const std::int32_t& IUNITS);
// E50 for the soil-data table: E50 = E50IN and IFLAG = 0 when E50IN > 0,
// else IFLAG = 1 and the default of the soil type.
void E50DEFIN(const double& C, const double& E50IN, double& E50, const std::int32_t& IUNITS,
              const std::int32_t& LTYP, std::int32_t& IFLAG);
// Static and cyclic k for the soil-data table, with the flags that mark a
// default (IFLST for the static k, IFLCY for the cyclic k).
void KDEFIN(const double& C, const double& PHI, const double& GAMMA, const double& KIN, double& KST,
            double& KCY, const std::int32_t& IUNITS, const std::int32_t& LTYP, std::int32_t& IFLST,
            std::int32_t& IFLCY);

}  // namespace drelm
