// Soil and section properties at one depth X (global vertical coordinate,
// internal length units), and small table look-ups at a depth ratio.
//
// The look-ups keep no state and write no shared table: they run on the
// worker threads of the parallel pile loops. Those with a status argument
// store their code in the run status word atomically and return 0 when the
// depth lies beyond the input curve; the caller tests the status word. Their
// warning blocks go to the results report (unit 16) and the runtime log
// (unit 10), one whole block at a time.
#pragma once

#include <cstdint>

namespace drelm {

// Status codes of a depth beyond an input curve.
enum LookupStatus : std::int32_t {
  STAT_GAM_BEYOND = 22,  // unit weight
  STAT_C_BEYOND = 23,    // cohesion / strength
  STAT_PHI_BEYOND = 24,  // friction angle
  STAT_FS_BEYOND = 25,   // unit side friction
  STAT_QT_BEYOND = 26,   // unit tip resistance
  STAT_PHB_BEYOND = 27,  // friction angle of the side resistance
};

// Warning blocks the soil routines have written on the calling thread so far
// (the look-ups' and the p-y criteria's). A caller that keeps evaluated soil
// values instead of evaluating them again does so only when the evaluation
// wrote none, so that every repeated warning is still written.
std::uint64_t& soilWarningsWritten();

// --- Section look-ups: pile IPILE of pile property IPROP at depth X. The
// depth along the section table is X - PHXREF(IPILE). Interpolated
// quantities are linear between the top and bottom values of the section
// row holding the depth; above the first row the first row's top value,
// below the last row the last row's bottom value. A depth on a boundary
// between rows takes the upper row, except for SECEMOD, SECMCZ and SECMCY,
// which take the lower row.
double SECDIAM(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
double SECIZ(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
double SECIY(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
double SECAREA(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
double SECGJ(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
double SECMN(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
double SECVN(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
double SECEIZ(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
double SECEIY(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
double SECDIM1(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
double SECDIM2(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
std::int32_t SECTYP(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
double SECEMOD(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
std::int32_t SECMCZ(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
std::int32_t SECMCY(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);

// Close the section table of every pile property: row NSECT+1 gets the end
// marker 1.2 x PLEN as its top depth and the last row's top E x Iz and E x Iy.
// Run once in the preprocessing, after the section table is built. More
// section rows than the table leaves room for sets status 43.
void SECMARK(std::int32_t& ISTAT);

// --- Soil profile look-ups at depth X.
double SOILK(const double& X);    // subgrade modulus k
double SOILER(const double& X);   // rock modulus Er
double SOILE50(const double& X);  // E50 (krm of weak rock)
double SOILJ(const double& X);    // J factor
double SOILRQD(const double& X);  // rock quality in percent (same column as J)
// k for the lateral solvers: 0 above the profile; a default from the
// cohesion when the profile k is 1.0E-4 or less in magnitude.
double SOILKD(const double& X);
double SOILC(const double& X, std::int32_t& ISTAT);    // cohesion or strength; 23
double SOILPHI(const double& X, std::int32_t& ISTAT);  // friction angle, radians; 24
double SOILFS(const double& X, std::int32_t& ISTAT);   // unit side friction; 25
double SOILQT(const double& X, std::int32_t& ISTAT);   // unit tip resistance; 26
double SOILPHB(const double& X, std::int32_t& ISTAT);  // friction angle, side resistance; 27
// Average effective unit weight from the soil top to X; 22.
double GAMAVG(const double& X, std::int32_t& ISTAT);
// Average cohesion from the soil top to X; 23 near the soil top.
double SOILCAVG(const double& X, std::int32_t& ISTAT);

// --- Tables read at the depth ratio r = (X - GRNDX(IPILE)) / SECDIAM(IPILE, IPROP, X).
// Static and cyclic coefficients of the stiff clay with free water criterion.
double ASCOEF(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
double ACCOEF(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X);
// The caller's table of 10 points: abscissae RTAB[0..9] increasing, ordinates YTAB[0..9].
double TABZD(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X, const double* YTAB,
             const double* RTAB);
// sqrt(A^2 + B^2), each component below 1.0E-24 in magnitude taken as 0.
double VLEN2(const double& A, const double& B);

}  // namespace drelm
