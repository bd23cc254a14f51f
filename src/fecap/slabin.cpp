#include "fecap/slabin.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "fecap/fefmt.h"
#include "fecap/shape.h"
#include "model/fileio.h"
#include "model/model_run.h"

namespace drelm {
namespace {

void out(const std::string& s) {
  io::put(U_FELIST, s);
  io::endRecord(U_FELIST);
}

std::string I(int w, long long v) { return fmtI(w, v); }
std::string F(int w, int d, double x) { return fmtF(w, d, x); }
std::string E(int w, int d, double x) { return fmtE(w, d, x); }

// A record index or item number outside its range ends the plate model.
void inRange(long v, long lo, long hi, const std::string& what, DeckReader& deck) {
  if (v >= lo && v <= hi) return;
  out(" *** DIAGNOSIS: " + what + " " + std::to_string(v) + " OUTSIDE 1 .. " + std::to_string(hi) +
      " IN RECORD " + std::to_string(deck.recordNumber()) + " OF THE DECK");
  CARDECHO(deck, what + " OUTSIDE ITS RANGE IN THE PLATE DECK");
}

void echoControl() {
  const FESOLV_T& S = FESOLV;
  out("");
  out("");
  out(" NPOIN =" + I(4, S.NPOIN) + "    " + " NELEM =" + I(4, S.NELEM) + "    " + " NVFIX =" + I(4, S.NVFIX) +
      "    " + " NCASE =" + I(4, S.NCASE) + "    " + " NTYPE =" + I(4, S.NTYPE) + "    " + " NNODE =" +
      I(4, S.NNODE) + "    " + " NDOFN =" + I(4, S.NDOFN));
  out("");
  out(" NMATS =" + I(4, S.NMATS) + "    " + " NPROP =" + I(4, S.NPROP) + "    " + " NGAUS =" + I(4, S.NGAUS) +
      "    " + " NDIME =" + I(4, S.NDIME) + "    " + " NSTRE =" + I(4, S.NSTRE) + "    " + " NEVAB =" +
      I(4, S.NEVAB));
  out("");
  out(" NNLOD =" + I(4, S.NNLOD) + "    " + " NNSTI =" + I(4, S.NNSTI) + "    " + " NDLOD =" + I(4, S.NDLOD) +
      "    " + " NDSTI =" + I(4, S.NDSTI) + "    " + " NCLOD =" + I(4, S.NCLOD) + "    " + " NCSTI =" +
      I(4, S.NCSTI) + " NCTSTI =" + I(4, S.NCTSTI));
  out("");
  out("    DT =" + F(10, 4, S.DT) + "    " + "  TINI =" + F(10, 4, S.TINI) + "    " + " TEND  =" +
      F(10, 4, S.TEND) + "    " + " DTMIN =" + F(10, 4, S.DTMIN) + "    " + " MAXITER =" + I(5, S.MAXITER));
}

void headings(const std::string& a, const std::string& b) {
  out("");
  out("");
  out(a);
  out(b);
}

std::string values6(const std::vector<double>& v, std::size_t from) {
  std::string s;
  for (std::size_t i = from; i < from + 6; ++i) s += E(13, 5, v[i]);
  return s;
}

// Node-located items (loads or springs): node, six values.
void readNodal(int count, PArr<std::int32_t>& NOD, PArr<double>& VAL, const char* title, PlateArrays& A,
               DeckReader& deck) {
  if (count <= 0) return;
  headings(title, std::string("    NODE,") + "      " + "     VALUES");
  for (int j = 1; j <= count; ++j) {
    const std::vector<double> v = deck.read("irrrrrr", title + 1);
    const int n = static_cast<int>(v[0]);
    inRange(n, 1, FESOLV.NPOIN, "NODE", deck);
    NOD(j) = n;
    for (int d = 1; d <= 6; ++d) VAL(d, j) = v[d];
    out(std::string(" ") += I(7, A.NODLAB(n)) + "  " + values6(v, 1));
  }
}

void readElemental(int count, PArr<std::int32_t>& ELM, PArr<double>& VAL, const char* title, PlateArrays& A,
                   DeckReader& deck) {
  if (count <= 0) return;
  headings(title, std::string("  ELEMENT") + "      " + "     VALUES");
  for (int j = 1; j <= count; ++j) {
    const std::vector<double> v = deck.read("irrrrrr", title + 1);
    const int e = static_cast<int>(v[0]);
    inRange(e, 1, FESOLV.NELEM, "ELEMENT", deck);
    ELM(j) = e;
    for (int d = 1; d <= 6; ++d) VAL(d, j) = v[d];
    out(std::string(" ") += I(7, A.ELLAB(e)) + "  " + values6(v, 1));
  }
}

void readPoints(int count, PArr<double>& PNT, PArr<double>& VAL, const char* title, DeckReader& deck) {
  if (count <= 0) return;
  headings(title, std::string("     X        Y ") + "      " + "     VALUES");
  for (int j = 1; j <= count; ++j) {
    const std::vector<double> v = deck.read("rrrrrrrr", title + 1);
    PNT(1, j) = v[0];
    PNT(2, j) = v[1];
    for (int d = 1; d <= 6; ++d) VAL(d, j) = v[d + 1];
    out(std::string(" ") += F(10, 4, v[0]) + F(10, 4, v[1]) + "  " + values6(v, 2));
  }
}

void readEdges(int count, PArr<std::int32_t>& INT, PArr<double>& VAL, const char* title, DeckReader& deck) {
  if (count <= 0) return;
  headings(title, std::string("   ELEM    SIDE    DOF  ") + "      " + "     VALUES");
  for (int j = 1; j <= count; ++j) {
    const std::vector<double> v = deck.read("iiirrr", title + 1);
    inRange(static_cast<long>(v[0]), 1, FESOLV.NELEM, "ELEMENT", deck);
    inRange(static_cast<long>(v[1]), 1, 4, "SIDE", deck);
    inRange(static_cast<long>(v[2]), 1, 6, "DEGREE OF FREEDOM", deck);
    std::string s;
    for (int i = 1; i <= 3; ++i) {
      INT(i, j) = static_cast<std::int32_t>(v[i - 1]);
      VAL(i, j) = v[i + 2];
      s += I(8, INT(i, j));
    }
    s += "  ";
    for (int i = 1; i <= 3; ++i) s += E(13, 5, VAL(i, j));
    out(s);
  }
}

// Every point item must lie in an element: a load or support outside the
// mesh would be lost.
void requirePlaced(int count, PArr<double>& PNT, PArr<std::int32_t>& ELM, const char* what, DeckReader& deck) {
  for (int j = 1; j <= count; ++j) {
    if (ELM(j) != 0) continue;
    out("");
    out(" *** DIAGNOSIS: " + std::string(what) + I(5, j) + " AT" + F(10, 4, PNT(1, j)) + F(10, 4, PNT(2, j)) +
        " LIES IN NO ELEMENT");
    CARDECHO(deck, std::string(what) + " " + std::to_string(j) + " LIES OUTSIDE THE PLATE MESH");
  }
}

}  // namespace

void CARDECHO(DeckReader& deck, const std::string& why) {
  out("");
  out("");
  out(" NOW FOLLOWING A LISTING OF POST-DISASTER DATA CARDS");
  out("");
  std::string text;
  while (deck.record(text)) out("     " + text.substr(0, 80));
  throw PlateHalt{why};
}

void CHECK1(DeckReader& deck) {
  FESOLV_T& S = FESOLV;
  const bool fails[12] = {
      S.NPOIN <= 0,
      static_cast<long long>(S.NPOIN) > static_cast<long long>(S.NELEM) * S.NNODE,
      S.NVFIX < 0 || S.NVFIX > S.NPOIN,
      S.NCASE <= 0,
      S.NTYPE < 0 || S.NTYPE > 2,
      // Shape functions exist for 4, 8 and 9 nodes only.
      S.NNODE != 4 && S.NNODE != 8 && S.NNODE != 9,
      S.NDOFN < 2 || S.NDOFN > 6,
      S.NMATS <= 0 || S.NMATS > S.NELEM,
      S.NPROP < 3 || S.NPROP > 5,
      S.NGAUS < 1 || S.NGAUS > 3,
      S.NDIME < 1 || S.NDIME > 3,
      S.NSTRE < 2 || S.NSTRE > 8,
  };
  bool any = false;
  for (int i = 1; i <= 12; ++i) {
    S.CHKERR(i) = fails[i - 1] ? 1 : 0;
    any = any || fails[i - 1];
  }
  for (int i = 1; i <= 12; ++i) {
    if (!S.CHKERR(i)) continue;
    const std::string msg = " *** DIAGNOSIS BY CHECK1, ERROR" + I(3, i);
    for (int u : {static_cast<int>(U_FECONV), static_cast<int>(U_FELIST), static_cast<int>(U_LOG)}) {
      io::endRecord(u);
      io::endRecord(u);
      io::put(u, msg);
      io::endRecord(u);
    }
  }
  if (any) CARDECHO(deck, "PLATE DECK FAILS THE CHECK OF ITS CONTROL DATA");
}

// Pairs of equal values in V (sorted here): k equal values make k (k - 1) / 2.
template <typename T>
long equalPairs(std::vector<T>& v) {
  std::sort(v.begin(), v.end());
  long pairs = 0;
  for (std::size_t i = 0, j = 0; i < v.size(); i = j) {
    for (j = i + 1; j < v.size() && !(v[i] < v[j]); ++j) {}
    pairs += static_cast<long>((j - i) * (j - i - 1) / 2);
  }
  return pairs;
}

void CHECK2(PlateArrays& A, DeckReader& deck) {
  FESOLV_T& S = FESOLV;
  const int np = S.NPOIN, ne = S.NELEM, nn = S.NNODE, nd = S.NDOFN;
  for (int i = 13; i <= 24; ++i) S.CHKERR(i) = 0;
  // Sorted, so that a large mesh is checked in n log n.
  std::vector<std::pair<double, double>> xy;
  for (int i = 1; i <= np; ++i) xy.emplace_back(A.NODXY(1, i), S.NDIME >= 2 ? A.NODXY(2, i) : 0.0);
  S.CHKERR(13) = static_cast<std::int32_t>(std::min(equalPairs(xy), 2147483647L));
  std::vector<int> first(static_cast<std::size_t>(np) + 1, 0), last(static_cast<std::size_t>(np) + 1, 0);
  for (int e = 1; e <= ne; ++e) {
    if (A.ELMAT(e) < 1 || A.ELMAT(e) > S.NMATS) ++S.CHKERR(14);
    for (int k = 1; k <= nn; ++k) {
      const int n = A.ELNOD(k, e);
      if (n == 0) ++S.CHKERR(15);
      if (n < 0 || n > np) ++S.CHKERR(16);
      if (n < 1 || n > np) continue;
      if (first[n] == 0) first[n] = e;
      last[n] = e;
      // Every occurrence after the first in the same element.
      for (int j = 1; j < k; ++j)
        if (A.ELNOD(j, e) == n) {
          ++S.CHKERR(17);
          break;
        }
    }
  }
  std::vector<int> fixedTimes(static_cast<std::size_t>(np) + 1, 0);
  for (int i = 1; i <= S.NVFIX; ++i)
    if (A.FIXNOD(i) >= 1 && A.FIXNOD(i) <= np) ++fixedTimes[A.FIXNOD(i)];
  std::vector<long> inc(static_cast<std::size_t>(ne) + 2, 0);
  for (int n = 1; n <= np; ++n) {
    if (first[n] == 0) {
      out("");
      out(" CHECK WHY NODE" + I(4, n) + " NEVER APPEARS");
      ++S.CHKERR(18);
      if (std::fabs(A.NODXY(1, n)) + std::fabs(A.NODXY(S.NDIME >= 2 ? 2 : 1, n)) > 1.0E-30) ++S.CHKERR(19);
      S.CHKERR(20) += fixedTimes[n];
      continue;
    }
    inc[first[n]] += nd;
    if (last[n] < ne) inc[last[n] + 1] -= nd;
  }
  long width = 0, largest = 0;
  for (int e = 1; e <= ne; ++e) {
    width += inc[e];
    largest = std::max(largest, width);
  }
  out("");
  out("");
  out(" MAXIMUM FRONTWIDTH ENCOUNTERED =" + I(5, largest));
  S.MAXFRT = 60;
  if (largest > 60) S.MAXFRT = static_cast<std::int32_t>(largest + 1);
  for (int i = 1; i <= S.NVFIX; ++i) {
    const int n = A.FIXNOD(i);
    if (n < 1 || n > np) ++S.CHKERR(22);
    bool anyCode = false;
    for (int d = 1; d <= nd; ++d) anyCode = anyCode || A.FIXCOD(d, i) > 0;
    if (!anyCode) ++S.CHKERR(23);
  }
  std::vector<std::int32_t> fixes(A.FIXNOD.v.begin(), A.FIXNOD.v.begin() + std::max(S.NVFIX, 0));
  S.CHKERR(24) = static_cast<std::int32_t>(std::min(equalPairs(fixes), 2147483647L));
  bool any = false;
  for (int i = 13; i <= 24; ++i) {
    if (S.CHKERR(i) == 0) continue;
    any = true;
    out("");
    out("");
    out(" *** DIAGNOSIS BY CHECK2, ERROR" + I(3, i) + "      " + " ASSOCIATED NUMBER" + I(5, S.CHKERR(i)));
  }
  if (any) CARDECHO(deck, "PLATE DECK FAILS THE CHECK OF ITS MESH");
}

void LOCPT(std::int32_t count, PArr<double>& PNT, PArr<std::int32_t>& ELM, PlateArrays& A) {
  FESOLV_T& S = FESOLV;
  const int nn = S.NNODE;
  // A point on a side or at a node of two elements belongs to the first.
  constexpr double EDGE = 1.0E-9;
  int found = 0;
  for (int j = 1; j <= count; ++j) ELM(j) = 0;
  for (int e = 1; e <= S.NELEM && found < count; ++e) {
    for (int k = 1; k <= nn; ++k) {
      const int n = A.ELNOD(k, e);
      S.ELXY(1, k) = A.NODXY(1, n);
      S.ELXY(2, k) = A.NODXY(2, n);
    }
    for (int j = 1; j <= count; ++j) {
      if (ELM(j) != 0) continue;
      const double X = PNT(1, j), Y = PNT(2, j);
      double s = 0, t = 0;
      for (S.ITER = 0; S.ITER < 50;) {
        SHAPEF(s, t, nn);
        double x = 0, y = 0, xs = 0, xt = 0, ys = 0, yt = 0;
        for (int k = 1; k <= nn; ++k) {
          x += S.SHPVAL(k) * S.ELXY(1, k);
          y += S.SHPVAL(k) * S.ELXY(2, k);
          xs += S.SHPDER(1, k) * S.ELXY(1, k);
          xt += S.SHPDER(2, k) * S.ELXY(1, k);
          ys += S.SHPDER(1, k) * S.ELXY(2, k);
          yt += S.SHPDER(2, k) * S.ELXY(2, k);
        }
        // Newton step with the whole Jacobian: the sides of an element need
        // not run along the plate axes.
        const double det = xs * yt - xt * ys;
        if (det == 0.0 || !std::isfinite(det)) break;
        const double ds = ((X - x) * yt - xt * (Y - y)) / det;
        const double dt = (xs * (Y - y) - ys * (X - x)) / det;
        const double s0 = s, t0 = t;
        s += ds;
        t += dt;
        ++S.ITER;
        if (S.ITER < 2) continue;
        const double rs = s0 != 0.0 ? ds / s0 : ds, rt = t0 != 0.0 ? dt / t0 : dt;
        if (std::fabs(rs) < 1.0E-10 && std::fabs(rt) < 1.0E-10) {
          if (std::fabs(s) <= 1.0 + EDGE && std::fabs(t) <= 1.0 + EDGE) {
            ELM(j) = e;
            PNT(1, j) = std::max(-1.0, std::min(1.0, s));
            PNT(2, j) = std::max(-1.0, std::min(1.0, t));
            ++found;
          }
          break;
        }
      }
    }
  }
}

void SLABHEAD(DeckReader& deck) {
  echoControl();
  CHECK1(deck);
}

void SLABIN(PlateArrays& A, DeckReader& deck) {
  FESOLV_T& S = FESOLV;
  const int nn = S.NNODE;

  out("");
  out("");
  out(" ELEMENT   PROPERTY      NODE NUMBERS");
  std::string kinds = "iii" + std::string(static_cast<std::size_t>(nn), 'i');
  for (int j = 1; j <= S.NELEM; ++j) {
    const std::vector<double> v = deck.read(kinds, "ELEMENTS");
    const int e = static_cast<int>(v[0]);
    inRange(e, 1, S.NELEM, "ELEMENT", deck);
    A.ELLAB(e) = static_cast<std::int32_t>(v[1]);
    A.ELMAT(e) = static_cast<std::int32_t>(v[2]);
    std::string s = I(8, A.ELLAB(e)) + I(8, A.ELMAT(e));
    for (int k = 1; k <= nn; ++k) {
      A.ELNOD(k, e) = static_cast<std::int32_t>(v[2 + k]);
      s += I(8, A.ELNOD(k, e));
    }
    out(s);
  }

  out("");
  out("");
  out("   NODAL POINT COORDINATES");
  out("     NODE" + std::string(10, ' ') + "X" + std::string(12, ' ') + "Y");
  A.NODXY.zero();
  for (;;) {
    const std::vector<double> v = deck.read("iirr", "NODES");
    const int n = static_cast<int>(v[0]);
    inRange(n, 1, S.NPOIN, "NODE", deck);
    A.NODLAB(n) = static_cast<std::int32_t>(v[1]);
    A.NODXY(1, n) = v[2];
    A.NODXY(2, n) = v[3];
    if (n == S.NPOIN) break;
  }
  for (int n = 1; n <= S.NPOIN; ++n)
    out(std::string(" ") += I(8, A.NODLAB(n)) + F(13, 4, A.NODXY(1, n)) + F(13, 4, A.NODXY(2, n)));

  out("");
  out("");
  out(" RESTRAINED NODES");
  out("    NODF" + std::string(1, ' ') + " CODF " + std::string(6, ' ') + "FIXED VALUES");
  for (int i = 1; i <= S.NVFIX; ++i) {
    const std::vector<double> v = deck.read("iiiiiiirrrrrr", "RESTRAINED NODES");
    const int n = static_cast<int>(v[0]);
    A.FIXNOD(i) = n;
    std::string codes;
    for (int d = 1; d <= 6; ++d) {
      A.FIXCOD(d, i) = static_cast<std::int32_t>(v[d]);
      A.FIXVAL(d, i) = v[6 + d];
      codes += I(1, A.FIXCOD(d, i));
    }
    // The label of a node outside the mesh does not exist: the check reports it.
    const long label = n >= 1 && n <= S.NPOIN ? A.NODLAB(n) : n;
    out(std::string(" ") += I(7, label) + "  " + codes + values6(v, 7));
  }

  out("");
  out("");
  out("  MATERIAL PROPERTIES");
  out("  NUMBER" + std::string(7, ' ') + "YOUNG MODULUS POISSON RATIO" + "   THICKNESS   ");
  for (int i = 1; i <= S.NMATS; ++i) {
    const std::vector<double> v = deck.read(std::string("i") += std::string(static_cast<std::size_t>(S.NPROP), 'r'), "MATERIALS");
    const int m = static_cast<int>(v[0]);
    inRange(m, 1, S.NMATS, "MATERIAL SET", deck);
    std::string s = std::string(" ") += I(5, m) + std::string(7, ' ');
    for (int p = 1; p <= S.NPROP; ++p) {
      A.MATPRP(p, m) = v[p];
      s += E(14, 6, v[p]);
    }
    out(s);
  }

  readNodal(S.NNLOD, A.NLNOD, A.NLVAL, " NODAL LOADS", A, deck);
  readNodal(S.NNSTI, A.NSNOD, A.NSVAL, " NODAL STIFFNESSES", A, deck);
  readElemental(S.NDLOD, A.DLELM, A.DLDVAL, " DISTRIBUTED LOADS", A, deck);
  readElemental(S.NDSTI, A.DSELM, A.DSVAL, " DISTRIBUTED STIFFNESSES", A, deck);
  readPoints(S.NCLOD, A.CLPNT, A.CLVAL, " CONCENTRATED LOADS", deck);
  readPoints(S.NCSTI, A.CSPNT, A.CSVAL, " CONCENTRATED STIFFNESSES", deck);
  readEdges(S.NELOD, A.EDLINT, A.EDLVAL, " EDGE LOADS", deck);
  readEdges(S.NESTI, A.EDSINT, A.EDSVAL, " EDGE STIFFNESS", deck);
  if (S.NCTSTI > 0) {
    headings(" CONCENTRATED TOTAL STIFFNESSES", "       X          Y ");
    for (int j = 1; j <= S.NCTSTI; ++j) {
      const std::vector<double> v = deck.read("rr", "TOTAL STIFFNESSES");
      A.PHPNT(1, j) = v[0];
      A.PHPNT(2, j) = v[1];
      out(std::string(" ") += F(10, 4, v[0]) + F(10, 4, v[1]));
    }
  }

  GAUSPT();
  CHECK2(A, deck);
  // A material the element cannot carry: no stiffness, or a division by the thickness.
  for (int m = 1; m <= S.NMATS; ++m) {
    const double E0 = A.MATPRP(1, m), v = A.MATPRP(2, m), h = A.MATPRP(3, m);
    if (E0 > 0.0 && h > 0.0 && v > -1.0 && v < 0.5) continue;
    out("");
    out(" *** DIAGNOSIS: MATERIAL SET" + I(5, m) +
        " NEEDS A POSITIVE MODULUS AND THICKNESS AND A POISSON RATIO BELOW 0.5");
    CARDECHO(deck, "PLATE MATERIAL SET " + std::to_string(m) + " IS NOT VALID");
  }
  // Points are located on the checked mesh.
  LOCPT(S.NCLOD, A.CLPNT, A.CLELM, A);
  LOCPT(S.NCSTI, A.CSPNT, A.CSELM, A);
  LOCPT(S.NCTSTI, A.PHPNT, A.PHELM, A);
  requirePlaced(S.NCLOD, A.CLPNT, A.CLELM, "CONCENTRATED LOAD", deck);
  requirePlaced(S.NCSTI, A.CSPNT, A.CSELM, "CONCENTRATED STIFFNESS", deck);
  if (S.ICOUPL > 0) requirePlaced(S.NCTSTI, A.PHPNT, A.PHELM, "PILE HEAD", deck);
}

}  // namespace drelm
