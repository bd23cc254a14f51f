// Record groups 10 to 20: p-y listing requests, user curves, generated curve
// lists, moment-curvature data, reduction factors, soil movement and the
// curve-file controls. Absent groups have no heading line.
#include <limits>
#include <span>
#include <string>

#include "model/model.h"
#include "input/readin_groups.h"

namespace drelm {
namespace {

bool readListings(InRead& in) {
  PYPRT_T& P = PYPRT;
  if (!in.heading("heading of the p-y listing requests")) return false;
  if (!in.rec({fInt(P.NPYPRT)}, "number of p-y listing requests") ||
      !in.check(P.NPYPRT, 0, MAXPRT, "number of p-y listing requests"))
    return false;
  for (int j = 1; j <= P.NPYPRT; ++j) {
    if (!in.rec({fInt(P.PRTPIL(j)), fReal(P.PRTDEP(j))}, "p-y listing request") ||
        !in.rec({fInt(P.PRTNPT(j))}, "number of listed deflections") ||
        !in.check(P.PRTNPT(j), 0, MAXPRD, "number of listed deflections"))
      return false;
    if (P.PRTNPT(j) > 0) {
      FreeItem it[MAXPRD];
      for (int k = 1; k <= P.PRTNPT(j); ++k) it[k - 1] = fReal(P.PRTDEF(k, j));
      if (!in.recList(it, P.PRTNPT(j), "listed deflections")) return false;
    }
  }
  return true;
}

bool readUserPy(InRead& in) {
  INPCRV_T& C = INPCRV;
  if (!in.heading("heading of the user p-y curves")) return false;
  if (!in.rec({fInt(C.NPYSIN)}, "number of p-y curve sets") ||
      !in.check(C.NPYSIN, 0, MAXPYS, "number of p-y curve sets"))
    return false;
  for (int s = 1; s <= C.NPYSIN; ++s) {
    std::int32_t unused = 0;
    if (!in.rec({fInt(unused), fInt(C.UPYNC(s))}, "p-y curve set line") ||
        !in.check(C.UPYNC(s), 0, MAXPYC, "number of curves of a p-y set"))
      return false;
    for (int c = 1; c <= C.UPYNC(s); ++c) {
      if (!in.rec({fReal(C.UPYDEP(s, c))}, "depth of a p-y curve") ||
          !in.rec({fInt(C.UPYNPT(s, c))}, "number of p-y points") ||
          !in.check(C.UPYNPT(s, c), 0, MAXPYP, "number of p-y points"))
        return false;
      for (int k = 1; k <= C.UPYNPT(s, c); ++k)
        if (!in.rec({fReal(C.UPYP(s, c, k)), fReal(C.UPYY(s, c, k))}, "p-y point")) return false;
    }
  }
  return true;
}

bool readGenList(InRead& in, std::int32_t& n, int cap, std::int32_t* list, const char* what) {
  if (!in.rec({fInt(n)}, what) || !in.check(n, 0, cap, what)) return false;
  for (int h = 0; h < n; ++h)
    if (!in.rec({fInt(list[h])}, "pile of a generated curve")) return false;
  return true;
}

// Head curves (groups 14 and 15): count, then per curve number and points.
template <typename Table>
bool readHeadCurves(InRead& in, std::int32_t& n, FArray<std::int32_t, MAXHDC>& num,
                    FArray<std::int32_t, MAXHDC>& npt, Table& first, Table& second, const char* what) {
  if (!in.rec({fInt(n)}, what) || !in.check(n, 0, MAXHDC, what)) return false;
  for (int c = 1; c <= n; ++c) {
    if (!in.rec({fInt(num(c)), fInt(npt(c))}, "curve line") ||
        !in.check(npt(c), 0, MAXHDP, "number of curve points"))
      return false;
    for (int k = 1; k <= npt(c); ++k)
      if (!in.rec({fReal(first(c, k)), fReal(second(c, k))}, "curve point")) return false;
  }
  return true;
}

bool readUserMc(InRead& in) {
  INPCRV_T& C = INPCRV;
  if (!in.heading("heading of the user moment-curvature sets")) return false;
  if (!in.rec({fInt(C.NMCSIN)}, "number of moment-curvature sets") ||
      !in.check(C.NMCSIN, 0, MAXMCS, "number of moment-curvature sets"))
    return false;
  for (int s = 1; s <= C.NMCSIN; ++s) {
    std::int32_t unused = 0;
    if (!in.rec({fInt(unused), fInt(C.UMCNC(s))}, "moment-curvature set line") ||
        !in.check(C.UMCNC(s), 0, MAXMCC, "number of moment-curvature curves"))
      return false;
    for (int c = 1; c <= C.UMCNC(s); ++c) {
      if (!in.rec({fReal(C.UMCAXL(s, c))}, "axial load of a moment-curvature curve") ||
          !in.rec({fInt(unused), fInt(C.UMCNPT(s, c))}, "moment-curvature point count") ||
          !in.check(C.UMCNPT(s, c), 0, MAXMCP, "number of moment-curvature points"))
        return false;
      for (int k = 1; k <= C.UMCNPT(s, c); ++k)
        if (!in.rec({fReal(C.UMCMOM(s, c, k)), fReal(C.UMCCRV(s, c, k))}, "moment-curvature point"))
          return false;
    }
  }
  return true;
}

// One bending direction of an entry of group 17.
bool readMcBlock(InRead& in, int t, FArray<std::int32_t, MAXMCE>& nc, FArray2<double, MAXMCE, MAXMCC>& axl,
                 FArray2<std::int32_t, MAXMCE, MAXMCC>& npt, FArray3<double, MAXMCE, MAXMCC, MAXMCP>& mom,
                 FArray3<double, MAXMCE, MAXMCC, MAXMCP>& crv) {
  std::int32_t unused = 0;
  double unusedR = 0;
  if (!in.rec({fInt(unused), fInt(nc(t))}, "section moment-curvature line") ||
      !in.check(nc(t), 0, MAXMCC, "number of moment-curvature curves"))
    return false;
  for (int c = 1; c <= nc(t); ++c) {
    if (!in.rec({fReal(axl(t, c))}, "axial load of a moment-curvature curve") ||
        !in.rec({fReal(unusedR)}, "moment-curvature spare value") ||
        !in.rec({fInt(unused), fInt(npt(t, c))}, "moment-curvature point count") ||
        !in.check(npt(t, c), 0, MAXMCP, "number of moment-curvature points"))
      return false;
    for (int k = 1; k <= npt(t, c); ++k)
      if (!in.rec({fReal(mom(t, c, k)), fReal(crv(t, c, k))}, "moment-curvature point")) return false;
  }
  return true;
}

bool readSectionMc(InRead& in) {
  INPCRV_T& C = INPCRV;
  if (!in.heading("heading of the section moment-curvature curves")) return false;
  if (!in.rec({fInt(C.NMCGEN)}, "number of section moment-curvature entries") ||
      !in.check(C.NMCGEN, 0, MAXMCE, "number of section moment-curvature entries"))
    return false;
  for (int t = 1; t <= C.NMCGEN; ++t) {
    if (!readMcBlock(in, t, C.GMZNC, C.GMZAXL, C.GMZNPT, C.GMZMOM, C.GMZCRV)) return false;
    C.GMYNC(t) = 0;
    if (RUNCTL.IANTYP == 3 && !readMcBlock(in, t, C.GMYNC, C.GMYAXL, C.GMYNPT, C.GMYMOM, C.GMYCRV))
      return false;
  }
  return true;
}

bool readReductionFactors(InRead& in) {
  RFDEP_T& R = RFDEP;
  if (!in.heading("heading of the reduction factors along depth")) return false;
  if (!in.rec({fInt(R.NRFSET)}, "number of reduction-factor sets") ||
      !in.check(R.NRFSET, 0, MAXRFS, "number of reduction-factor sets"))
    return false;
  for (int s = 1; s <= R.NRFSET; ++s) {
    std::int32_t unused = 0;
    if (!in.rec({fInt(unused), fInt(R.NRFPT(s))}, "reduction-factor set line") ||
        !in.check(R.NRFPT(s), 0, MAXRFP, "number of reduction-factor points"))
      return false;
    for (int k = 1; k <= R.NRFPT(s); ++k)
      if (!in.rec({fReal(R.RFDDEP(s, k)), fReal(R.RFDPM(s, k)), fReal(R.RFDYM(s, k))}, "reduction-factor point"))
        return false;
  }
  return true;
}

bool readSoilMovement(InRead& in) {
  SMOV_T& M = SMOV;
  if (!in.heading("heading of the soil movement")) return false;
  if (!in.rec({fInt(M.NSMOV)}, "number of soil-movement points") ||
      !in.check(M.NSMOV, 0, MAXSMV, "number of soil-movement points")) {
    M.NSMOV = 0;
    return false;
  }
  for (int k = 1; k <= M.NSMOV; ++k) {
    if (!in.rec({fReal(M.SMVDEP(k)), fReal(M.SMVYIN(k)), fReal(M.SMVZIN(k))}, "soil-movement point"))
      return false;
    M.SMVY(k) = M.SMVYIN(k);
    M.SMVZ(k) = M.SMVZIN(k);
  }
  return true;
}

bool readCurveFileControls(InRead& in) {
  CRVCTL_T& K = CRVCTL;
  if (!in.heading("heading of the curve-file controls")) return false;
  if (!in.rec({fInt(K.NCRVST), fInt(K.IPYUSR), fInt(K.IPYUS2)}, "curve-file control line") ||
      !in.check(K.NCRVST, 1, MAXCRVST, "number of steps of the curve file"))
    return false;
  if (K.IPYUSR == 1) {
    if (!in.rec({fInt(PYPRT.NPYUSR)}, "number of user deflections") ||
        !in.check(PYPRT.NPYUSR, 0, MAXPYU, "number of user deflections"))
      return false;
    for (int k = 1; k <= PYPRT.NPYUSR; ++k)
      if (!in.rec({fReal(PYPRT.PYUSR(k))}, "user deflection")) return false;
  }
  if (K.IPYUS2 == 1) {
    if (!in.rec({fInt(K.NPYUS2)}, "number of values of the second list") ||
        !in.check(K.NPYUS2, 0, MAXPYU2, "number of values of the second list"))
      return false;
    for (int k = 1; k <= K.NPYUS2; ++k)
      if (!in.rec({fReal(K.PYUS2(k))}, "value of the second list")) return false;
  }
  return true;
}

// The sets and curves a pile or row names, against the groups that hold
// them: a number no group holds would silently read as none, or as another
// curve. A user p-y set may be named by its negative (the set in the layers
// of user curves only). A p-y set while control 5 is 0 and a reduction-factor
// set while control 18 is 0 are not in use, and a reduction-factor set below
// 1 is none: they are not checked.
bool checkPileReferences(InRead& in) {
  const bool plane = RUNCTL.IANTYP == 2;
  const INPCRV_T& C = INPCRV;
  struct Ref {
    int col;
    const char* name;
    std::int32_t lo, hi;
    const char* none;  // what is missing when the range is 0 to 0
    const char* zero;  // what 0 stands for
    bool inUse = true;
  };
  constexpr std::int32_t anyBelow = std::numeric_limits<std::int32_t>::min();
  const bool pyInUse = RUNCTL.IUSRPY == 1, rfInUse = RFDCTL.IRFDEP == 1;
  const std::int32_t py = pyInUse ? C.NPYSIN : 0;
  const std::int32_t ls = CURCTL.IUSRLS == 1 ? C.NLSIN : 0;
  const std::int32_t tr = RUNCTL.IUSRTR == 1 ? C.NTRIN : 0;
  const std::int32_t rf = rfInUse ? RFDEP.NRFSET : 0;
  // A generated curve beyond the list is no curve, and the pile then has no
  // head curve, as ever; its number must still be one the list could hold.
  const std::int32_t lsGen = MAXPIL, trGen = plane ? 0 : MAXTRG;
  const Ref planeRefs[] = {{4, "user p-y set", -py, py, "no user p-y set is given", "none", pyInUse},
                           {5, "user load-displacement curve", 0, ls, "no user load-displacement curve is given", "the generated curve"},
                           {6, "reduction-factor set", anyBelow, rf, "no reduction-factor set is given", "none", rfInUse},
                           {7, "generated load-settlement curve", 0, lsGen, "no load-settlement curve is generated", "none"}};
  const Ref spaceRefs[] = {{4, "user p-y set", -py, py, "no user p-y set is given", "none", pyInUse},
                           {5, "user load-displacement curve", 0, ls, "no user load-displacement curve is given", "the generated curve"},
                           {6, "user torque-rotation curve", 0, tr, "no user torque-rotation curve is given", "the generated curve"},
                           {7, "reduction-factor set", anyBelow, rf, "no reduction-factor set is given", "none", rfInUse},
                           {9, "generated load-settlement curve", 0, lsGen, "no load-settlement curve is generated", "none"},
                           {10, "generated torque-rotation curve", 0, trGen, "no torque-rotation curve is generated", "none"}};
  const std::int32_t n = plane ? PGRP2D.NROW : PGRP3D.NROW;
  for (int p = 1; p <= n; ++p) {
    for (const Ref& r : plane ? std::span<const Ref>(planeRefs) : std::span<const Ref>(spaceRefs)) {
      const std::int32_t v = plane ? PGRP2D.IPG2D(p, r.col) : PGRP3D.IPG3D(p, r.col);
      if (!r.inUse || (v >= r.lo && v <= r.hi)) continue;
      std::string m = std::string(plane ? "pile row integers of row " : "pile integers of pile ") +
                      std::to_string(p) + ": " + r.name + " " + std::to_string(v) + " names none; ";
      const bool open = r.lo == anyBelow;  // every number below 1 is none
      const std::string zero = open ? std::string(" (0 or below: ") + r.zero + ")" : std::string(" (0: ") + r.zero + ")";
      const std::string range =
          open ? "at most " + std::to_string(r.hi) : std::to_string(r.lo) + " to " + std::to_string(r.hi);
      m += r.hi == 0 ? r.none + zero : "give " + range + zero;
      return in.refuseAt(in.pileLine[static_cast<std::size_t>(p)], in.pileGroups, m);
    }
  }
  return true;
}

}  // namespace

bool readCurveGroups(InRead& in) {
  INPCRV_T& C = INPCRV;
  if (CURCTL.KPYLST == 1 && !readListings(in)) return false;
  if (RUNCTL.IUSRPY == 1 && !readUserPy(in)) return false;

  GENCRVIN_T& G = GENCRVIN;
  if (!in.heading("heading of the generated load-settlement curves") ||
      !readGenList(in, G.NLSGEN, MAXPIL, G.LSGLST.data(), "number of generated load-settlement curves"))
    return false;
  if (RUNCTL.IANTYP == 3) {
    if (!in.heading("heading of the generated torque-rotation curves") ||
        !readGenList(in, G.NTRGEN, MAXTRG, G.TRGLST.data(), "number of generated torque-rotation curves"))
      return false;
  }
  if (CURCTL.IUSRLS == 1) {
    if (!in.heading("heading of the user load-displacement curves") ||
        !readHeadCurves(in, C.NLSIN, C.ULSNUM, C.ULSNPT, C.ULSLOD, C.ULSDSP, "number of load-displacement curves"))
      return false;
  }
  if (RUNCTL.IUSRTR == 1) {
    if (!in.heading("heading of the user torque-rotation curves") ||
        !readHeadCurves(in, C.NTRIN, C.UTRNUM, C.UTRNPT, C.UTRTOR, C.UTRROT, "number of torque-rotation curves"))
      return false;
  }
  if (RUNCTL.ICTL09 > 0 && !readUserMc(in)) return false;
  if (!checkSectionSets(in)) return false;
  if (SECTIN.NSECIN >= 1 && !readSectionMc(in)) return false;
  if (RFDCTL.IRFDEP == 1 && !readReductionFactors(in)) return false;
  SMOV.NSMOV = 0;
  if (SMOV.ISMOV == 1 && !readSoilMovement(in)) return false;
  if (CRVCTL.ICRVON == 1 && !readCurveFileControls(in)) return false;
  return checkPileReferences(in);
}

}  // namespace drelm
