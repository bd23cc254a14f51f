// Writers of the plate model's files: the mesh of 8-node elements over the
// cap plan with its loads, material, pile heads and stepping controls in the
// numeric deck (plate frame, read back by the plate solution of a later run)
// and the keyword deck (cap frame, for people), and the file list.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "fecap/fecap.h"
#include "fecap/fefmt.h"
#include "fecap/slabsol.h"
#include "model/fileio.h"
#include "model/model.h"

namespace drelm {
namespace {

void out(int u, const std::string& s) {
  io::put(u, s);
  io::endRecord(u);
}

std::string E(double x) { return deckE(13, 5, x); }
std::string I8(long long v) { return deckI(8, v); }
std::string F12(double x) { return deckF(12, 4, x); }

std::string reals(const std::vector<double>& v) {
  std::string s;
  for (double x : v) s += E(x);
  return s;
}

bool sameFile(const std::string& a, const std::string& b) {
  std::error_code ec1, ec2;
  const auto pa = std::filesystem::weakly_canonical(a, ec1), pb = std::filesystem::weakly_canonical(b, ec2);
  if (ec1 || ec2) return a == b;
  return pa == pb;
}

// A plate file must never replace or read a file of the run.
bool clashes(const std::string& name, std::string& with) {
  for (int u = FNAMES.FNU.lo; u <= FNAMES.FNU.hi; ++u) {
    const std::string f = FNAMES.FNU(u).trimmed();
    if (!f.empty() && sameFile(name, f)) {
      with = f;
      return true;
    }
  }
  return false;
}

void fail(const std::string& why, std::int32_t& ISTAT) {
  out(U_LOG, "");
  out(U_LOG, "    **** FATAL ERROR **** PLATE MODEL OF THE CAP: " + why);
  ISTAT = STAT_PLATE;
}

// One concentrated load in cap layout: X, Y, Z of the point, six values in
// the order of the cap load vector.
struct CapLoad {
  double Y, Z;
  double v[6];
};

std::vector<CapLoad> capLoads(const double (&P)[6]) {
  std::vector<CapLoad> L;
  L.push_back({0.0, 0.0, {P[0], P[1], P[2], 0.0, P[4], P[5]}});
  if (std::fabs(P[3]) <= 1.0E-10) return L;
  // The torsion as eight tangential point forces on a circle inside the
  // plan; each carries an eighth of it (Y FZ - Z FY = R F = P4 / 8).
  const double L2 = CAPCTL.CAPLY / 2, W2 = CAPSOL.CAPWZIN / 2;
  const double R = std::min({CAPCTL.CAPTX, L2, W2});
  const double F = 0.125 * P[3] / R;
  const double r = 0.7071067811865476 * R, f = 0.7071067811865476 * F;
  const double pts[8][4] = {{R, 0, 0, F},   {0, R, -F, 0},  {-R, 0, 0, -F}, {0, -R, F, 0},
                            {r, r, -f, f},  {-r, r, -f, -f}, {-r, -r, f, -f}, {r, -r, f, f}};
  for (const auto& p : pts) L.push_back({p[0], p[1], {0.0, p[2], p[3], 0.0, 0.0, 0.0}});
  return L;
}

}  // namespace

PlateFileNames plateFileNames() {
  const std::string plot = FNAMES.FNU(U_PLOT).trimmed();
  return {plateFileName(plot, ".fedeck"), plateFileName(plot, ".fekey"), plateFileName(plot, ".felist"),
          plateFileName(plot, ".fepost"), plateFileName(plot, ".feconv")};
}

void GSLABWR(std::int32_t& ISTAT) {
  const PlateFileNames n = plateFileNames();
  for (const std::string* f : {&n.deck, &n.keyDeck, &n.listing, &n.post, &n.conv}) {
    std::string with;
    if (f->empty() || clashes(*f, with)) {
      fail("PLATE FILE " + *f + " WOULD REPLACE THE RUN FILE " + with, ISTAT);
      return;
    }
  }
  if (!io::OPEN(U_FEGSLAB, GSLAB_NAME, io::Access::Write)) {
    fail(std::string("CANNOT CREATE ") + GSLAB_NAME, ISTAT);
    return;
  }
  // Record 1 names the keyword deck (not read back), then the numeric deck,
  // the listing, the post-processing file and the convergence log.
  for (const std::string* f : {&n.keyDeck, &n.deck, &n.listing, &n.post, &n.conv}) out(U_FEGSLAB, *f);
  io::CLOSE(U_FEGSLAB);
}

void DECKWR(const double (&P)[6], std::int32_t& ISTAT) {
  GSLABWR(ISTAT);
  if (ISTAT != 0) return;
  const PlateFileNames names = plateFileNames();
  if (!io::OPEN(U_FEDECK, names.deck, io::Access::Write) || !io::OPEN(U_FEKEY, names.keyDeck, io::Access::Write)) {
    io::CLOSE(U_FEDECK);
    fail("CANNOT CREATE THE PLATE DECKS " + names.deck + " AND " + names.keyDeck, ISTAT);
    return;
  }
  const int nx = FECOPT.NFEX, ny = FECOPT.NFEY;
  const long npoin = static_cast<long>(ny + 1) * (2 * nx + 1) + static_cast<long>(ny) * (nx + 1);
  const long nelem = static_cast<long>(nx) * ny;
  const std::vector<CapLoad> loads = capLoads(P);
  const int nclod = static_cast<int>(loads.size());
  const int npile = RUNCTL.NPILE;
  const std::string title = "TEST OF DRELM5_FC";

  // Numeric deck.
  const int D = U_FEDECK, K = U_FEKEY;
  io::line(D, title);
  const long ctl[16] = {npoin, nelem, 1, 8, 2, 0, 0, 0, 0, 0, nclod, 0, 0, 0, npile, 1};
  std::string s;
  for (long v : ctl) s += I8(v);
  out(D, s);
  const std::string stepping = deckF(10, 4, CURCTL.DTCUR0) + deckF(10, 4, 0.0) + deckF(10, 4, 1.0) +
                               deckF(10, 4, CURCTL.DTCMIN) + deckI(10, CURCTL.MAXITC) + E(CURCTL.TOLCAP);
  out(D, stepping);

  io::line(K, "DRELM5_FC");
  io::line(K, "TITLE");
  io::line(K, title);
  io::line(K, "ELEMENT_DATA");
  io::line(K, "QUAD8  REDUCED_INTEGRATION");
  for (int j = 1; j <= ny; ++j)
    for (int i = 1; i <= nx; ++i) {
      const long e = static_cast<long>(j - 1) * nx + i;
      const long B = 1 + static_cast<long>(j - 1) * (3 * nx + 2);
      const long K1 = B + 2 * (i - 1), K2 = K1 + 2, K5 = K1 + 1;
      const long K8 = B + (2 * nx + 1) + (i - 1), K6 = K8 + 1;
      const long K4 = B + (3 * nx + 2) + 2 * (i - 1), K3 = K4 + 2, K7 = K4 + 1;
      const long nodes[8] = {K1, K2, K3, K4, K5, K6, K7, K8};
      std::string n;
      for (long k : nodes) n += I8(k);
      out(D, I8(e) + I8(e) + I8(1) + n);
      out(K, std::string("*") += I8(e) + I8(1) + n);
    }
  io::line(K, "END_ELEMENT_DATA");
  io::line(K, "NODE_DATA");
  // Rows of nodes: Y grows along a row, Z falls from row to row; the plate
  // frame has x = Z and y = Y.
  const double hy = CAPCTL.CAPLY / nx, hz = CAPSOL.CAPWZIN / ny;
  const double y0 = FECOPT.FEXOFF - CAPCTL.CAPLY / 2, z0 = CAPSOL.CAPWZIN / 2 - FECOPT.FEYOFF;
  long node = 0;
  for (int r = 1; r <= ny + 1; ++r) {
    const double zf = z0 - (r - 1) * hz;
    for (int k = 0; k <= 2 * nx; ++k) {
      const double y = y0 + k * hy / 2;
      ++node;
      out(D, I8(node) + I8(node) + F12(zf) + F12(y));
      out(K, std::string("*") += I8(node) + F12(0.0) + F12(y) + F12(zf));
    }
    if (r > ny) break;
    const double zm = z0 - (r - 0.5) * hz;
    for (int k = 0; k <= nx; ++k) {
      const double y = y0 + k * hy;
      ++node;
      out(D, I8(node) + I8(node) + F12(zm) + F12(y));
      out(K, std::string("*") += I8(node) + F12(0.0) + F12(y) + F12(zm));
    }
  }
  io::line(K, "END_NODE_DATA");
  io::line(K, "MATERIAL_DATA");
  out(D, I8(1) + E(FECOPT.FEYOUN) + E(FECOPT.FEPOIS) + E(CAPCTL.CAPTX));
  out(K, "*    ALL" + E(FECOPT.FEYOUN) + E(FECOPT.FEPOIS) + E(CAPCTL.CAPTX));
  io::line(K, "END_MATERIAL_DATA");
  io::line(K, "CONCENTRATED_LOAD_DATA");
  for (const CapLoad& l : loads) {
    double p[6];
    capToPlate(l.v, p);
    out(D, reals({l.Z, l.Y, p[0], p[1], p[2], p[3], p[4], p[5]}));
    out(K, std::string("*") += reals({0.0, l.Y, l.Z, l.v[0], l.v[1], l.v[2], l.v[3], l.v[4], l.v[5]}));
  }
  io::line(K, "END_CONCENTRATED_LOAD_DATA");
  io::line(K, "TOTAL_CONCENTRATED_STIFFNESS_DATA");
  for (int p = 1; p <= npile; ++p) {
    const auto small = [](double x) { return x < 1.0E-10 ? 0.0 : x; };
    const double ca = small(std::fabs(std::cos(PILEAR.ALPHA(p)))), cb = small(std::fabs(std::cos(PILEAR.BETA(p))));
    const double fix = PCONN.CONNECTY(p) == 1 ? 0.0 : 1.0;
    out(D, reals({PILEAR.PHZ(p), PILEAR.PHY(p), ca, cb, 0.0, fix, fix, fix}));
    out(K, std::string("*") += reals({PILEAR.PHX(p), PILEAR.PHY(p), PILEAR.PHZ(p), ca, cb, 0.0, fix, fix, fix}));
  }
  io::CLOSE(D);
  io::line(K, "END_TOTAL_CONCENTRATED_STIFFNESS_DATA");
  io::line(K, "TIME_STEPPING_DATA");
  out(K, stepping);
  io::line(K, "END_TIME_STEPPING_DATA");
  io::line(K, "END_DATA");
  io::CLOSE(K);
}

}  // namespace drelm
