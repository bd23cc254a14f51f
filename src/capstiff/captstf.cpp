#include "capstiff/captstf.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <string>
#include <vector>

#include "model/casecur.h"
#include "capstiff/pilestf.h"
#include "capstiff/stfhead.h"
#include "numeric/matrix.h"
#include "pile/transf.h"
#include "report/convert.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model_prep.h"
#include "model/model_run.h"
#include "model/tables.h"

namespace drelm {

// Carried head stiffness of each pile at the cap origin, summed afterwards
// in pile order so that the sum is the same for any thread count.
struct CAPKP_T {
  FArray2<double, 36, MAXPIL1> KPILE;
};
DRELM_ZERO_TABLE(CAPKP_T, CAPKP);

void MATVEC3(double* Y, const double* A, const double* X, const std::int32_t& NV) {
  for (int k = 0; k < NV; ++k)
    for (int i = 0; i < 3; ++i) {
      double s = 0.0;
      for (int j = 0; j < 3; ++j) s += A[i + 3 * j] * X[j + 3 * k];
      Y[i + 3 * k] = s;
    }
}

namespace {

// TF RT KHEAD R TU of one space pile, 6 x 6 by columns.
void carrySpace(int p, const std::int32_t& KGEOM, std::int32_t& ISTAT, double* out, std::string& block) {
  double TF[36], TU[36], RT[36], R[36], KH[36], W1[36], W2[36];
  TRANSF(p, TF, TU, RT, R);
  PILESTF(p, KGEOM, ISTAT, KH, block);
  MATVEC6(W1, KH, R, 6);
  MATVEC6(W2, RT, W1, 6);
  MATVEC6(W1, W2, TU, 6);
  MATVEC6(out, TF, W1, 6);
}

// GRPNP TF RT KHEAD R TU of one plane row, into the top-left 3 x 3 block.
void carryPlane(int p, const std::int32_t& KGEOM, std::int32_t& ISTAT, double* out, std::string& block) {
  double TF[9], RT[9], TU[9], R[9], KH[9], W1[9], W2[9], W3[9], W4[9];
  const std::int32_t three = 3;
  TRANSF2D(p, TF, RT, TU, R);
  PILESTF2D(p, KGEOM, ISTAT, KH, block);
  MATVEC3(W1, RT, KH, three);
  MATVEC3(W2, W1, R, three);
  MATVEC3(W3, TF, W2, three);
  MATVEC3(W4, W3, TU, three);
  const double w = PILEAR.GRPNP(p);
  for (int i = 0; i < 36; ++i) out[i] = 0.0;
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) out[i + 6 * j] = w * W4[i + 3 * j];
}

// One whole record of the given text.
void text(int u, std::string_view s) {
  io::put(u, s);
  io::endRecord(u);
}

std::string i5(int v) {
  char b[16];
  std::snprintf(b, sizeof b, "%5d", v);
  return b;
}

}  // namespace

void CAPKSUM(std::int32_t& ISTAT, const std::int32_t& KGEOM, double* KCAP) {
  const bool plane = RUNCTL.IANTYP == 2;
  const int n = std::clamp<int>(RUNCTL.NPILE, 0, MAXPIL);
  for (int i = 0; i < 36; ++i) KCAP[i] = 0.0;
  text(U_CAPNODE, "     NPILES=" + i5(n));
  // Each pile's node-file block is assembled apart and written whole, in
  // pile order, after the loop.
  std::vector<std::string> blocks(static_cast<std::size_t>(n));
#pragma omp parallel for schedule(static)
  for (int p = 1; p <= n; ++p) {
    double* out = &CAPKP.KPILE(1, p);
    std::string& block = blocks[static_cast<std::size_t>(p - 1)];
    if (plane)
      carryPlane(p, KGEOM, ISTAT, out, block);
    else
      carrySpace(p, KGEOM, ISTAT, out, block);
  }
  for (int p = 1; p <= n; ++p) {
    io::put(U_CAPNODE, blocks[static_cast<std::size_t>(p - 1)]);  // whole records
    for (int i = 0; i < 36; ++i) KCAP[i] += CAPKP.KPILE(i + 1, p);
  }
}

void CAPKWR(const double* KCAP) {
  const int nd = RUNCTL.IANTYP == 2 ? 3 : 6;
  auto k = [&](int i, int j) { return KCAP[(i - 1) + 6 * (j - 1)]; };
  text(U_RESULTS, "");
  text(U_RESULTS, "          * EQUIVALENT STIFFNESS MATRIX AT ORIGIN *");
  text(U_SUMMARY, "");
  text(U_SUMMARY, "          * EQV. STIFFNESS MATRIX AT ORIGIN *");
  std::string head = "    DOF";
  for (int j = 1; j <= nd; ++j) {
    char b[24];
    std::snprintf(b, sizeof b, "%11d    ", j);
    head += b;
  }
  for (int u : {U_RESULTS, U_SUMMARY}) text(u, head);
  for (int u : {U_RESULTS, U_SUMMARY})
    for (int i = 1; i <= nd; ++i) {
      WRBLNK(u, 2);
      WRINT(u, 5, i);
      for (int j = 1; j <= nd; ++j) WRREAL(u, 15, 5, OUTFRC(k(i, j)));
      WREOL(u);
    }
  WRBLNK(U_REPORT, 14);
  for (int j = 1; j <= nd; ++j) {
    WRREAL(U_REPORT, 18, 8, k(j, j));
    WRBLNK(U_REPORT, 4);
  }
  WREOL(U_REPORT);
  for (int i = 1; i <= nd; ++i) {
    io::put(U_REPORT, "     " + i5(i) + "    ");
    for (int j = 1; j <= nd; ++j) {
      WRREAL(U_REPORT, 18, 8, k(i, j));
      WRBLNK(U_REPORT, 4);
    }
    WREOL(U_REPORT);
  }
}

void CAPTSTF(std::int32_t& ISTAT, const std::int32_t& KGEOM, const std::int32_t& NF,
             const std::int32_t& IPOINT, const double& FACTOR, const double* FLDOUT,
             const double* UCPOUT, double* KCAP) {
  const int nd = RUNCTL.IANTYP == 2 ? 3 : 6;
  CAPKSUM(ISTAT, KGEOM, KCAP);
  text(U_KMAT, "     * EQV. STIFFNESS MATRIX AT ORIGIN *");
  for (int i = 1; i <= nd; ++i) {
    WRBLNK(U_KMAT, 5);
    for (int j = 1; j <= nd; ++j) WRREAL(U_KMAT, 19, 5, KCAP[(i - 1) + 6 * (j - 1)]);
    WREOL(U_KMAT);
  }
  EQLDWR(NF, RUNCTL.IANTYP, IPOINT, FACTOR, SESTIM.SEDCMP, SESTIM.SEDTGT, &CASECUR.CESTV(1), FLDOUT, UCPOUT);
  CAPKWR(KCAP);
}

}  // namespace drelm
