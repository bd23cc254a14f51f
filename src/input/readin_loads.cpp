// Record groups 2 to 5: cap and control data, load cases, load combinations
// and distributed-load sets.
#include <cmath>
#include <string>
#include <utility>

#include "model/model.h"
#include "input/readin_groups.h"

namespace drelm {
namespace {

// n integers into consecutive columns of row r of a table.
template <typename Table>
bool intRow(InRead& in, Table& t, int r, int col0, int n, const char* what) {
  FreeItem it[InRead::MAXITEMS];
  for (int k = 0; k < n; ++k) it[k] = fInt(t(r, col0 + k));
  return in.recList(it, n, what);
}

bool printSelection(InRead& in, int list) {
  FreeItem it[NPRSEL];
  for (int k = 1; k <= NPRSEL; ++k) it[k - 1] = fInt(ENVOPT.PRTSEL(k, list));
  return in.recList(it, NPRSEL, "envelope print selection");
}

bool readObsoleteBlock(InRead& in) {
  std::int32_t n = 0;
  if (!in.rec({fInt(n)}, "obsolete block count") || !in.check(n, 0, 2147483647, "obsolete block count"))
    return false;
  for (int i = 0; i < n; ++i) {
    std::int32_t m = 0;
    if (!in.rec({fInt(m)}, "obsolete block count") || !in.check(m, 0, 2147483647, "obsolete block count"))
      return false;
    for (int j = 0; j < m; ++j) {
      double x = 0;
      if (!in.rec({fReal(x)}, "obsolete block value")) return false;
    }
  }
  return true;
}

// Integer part of a value of the estimation vector; 0 for one no integer holds.
std::int32_t intPart(double x) { return std::isfinite(x) && std::fabs(x) < 2.0E9 ? static_cast<std::int32_t>(x) : 0; }

// Value j of the estimation vector of an equivalent-stiffness case (kind 11
// or more), checked as soon as it is read: a method of 0 or 1; for the
// target deflection a target degree of freedom of the analysis, a target and
// load factors that are not 0 (the search measures its error relative to
// the target) and an iteration limit that the history of the search holds.
bool checkEstimationValue(InRead& in, int c, int j) {
  const auto& v = CASEIN.LCEST;
  const int nf = CASEIN.CASCTL(c, 17) - 12;
  const bool plane = RUNCTL.IANTYP == 2;
  if (j <= nf + 1) {
    if (j < nf + 1) return true;
    const double m = v(c, j);
    if (m != 0.0 && m != 1.0)
      return in.refuse("method of the stiffness estimation: " + realText(m) + " is neither 0 nor 1");
    if (m == 1.0)
      for (int i = 1; i <= nf; ++i)
        if (v(c, i) == 0.0)
          return in.refuse("load factor " + std::to_string(i) +
                           " of the target-deflection estimation: 0 gives a zero target deflection");
    return true;
  }
  if (v(c, nf + 1) != 1.0) return true;
  const std::int32_t dof = intPart(v(c, nf + 2));
  if (j == nf + 2) {
    const bool ok = plane ? (dof >= 1 && dof <= 3) || dof == 6 : dof >= 1 && dof <= 6;
    if (!ok)
      return in.refuse("target degree of freedom of the estimation: " + realText(v(c, j)) +
                       (plane ? " is not 1, 2, 3 or 6" : " is outside 1 to 6"));
    return true;
  }
  // A plane rotation target is the rotation about Z, given as 3 or 6.
  const int at = nf + 2 + (plane && (dof == 3 || dof == 6) ? 6 : dof);
  if (j == at && v(c, j) == 0.0)
    return in.refuse("target deflection of degree of freedom " + std::to_string(dof) +
                     ": 0 gives no relative error to search with");
  if (j == nf + 10) {
    const std::int32_t n = intPart(v(c, j));
    if (n < 2 || n > 19)
      return in.refuse("iteration limit of the target-deflection search: " + realText(v(c, j)) +
                       " is outside 2 to 19");
  }
  return true;
}

// The loading kind and the load cycles of a cyclic loading.
bool cycles(InRead& in, std::int32_t staticLoading, std::int32_t n) {
  // The criteria read 1 as static and 0 as cyclic; another value would be
  // static to some and cyclic to others.
  if (!in.check(staticLoading, 0, 1, "static loading switch")) return false;
  // The cyclic criteria take the logarithm of the count.
  return staticLoading != 0 || in.check(n, 0, 2147483647, "number of load cycles");
}

// Iteration limits of the cap and of each pile solution: a negative one
// allows no iteration at all.
bool iterationLimits(InRead& in, std::int32_t cap, std::int32_t pile) {
  return in.check(cap, 0, 2147483647, "iteration limit of the cap") &&
         in.check(pile, 0, 2147483647, "iteration limit of the piles");
}

// The axial-variation switch: the pile solvers include the variation for 1
// and leave it out for 0, but they read another value differently.
bool axialVariation(InRead& in, std::int32_t axialVariation) {
  return in.check(axialVariation, 0, 1, "axial variation switch");
}

bool readCase(InRead& in, int c) {
  CASEIN_T& L = CASEIN;
  if (!intRow(in, L.CASCTL, c, 1, 7, "load case controls") || !cycles(in, L.CASCTL(c, 4), L.CASCTL(c, 5)) ||
      !iterationLimits(in, L.CASCTL(c, 6), L.CASCTL(c, 7)))
    return false;
  if (!in.rec({fReal(L.CASTOL(c, 1)), fReal(L.CASTOL(c, 2)), fReal(L.CASTOL(c, 3)), fReal(L.CASTOL(c, 4))},
              "load case tolerances"))
    return false;
  if (!in.text(L.LCNAME(c), "load case name")) return false;
  if (!in.rec({fInt(L.CASCTL(c, 8)), fInt(L.CASCTL(c, 9)), fInt(L.CASCTL(c, 10)), fInt(L.CASCTL(c, 11)),
               fInt(L.CASCTL(c, 12)), fInt(L.CASCTL(c, 13)), fInt(L.CASCTL(c, 14)), fInt(L.LCKIND(c))},
              "load case type line"))
    return false;
  if (!in.check(L.LCKIND(c), 0, 1, "load kind of the case")) return false;
  // The plate solution yields no cap stiffness: an estimation has nothing to
  // measure.
  if (FECOPT.IFECAP > 0 && L.CASCTL(c, 9) > 0)
    return in.refuse("load case " + std::to_string(c) + ": stiffness estimation " +
                     std::to_string(L.CASCTL(c, 9)) + " cannot be made with the plate model of the cap");
  if (!in.rec({fInt(L.CASCTL(c, 18)), fInt(L.CASCTL(c, 19)), fReal(L.CASTOL(c, 5)), fInt(L.CASCTL(c, 20)),
               fReal(L.CASTOL(c, 6)), fReal(L.CASTOL(c, 7)), fInt(L.CASCTL(c, 21)), fInt(L.CASCTL(c, 22)),
               fInt(L.CASCTL(c, 51))},
              "load case print line") ||
      !axialVariation(in, L.CASCTL(c, 21)))
    return false;
  if (!in.rec({fInt(L.CASCTL(c, 23))}, "load case spare integer")) return false;
  if (!intRow(in, L.CASCTL, c, 26, NPRSEL, "load case print selection")) return false;

  std::int32_t& ncon = L.CASCTL(c, 15);
  if (!in.rec({fInt(ncon)}, "number of concentrated loads") ||
      !in.check(ncon, 0, MAXCON, "number of concentrated loads"))
    return false;
  for (int j = 1; j <= ncon; ++j) {
    FreeItem it[9];
    for (int k = 1; k <= 9; ++k) it[k - 1] = fReal(L.LCCONC(c, j, k));
    if (!in.recList(it, 9, "concentrated load")) return false;
  }

  std::int32_t& ndl = L.CASCTL(c, 16);
  if (!in.rec({fInt(ndl)}, "number of distributed-load lines") ||
      !in.check(ndl, 0, MAXDLL, "number of distributed-load lines"))
    return false;
  for (int j = 1; j <= ndl; ++j) {
    std::int32_t unused = 0;
    if (!in.rec({fInt(unused), fInt(L.LCDLAX(c, j)), fInt(L.LCDLPI(c, j, 1)), fInt(L.LCDLPI(c, j, 2)),
                 fInt(L.LCDLPI(c, j, 3)), fInt(L.LCDLSY(c, j)), fReal(L.LCDLFY(c, j)), fInt(L.LCDLSZ(c, j)),
                 fReal(L.LCDLFZ(c, j))},
                "distributed-load line"))
      return false;
  }

  std::int32_t& nest = L.CASCTL(c, 17);
  if (!in.rec({fInt(nest)}, "number of estimation values") ||
      !in.check(nest, 0, MAXEST, "number of estimation values"))
    return false;
  // The equivalent-stiffness estimation needs its load factors and the
  // twelve parameters of its method.
  const bool equivalent = L.CASCTL(c, 9) >= 11;
  if (equivalent && !in.check(nest, 13, MAXEST, "number of estimation values of the stiffness estimation"))
    return false;
  for (int j = 1; j <= nest; ++j) {
    if (!in.rec({fReal(L.LCEST(c, j))}, "estimation value")) return false;
    if (equivalent && !checkEstimationValue(in, c, j)) return false;
  }

  if (L.LCKIND(c) == 1) {
    FreeItem it[6];
    for (int k = 1; k <= 6; ++k) it[k - 1] = fInt(L.LCSPFL(c, k));
    if (!in.recList(it, 6, "specified point flags")) return false;
    for (int half = 0; half < 2; ++half) {
      for (int k = 1; k <= 6; ++k) it[k - 1] = fReal(L.LCSPVL(c, 6 * half + k));
      if (!in.recList(it, 6, "specified point values")) return false;
    }
    if (!in.rec({fReal(L.LCSPVL(c, 13)), fReal(L.LCSPVL(c, 14)), fReal(L.LCSPVL(c, 15))},
                "specified point coordinates"))
      return false;
  }
  return true;
}

bool readCombination(InRead& in, int b) {
  COMBIN_T& C = COMBIN;
  if (!intRow(in, C.CMBCTL, b, 1, 7, "combination controls") || !cycles(in, C.CMBCTL(b, 4), C.CMBCTL(b, 5)) ||
      !iterationLimits(in, C.CMBCTL(b, 6), C.CMBCTL(b, 7)))
    return false;
  if (!in.rec({fReal(C.CMBTOL(b, 1)), fReal(C.CMBTOL(b, 2)), fReal(C.CMBTOL(b, 3)), fReal(C.CMBTOL(b, 4))},
              "combination tolerances"))
    return false;
  if (!in.text(C.CBNAME(b), "combination name")) return false;
  if (!in.rec({fReal(C.CMBTOL(b, 5)), fReal(C.CMBTOL(b, 6)), fInt(C.CMBCTL(b, 40))}, "resistance factors"))
    return false;
  if (!in.rec({fInt(C.CMBCTL(b, 9)), fInt(C.CMBCTL(b, 10)), fInt(C.CMBCTL(b, 11)), fReal(C.CMBTOL(b, 7)),
               fReal(C.CMBTOL(b, 8)), fInt(C.CMBCTL(b, 12)), fInt(C.CMBCTL(b, 13)), fInt(C.CMBCTL(b, 41))},
              "combination print line") ||
      !axialVariation(in, C.CMBCTL(b, 12)))
    return false;
  if (!in.rec({fInt(C.CMBCTL(b, 39))}, "combination spare integer")) return false;
  if (!intRow(in, C.CMBCTL, b, 14, NPRSEL, "combination print selection")) return false;
  // The term count of this line governs; the one of the factor line is replaced.
  std::int32_t& nterm = C.CMBCTL(b, 8);
  if (!in.rec({fInt(nterm)}, "number of terms") || !in.check(nterm, 0, MAXTRM, "number of terms"))
    return false;
  for (int j = 1; j <= nterm; ++j) {
    if (!in.rec({fInt(C.CMBCTL(b, 41 + j)), fReal(C.CMBTOL(b, 8 + j))}, "combination term")) return false;
    if (!in.check(C.CMBCTL(b, 41 + j), 1, CASEIN.NLCASE, "load case of a combination term")) return false;
  }
  return true;
}

}  // namespace

bool readCapGroup(InRead& in) {
  if (!in.heading("heading of the cap data")) return false;
  if (!in.rec({fReal(CAPCTL.CAPLY), fReal(CAPCTL.CAPWZ), fReal(CAPCTL.CAPTX), fReal(CAPCTL.CAPEQD),
               fReal(CAPCTL.CAPUNU), fInt(CAPCTL.IOBSOL)},
              "cap line"))
    return false;
  // The sizes build the embedded cap's soil response and the plate model (a
  // space analysis only); without either they are only shown. An equivalent
  // diameter of 0 or below is none.
  if (CAPCTL.ICAPOP >= 1 || (FECOPT.IFECAP > 0 && RUNCTL.IANTYP == 3))
    for (const auto& [x, name] : {std::pair{CAPCTL.CAPLY, "length"}, std::pair{CAPCTL.CAPWZ, "width"},
                                  std::pair{CAPCTL.CAPTX, "thickness"}})
      if (!in.notNegative(x, std::string("cap line: ") + name)) return false;
  if (CAPCTL.IOBSOL == 1 && !readObsoleteBlock(in)) return false;
  CAPSOL.ICAPSP = 0;
  if (CAPCTL.ICAPOP > 1) {
    if (!in.rec({fInt(CAPSOL.ICAPSP), fInt(CAPSOL.ICAPSM), fInt(CAPSOL.NCAPIN), fReal(CAPSOL.CAPK50),
                 fReal(CAPSOL.CAPFUL), fReal(CAPSOL.CAPYMX)},
                "cap-resistance line"))
      return false;
  }
  if (FECOPT.IFECAP > 0) {
    if (!in.rec({fReal(FECOPT.FEXOFF), fReal(FECOPT.FEYOFF), fInt(FECOPT.NFEX), fInt(FECOPT.NFEY),
                 fReal(FECOPT.FEYOUN), fReal(FECOPT.FEPOIS)},
                "plate line"))
      return false;
    if (!in.check(FECOPT.NFEX, 1, MAXFEITEM, "plate elements along the cap length") ||
        !in.check(FECOPT.NFEY, 1, MAXFEITEM, "plate elements along the cap width"))
      return false;
    // The mesh's node count, the largest count of its deck.
    const long long nx = FECOPT.NFEX, ny = FECOPT.NFEY;
    const long long nodes = (ny + 1) * (2 * nx + 1) + ny * (nx + 1);
    if (nodes > MAXFEITEM)
      return in.refuse("plate mesh of " + std::to_string(nx) + " x " + std::to_string(ny) + " elements: its " +
                       std::to_string(nodes) + " nodes are beyond the limit of " + std::to_string(MAXFEITEM));
  }
  return true;
}

bool readLoadCases(InRead& in) {
  if (!in.heading("heading of the load cases")) return false;
  if (!in.rec({fInt(CASEIN.NLCASE), fInt(ENVOPT.IENVLC), fInt(ENVOPT.IPRLVC), fInt(ENVOPT.NPRNDC),
               fInt(ENVOPT.IENVCU)},
              "load case head line"))
    return false;
  if (!in.check(CASEIN.NLCASE, 0, MAXLC, "number of load cases")) return false;
  if (ENVOPT.IENVLC > 0 && !printSelection(in, 1)) return false;
  for (int c = 1; c <= CASEIN.NLCASE; ++c)
    if (!readCase(in, c)) return false;
  return true;
}

bool readCombinations(InRead& in) {
  if (!in.heading("heading of the load combinations")) return false;
  if (!in.rec({fInt(COMBIN.NCOMB), fInt(ENVOPT.IENVCB), fInt(ENVOPT.IPRLVB), fInt(ENVOPT.NPRNDB),
               fInt(ENVOPT.IENVBU)},
              "combination head line"))
    return false;
  if (!in.check(COMBIN.NCOMB, 0, MAXCMB, "number of load combinations")) return false;
  if (ENVOPT.IENVCB > 0 && !printSelection(in, 2)) return false;
  for (int b = 1; b <= COMBIN.NCOMB; ++b)
    if (!readCombination(in, b)) return false;
  return true;
}

bool readDistLoadSets(InRead& in) {
  DLSETIN_T& D = DLSETIN;
  if (!in.heading("heading of the distributed-load sets")) return false;
  if (!in.rec({fInt(D.NDLSET)}, "number of distributed-load sets") ||
      !in.check(D.NDLSET, 0, MAXDLS, "number of distributed-load sets"))
    return false;
  for (int s = 1; s <= D.NDLSET; ++s) {
    if (!in.rec({fInt(D.NDLPT(s))}, "number of distributed-load points") ||
        !in.check(D.NDLPT(s), 0, MAXDLP, "number of distributed-load points"))
      return false;
    for (int j = 1; j <= D.NDLPT(s); ++j) {
      if (!in.rec({fReal(D.DLDEP(s, j)), fReal(D.DLVAL(s, j))}, "distributed-load point")) return false;
      // The intensity is interpolated between points of increasing depth.
      if (j > 1 && D.DLDEP(s, j) < D.DLDEP(s, j - 1))
        return in.refuse("distributed-load point " + std::to_string(j) + " of set " + std::to_string(s) +
                         ": its depth " + realText(D.DLDEP(s, j)) + " lies above the depth " +
                         realText(D.DLDEP(s, j - 1)) + " of the point before it");
    }
  }
  return true;
}

}  // namespace drelm
