#include "fecap/front.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "fecap/fefmt.h"
#include "model/fileio.h"

namespace drelm {

FrontScratch::~FrontScratch() { close(); }

bool FrontScratch::open(const std::string& path) {
  close();
  // Never through a link, and never a device: what is read back must be
  // what was written.
  f_ = io::openWorkStream(path);
  if (f_) path_ = path;
  return f_ != nullptr;
}

void FrontScratch::close() {
  if (!f_) return;
  std::fclose(f_);
  f_ = nullptr;
  std::error_code ec;
  std::filesystem::remove(path_, ec);
}

namespace {

[[noreturn]] void halt(const std::string& listing, const std::string& why) {
  io::line(U_FELIST, listing);
  throw PlateHalt{why};
}

}  // namespace

int FRONTSOL(PlateArrays& A, PArr<double>& FIXV, FrontScratch& scratch) {
  const FESOLV_T& F = FESOLV;
  const int maxfrt = F.MAXFRT, nevab = F.NEVAB, nn = F.NNODE;
  const int nv = 6 * F.NPOIN;
  std::FILE* f2 = scratch.file();
  if (!f2) throw PlateHalt{"EQUATION SCRATCH FILE NOT OPEN"};
  // One record: the pivot column, the right-hand side, the front position
  // and the global variable.
  const long recBytes = static_cast<long>(maxfrt) * 8 + 8 + 4 + 4;

  std::vector<double> FRMAT(static_cast<std::size_t>(maxfrt) * (maxfrt + 1) / 2, 0.0);
  std::vector<double> FRRHS(maxfrt + 1, 0.0), PIVCOL(maxfrt + 1, 0.0), BSVAL(maxfrt + 1, 0.0);
  std::vector<std::int32_t> FRVAR(maxfrt + 1, 0), VARFIX(nv + 1, 0);
  // The assembled diagonal of every variable, the measure of its pivot.
  std::vector<double> DIAG(nv + 1, 0.0);
  std::vector<std::int32_t> ELVAR(nevab + 1, 0), ELDEST(nevab + 1, 0);
  const auto at = [&](int i, int j) -> double& {
    if (i > j) std::swap(i, j);
    return FRMAT[static_cast<std::size_t>(j) * (j - 1) / 2 + i - 1];
  };

  // Restraints.
  A.RHSVEC.zero();
  for (int i = 1; i <= F.NVFIX; ++i)
    for (int d = 1; d <= 6; ++d) {
      const int g = 6 * (A.FIXNOD(i) - 1) + d;
      A.RHSVEC(g) = FIXV(d, i);
      VARFIX[g] = A.FIXCOD(d, i);
    }
  // Last appearance of each node: its entry negated.
  std::vector<std::int32_t*> last(static_cast<std::size_t>(F.NPOIN) + 1, nullptr);
  for (int e = 1; e <= F.NELEM; ++e)
    for (int k = 1; k <= nn; ++k) {
      const int n = A.ELNOD(k, e);
      if (n >= 1 && n <= F.NPOIN) last[n] = &A.ELNOD(k, e);
    }
  for (int n = 1; n <= F.NPOIN; ++n)
    if (last[n]) *last[n] = -n;
  const auto restore = [&] {
    for (std::int32_t& m : A.ELNOD.v) m = std::abs(m);
  };
  int FRWID = 0, NEQEL = 0;
  std::rewind(f2);
  io::REWIND(U_FEELEM);
  std::vector<char> rec(static_cast<std::size_t>(recBytes));

  for (int e = 1; e <= F.NELEM; ++e) {
    for (int k = 1; k <= nn; ++k) {
      const int m = A.ELNOD(k, e);
      for (int d = 1; d <= 6; ++d) {
        const int g = 6 * (std::abs(m) - 1) + d;
        ELVAR[6 * (k - 1) + d] = m < 0 ? -g : g;
      }
    }
    for (int a = 1; a <= nevab; ++a) {
      const int g = std::abs(ELVAR[a]);
      int p = 0;
      for (int j = 1; j <= FRWID; ++j)
        if (FRVAR[j] == g) {
          p = j;
          break;
        }
      if (p == 0) {
        for (int j = 1; j <= maxfrt; ++j)
          if (FRVAR[j] == 0) {
            p = j;
            break;
          }
        if (p == 0) {
          restore();
          halt("FRONT WIDTH EXCEEDS " + fmtI(5, maxfrt) + " AT ELEMENT " + fmtI(5, e),
               "FRONT WIDTH EXCEEDS ITS LIMIT");
        }
        FRVAR[p] = g;
        FRWID = std::max(FRWID, p);
      }
      ELDEST[a] = p;
    }
    for (int a = 1; a <= nevab; ++a) {
      DIAG[std::abs(ELVAR[a])] += A.ELSTIF(a, a, e);
      FRRHS[ELDEST[a]] += A.ELRHS(a, e);
      for (int b = 1; b <= a; ++b) at(ELDEST[b], ELDEST[a]) += A.ELSTIF(b, a, e);
    }
    for (int a = 1; a <= nevab; ++a) {
      if (ELVAR[a] >= 0) continue;
      const int g = -ELVAR[a];
      int p = 0;
      for (int j = 1; j <= FRWID; ++j)
        if (FRVAR[j] == g) p = j;
      for (int j = 1; j <= maxfrt; ++j) {
        PIVCOL[j] = at(j, p);
        at(j, p) = 0.0;
      }
      const double r = FRRHS[p];
      FRRHS[p] = 0.0;
      ++NEQEL;
      std::memcpy(rec.data(), &PIVCOL[1], static_cast<std::size_t>(maxfrt) * 8);
      std::memcpy(rec.data() + maxfrt * 8, &r, 8);
      const std::int32_t pg[2] = {p, g};
      std::memcpy(rec.data() + maxfrt * 8 + 8, pg, 8);
      if (std::fwrite(rec.data(), 1, rec.size(), f2) != rec.size()) {
        restore();
        halt("EQUATION SCRATCH FILE CANNOT BE WRITTEN", "EQUATION SCRATCH FILE CANNOT BE WRITTEN");
      }
      const double pv = PIVCOL[p];
      // A pivot that is nil against its own diagonal leaves the plate free
      // to move that way: the equations have no solution. A prescribed
      // variable is never divided by its pivot.
      if (VARFIX[g] != 1 && !(std::fabs(pv) > PIVTOL * std::fabs(DIAG[g]))) {
        restore();
        io::line(U_FELIST, "   NEGATIVE OR ZERO PIVOT ENCOUNTERED FOR VARIABLE NO. " + fmtI(4, g) + " OF VALUE " +
                               fmtE(17, 6, pv));
        return g;
      }
      PIVCOL[p] = 0.0;
      if (VARFIX[g] == 1) {
        for (int j = 1; j <= FRWID; ++j) FRRHS[j] -= PIVCOL[j] * A.RHSVEC(g);
      } else {
        for (int j = 1; j <= FRWID; ++j) FRRHS[j] -= PIVCOL[j] * r / pv;
        for (int j = 1; j <= FRWID; ++j) {
          if (PIVCOL[j] == 0.0) continue;
          const double c = PIVCOL[j] / pv;
          for (int i = 1; i <= j; ++i) at(i, j) -= PIVCOL[i] * c;
        }
      }
      PIVCOL[p] = pv;
      FRVAR[p] = 0;
      while (FRWID > 0 && FRVAR[FRWID] == 0) --FRWID;
    }
  }

  // Back-substitution, last equation first.
  if (std::fflush(f2) != 0) {
    restore();
    halt("EQUATION SCRATCH FILE CANNOT BE WRITTEN", "EQUATION SCRATCH FILE CANNOT BE WRITTEN");
  }
  for (int q = NEQEL; q >= 1; --q) {
    std::fseek(f2, static_cast<long>(q - 1) * recBytes, SEEK_SET);
    if (std::fread(rec.data(), 1, rec.size(), f2) != rec.size()) {
      restore();
      halt("EQUATION SCRATCH FILE CANNOT BE READ BACK", "EQUATION SCRATCH FILE CANNOT BE READ BACK");
    }
    std::memcpy(&PIVCOL[1], rec.data(), static_cast<std::size_t>(maxfrt) * 8);
    double r;
    std::memcpy(&r, rec.data() + maxfrt * 8, 8);
    std::int32_t pg[2];
    std::memcpy(pg, rec.data() + maxfrt * 8 + 8, 8);
    const int p = pg[0], g = pg[1];
    const double pv = PIVCOL[p];
    double x;
    if (VARFIX[g] == 1) {
      x = A.RHSVEC(g);
      BSVAL[p] = x;
      double s = 0;
      for (int j = 1; j <= maxfrt; ++j) s += PIVCOL[j] * BSVAL[j];
      A.RHSVEC(g) = s - r;
    } else {
      PIVCOL[p] = 0.0;
      double s = 0;
      for (int j = 1; j <= maxfrt; ++j) s += PIVCOL[j] * BSVAL[j];
      x = (r - s) / pv;
    }
    BSVAL[p] = x;
    A.DSDIS(g) = x;
  }
  restore();
  return 0;
}

}  // namespace drelm
