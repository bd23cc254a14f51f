// Record groups 6 to 9: pile groups, pile properties, cross sections and
// soil layers.
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "model/model.h"
#include "model/soilcom.h"
#include "input/readin_groups.h"

namespace drelm {
namespace {

// n values of one kind into columns col0.. of row r of a table.
template <typename Table>
bool intCols(InRead& in, Table& t, int r, int col0, int n, const char* what) {
  FreeItem it[InRead::MAXITEMS];
  for (int k = 0; k < n; ++k) it[k] = fInt(t(r, col0 + k));
  return in.recList(it, n, what);
}
template <typename Table>
bool realCols(InRead& in, Table& t, int r, int col0, int n, const char* what) {
  FreeItem it[InRead::MAXITEMS];
  for (int k = 0; k < n; ++k) it[k] = fReal(t(r, col0 + k));
  return in.recList(it, n, what);
}

// count lines of two reals into positions (s, k, 1..2).
bool positions(InRead& in, FArray3<double, MAXSEC, MAXRPOS, 2>& pos, int s, std::int32_t count,
               const char* what) {
  if (!in.check(count, 0, MAXRPOS, what)) return false;
  for (int k = 1; k <= count; ++k)
    if (!in.rec({fReal(pos(s, k, 1)), fReal(pos(s, k, 2))}, what)) return false;
  return true;
}

// Sizes and stiffnesses that the analysis takes as they are: a negative one
// is refused on the line that gave it; zero stands for none, or for a value
// computed from the diameter. Columns of ELSEC, from `part` on (0 the top,
// 18 the bottom of a section).
struct SectionValue {
  int col;
  const char* name;
};
constexpr SectionValue kDiameter[] = {{1, "diameter"}};
constexpr SectionValue kStiffness[] = {
    {10, "area"}, {11, "moment of inertia Iz"}, {12, "moment of inertia Iy"}, {14, "torsional rigidity GJ"},
    {17, "Young's modulus E"}};

template <std::size_t N>
bool notNegative(InRead& in, int s, int part, const SectionValue (&values)[N], const char* what) {
  for (const SectionValue& v : values) {
    const double x = SECTIN.ELSEC(s, part + v.col);
    if (x < 0.0)
      return in.refuse(std::string(what) + " of cross section " + std::to_string(s) + ": " + v.name + " " +
                       realText(x) + " is negative");
  }
  return true;
}

bool readElastic(InRead& in, int s) {
  SECTIN_T& S = SECTIN;
  if (!realCols(in, S.ELSEC, s, 1, 8, "section dimensions") ||
      !notNegative(in, s, 0, kDiameter, "section dimensions"))
    return false;
  FreeItem it[11];
  for (int k = 0; k < 10; ++k) it[k] = fReal(S.ELSEC(s, 9 + k));
  it[10] = fInt(S.ITAPER(s));
  if (!in.recList(it, 11, "section stiffness line") || !notNegative(in, s, 0, kStiffness, "section stiffness line"))
    return false;
  if (S.ITAPER(s) > 0) {
    if (!realCols(in, S.ELSEC, s, 19, 8, "bottom section dimensions") ||
        !notNegative(in, s, 18, kDiameter, "bottom section dimensions") ||
        !realCols(in, S.ELSEC, s, 27, 10, "bottom section stiffness line") ||
        !notNegative(in, s, 18, kStiffness, "bottom section stiffness line"))
      return false;
  } else {
    for (int k = 1; k <= 18; ++k) S.ELSEC(s, 18 + k) = S.ELSEC(s, k);
  }
  if (!in.rec({fInt(S.MCSETZ(s)), fInt(S.ELAUX(s, 1)), fReal(S.WALLT(s)), fInt(S.MCSETY(s)),
               fInt(S.ELAUX(s, 2))},
              "section set line"))
    return false;
  return in.rec({fText(S.SCTXT2(s))}, "second section text");
}

bool readNonlinear(InRead& in, int s) {
  SECTIN_T& S = SECTIN;
  static constexpr int kTop[8] = {1, 10, 11, 12, 14, 15, 16, 17};
  FreeItem it[InRead::MAXITEMS];
  for (int k = 0; k < 8; ++k) it[k] = fReal(S.ELSEC(s, kTop[k]));
  if (!in.recList(it, 8, "nonlinear section stiffness line") ||
      !notNegative(in, s, 0, kDiameter, "nonlinear section stiffness line") ||
      !notNegative(in, s, 0, kStiffness, "nonlinear section stiffness line"))
    return false;
  for (int k = 1; k <= 18; ++k) S.ELSEC(s, 18 + k) = S.ELSEC(s, k);

  it[0] = fInt(S.NLTYPE(s));
  for (int k = 1; k <= 10; ++k) it[k] = fReal(S.NLMAT(s, k));
  if (!in.recList(it, 11, "nonlinear section shape line")) return false;
  if (!in.check(S.NLTYPE(s), 1, 10, "nonlinear section type")) return false;

  for (int k = 0; k < 6; ++k) it[k] = fReal(S.NLMAT(s, 11 + k));
  for (int k = 0; k < 4; ++k) it[6 + k] = fInt(S.NLOPT(s, 1 + k));
  if (!in.recList(it, 10, "nonlinear section material line")) return false;
  if (!in.rec({fText(S.NLMATN(s))}, "material name")) return false;

  for (int k = 0; k < 5; ++k) it[k] = fInt(S.NLRBI(s, 1 + k));
  for (int k = 0; k < 5; ++k) it[5 + k] = fReal(S.NLRBR(s, 1 + k));
  it[10] = fInt(S.NLRBI(s, 6));
  if (!in.recList(it, 11, "reinforcement line")) return false;

  for (int k = 0; k < 6; ++k) it[k] = fInt(S.NLRPI(s, 1 + k));
  for (int k = 0; k < 4; ++k) it[6 + k] = fReal(S.NLRPR(s, 1 + k));
  if (!in.recList(it, 10, "reinforcement position line")) return false;
  if (!positions(in, S.NLRPOS, s, S.NLRBI(s, 5), "reinforcement positions")) return false;

  for (int k = 0; k < 5; ++k) it[k] = fInt(S.NLSTI(s, 1 + k));
  for (int k = 0; k < 5; ++k) it[5 + k] = fReal(S.NLSTR(s, 1 + k));
  if (!in.recList(it, 10, "strand line")) return false;
  if (!positions(in, S.NLSPOS, s, S.NLSTI(s, 5), "strand positions")) return false;

  if (!in.rec({fInt(S.NLX8I(s, 1)), fInt(S.NLX8I(s, 2)), fInt(S.NLX8I(s, 3)), fReal(S.NLX8R(s, 1)),
               fReal(S.NLX8R(s, 2))},
              "eighth section line") ||
      !in.check(S.NLX8I(s, 1), 0, MAXNLL, "values after the eighth section line"))
    return false;
  for (int k = 1; k <= S.NLX8I(s, 1); ++k)
    if (!in.rec({fReal(S.NLX8L(s, k))}, "value after the eighth section line")) return false;

  for (int k = 0; k < 8; ++k) it[k] = fInt(S.NLX9I(s, 1 + k));
  for (int k = 0; k < 3; ++k) it[8 + k] = fReal(S.NLX9R(s, 1 + k));
  if (!in.recList(it, 11, "ninth section line")) return false;
  // A section of user bending stiffness names its moment-curvature sets,
  // about z and about y, with the first two integers of its ninth line;
  // whether such a set exists is known once the user sets are read.
  S.NLX9LN(s) = in.rd.lastLine();
  if (S.NLTYPE(s) == 10) {
    S.MCSETZ(s) = S.NLX9I(s, 1);
    S.MCSETY(s) = S.NLX9I(s, 2);
  }
  return true;
}

// Springs, spacing, multipliers and axial-load factor of a pile or row:
// a negative one would turn a restraint or a soil resistance into a push.
template <typename Table>
bool springsAndFactors(InRead& in, const Table& r, int p, std::initializer_list<std::pair<int, const char*>> cols,
                       const char* what) {
  const std::string of = std::string(what) + " of " + (RUNCTL.IANTYP == 2 ? "row " : "pile ") + std::to_string(p) + ": ";
  for (const auto& [col, name] : cols)
    if (!in.notNegative(r(p, col), of + name)) return false;
  return true;
}

}  // namespace

bool readPileGroups(InRead& in) {
  if (!in.heading("heading of the pile groups")) return false;
  in.pileGroups = in.group;
  in.pileLine.assign(MAXPIL + 1, 0);
  if (RUNCTL.IANTYP == 2) {
    PGRP2D_T& G = PGRP2D;
    if (!in.rec({fInt(G.NROW)}, "number of pile rows") || !in.check(G.NROW, 0, MAXPIL, "number of pile rows"))
      return false;
    for (int p = 1; p <= G.NROW; ++p) {
      if (!intCols(in, G.IPG2D, p, 1, 7, "pile row integers")) return false;
      in.pileLine[p] = in.rd.lastLine();
      // A row stands for at least one pile: its count multiplies its forces.
      if (G.IPG2D(p, 2) < 1)
        return in.refuse("pile row integers of row " + std::to_string(p) + ": number of piles " +
                         std::to_string(G.IPG2D(p, 2)) + " is below 1");
      if (!realCols(in, G.RPG2D, p, 1, 5, "pile row springs and factors") ||
          !springsAndFactors(in, G.RPG2D, p,
                             {{1, "rotational spring"}, {2, "spacing"}, {3, "p-multiplier"}, {4, "y-multiplier"},
                              {5, "axial-load factor"}},
                             "pile row springs and factors") ||
          !realCols(in, G.RPG2D, p, 6, 4, "pile row coordinates"))
        return false;
    }
  } else if (RUNCTL.IANTYP == 3) {
    PGRP3D_T& G = PGRP3D;
    if (!in.rec({fInt(G.NROW)}, "number of piles") || !in.check(G.NROW, 0, MAXPIL, "number of piles"))
      return false;
    for (int p = 1; p <= G.NROW; ++p) {
      if (!intCols(in, G.IPG3D, p, 1, 10, "pile integers")) return false;
      in.pileLine[p] = in.rd.lastLine();
      if (!realCols(in, G.RPG3D, p, 1, 7, "pile springs and factors") ||
          !springsAndFactors(in, G.RPG3D, p,
                             {{1, "rotational spring about z"}, {2, "rotational spring about y"},
                              {3, "p-multiplier along Y"}, {4, "y-multiplier along Y"}, {5, "p-multiplier along Z"},
                              {6, "y-multiplier along Z"}, {7, "axial-load factor"}},
                             "pile springs and factors") ||
          !realCols(in, G.RPG3D, p, 8, 7, "pile coordinates and angles"))
        return false;
    }
  }
  return true;
}

bool readPileProps(InRead& in) {
  PROPIN_T& P = PROPIN;
  if (!in.heading("heading of the pile properties")) return false;
  if (!in.rec({fInt(P.NPRPIN)}, "number of pile properties") ||
      !in.check(P.NPRPIN, 0, MAXPRP, "number of pile properties"))
    return false;
  for (int t = 1; t <= P.NPRPIN; ++t) {
    if (!in.rec({fInt(P.PRPNUM(t)), fInt(P.NSECT(t))}, "pile property line") ||
        !in.check(P.NSECT(t), 0, MAXSRW, "number of section rows"))
      return false;
    if (!in.rec({fInt(P.NINC(t)), fReal(P.PLEN(t)), fInt(P.PTYPE(t))}, "pile length line") ||
        !in.check(P.NINC(t), 1, 100, "number of increments") ||
        !in.check(P.PTYPE(t), 1, 2, "installation type"))
      return false;
    // The pile runs down from its head: its elements need a length.
    if (!(P.PLEN(t) > 0.0))
      return in.refuse("pile length line of pile property " + std::to_string(t) + ": length " +
                       realText(P.PLEN(t)) + " is not positive");
    for (int j = 1; j <= P.NSECT(t); ++j) {
      if (!in.rec({fReal(P.SXFROM(t, j)), fReal(P.SXTO(t, j)), fInt(P.SECNUM(t, j))}, "section row"))
        return false;
      if (P.SXTO(t, j) < P.SXFROM(t, j))
        return in.refuse("section row " + std::to_string(j) + " of pile property " + std::to_string(t) +
                         ": its bottom " + realText(P.SXTO(t, j)) + " lies above its top " +
                         realText(P.SXFROM(t, j)));
    }
  }
  return true;
}

bool readSections(InRead& in) {
  SECTIN_T& S = SECTIN;
  if (!in.heading("heading of the cross sections")) return false;
  in.sections = in.group;
  if (!in.rec({fInt(S.NSECIN)}, "number of cross sections") ||
      !in.check(S.NSECIN, 0, MAXSEC, "number of cross sections"))
    return false;
  // The rows start cleared with the tables at run start.
  for (int s = 1; s <= S.NSECIN; ++s) {
    // The first value is replaced by the second, read into the same word.
    if (!in.rec({fInt(S.SCNUM(s)), fInt(S.SCNUM(s)), fInt(S.SCKIND(s)), fInt(S.SCNLIN(s))},
                "cross-section line"))
      return false;
    S.SCNLIN(s) = S.SCNLIN(s) != 0 ? 1 : 0;
    if (!in.rec({fText(S.SCNAME(s))}, "section name")) return false;
    if (!(S.SCNLIN(s) == 0 ? readElastic(in, s) : readNonlinear(in, s))) return false;
  }
  return true;
}

namespace {

// The layer values that have no meaning below 0, each where the layer's soil
// type takes it (the others reach no computation), named by its meaning for
// that type; and the friction angle, whose tangent of 45 + phi/2 runs to
// infinity at 90 degrees. A k or E50 of 0 or below is estimated, a side
// friction or tip resistance below 1E-10 is estimated, and the maximum stress
// of an elastic subgrade of 0 or below sets no limit: all are accepted.
bool layerValues(InRead& in, int l, int r, int nprop) {
  const std::int32_t type = SOILIN.SLTYPE(l);
  const SoilInputs uses = soilInputs(type);
  const char* strength = isRockType(type) ? "uniaxial compressive strength" : "cohesion";
  const struct {
    int j;
    bool checked;
    const char* name;
  } values[] = {
      {1, true, "unit weight"},
      {2, uses.c && type != ST_ELASTIC, strength},
      {3, uses.phi, "friction angle"},
      {4, type == ST_ELASTIC, "elastic subgrade modulus"},
      {5, uses.er, "rock modulus Er"},
      {6, type == ST_WEAKROCK, "krm"},
      {7, uses.j, type == ST_WEAKROCK ? "RQD" : "J factor"},
  };
  const std::string of =
      std::string("layer values of soil layer ") + std::to_string(l) + (r == 1 ? ", at its top: " : ", at its bottom: ");
  for (const auto& v : values)
    if (v.checked && v.j <= nprop && !in.notNegative(SOILIN.SLVAL(l, 2 * v.j + r), of + v.name)) return false;
  if (uses.phi && nprop >= 3 && !(SOILIN.SLVAL(l, 6 + r) < 90.0))
    return in.refuse(of + "friction angle " + realText(SOILIN.SLVAL(l, 6 + r)) + " is not below 90 degrees");
  return true;
}

// Each layer starts where the one above it ends: a gap would leave soil
// that still reacts, an overlap would count the soil twice. A difference
// within round-off of the profile's extent counts as none.
bool contiguous(InRead& in, const std::vector<int>& line) {
  const SOILIN_T& L = SOILIN;
  const int n = L.NLAYIN;
  if (n < 2) return true;
  const double tol = 1.0E-6 * std::fabs(L.SLVAL(n, 2) - L.SLVAL(1, 1));
  const char* unit = RUNCTL.IUNITS == 2 ? " m" : " ft";
  for (int l = 2; l <= n; ++l) {
    const double bottom = L.SLVAL(l - 1, 2), top = L.SLVAL(l, 1);
    if (std::fabs(top - bottom) <= tol) continue;
    const std::string m = "soil layers " + std::to_string(l - 1) + " and " + std::to_string(l) + ": layer " +
                          std::to_string(l - 1) + " ends at " + realText(bottom) + unit + " (line " +
                          std::to_string(line[l - 1]) + ") and layer " + std::to_string(l) + " starts at " +
                          realText(top) + unit + " (line " + std::to_string(line[l]) + "), " +
                          (top > bottom ? "leaving a gap of " : "overlapping by ") +
                          realText(std::fabs(top - bottom)) + unit + "; the layers must follow on without gap or overlap";
    return in.refuseAt(line[l], in.group, m);
  }
  return true;
}

}  // namespace

bool readSoilLayers(InRead& in) {
  SOILIN_T& L = SOILIN;
  if (!in.heading("heading of the soil layers")) return false;
  if (!in.rec({fInt(L.NLAYIN)}, "number of soil layers") ||
      !in.check(L.NLAYIN, 0, MAXLAY, "number of soil layers"))
    return false;
  std::vector<int> line(static_cast<std::size_t>(L.NLAYIN) + 1, 0);
  for (int l = 1; l <= L.NLAYIN; ++l) {
    if (!in.rec({fInt(L.SLNUM(l)), fInt(L.SLTYPE(l))}, "soil layer line") ||
        !in.check(L.SLTYPE(l), ST_SOFTCLAY, ST_LAST, "soil type"))
      return false;
    if (!in.rec({fReal(L.SLVAL(l, 1)), fReal(L.SLVAL(l, 2))}, "layer top and bottom")) return false;
    line[l] = in.rd.lastLine();
    if (L.SLVAL(l, 2) < L.SLVAL(l, 1))
      return in.refuse("layer top and bottom of soil layer " + std::to_string(l) + ": its bottom " +
                       realText(L.SLVAL(l, 2)) + " lies above its top " + realText(L.SLVAL(l, 1)));
    std::int32_t rows = 0, nprop = 0;
    if (!in.rec({fInt(rows), fInt(nprop)}, "layer value counts") ||
        !in.check(rows, 0, 2, "value rows of a layer") || !in.check(nprop, 0, 10, "properties of a layer"))
      return false;
    for (int r = 1; r <= rows; ++r) {
      FreeItem it[10];
      for (int j = 1; j <= nprop; ++j) it[j - 1] = fReal(L.SLVAL(l, 2 * j + r));
      if (!in.recList(it, nprop, "layer values") || !layerValues(in, l, r, nprop)) return false;
    }
  }
  return contiguous(in, line);
}

bool checkSectionSets(InRead& in) {
  const SECTIN_T& S = SECTIN;
  const std::int32_t sets = RUNCTL.ICTL09 > 0 ? INPCRV.NMCSIN : 0;
  for (int s = 1; s <= S.NSECIN; ++s) {
    if (S.SCNLIN(s) == 0 || S.NLTYPE(s) != 10) continue;
    for (const bool z : {true, false}) {
      const std::int32_t n = z ? S.MCSETZ(s) : S.MCSETY(s);
      if (n == 0 || (n >= 1 && n <= sets)) continue;
      std::string m = std::string("moment-curvature set for bending about ") + (z ? "z" : "y") +
                      " of cross section " + std::to_string(s) + ": " + std::to_string(n) + " names no set; ";
      m += sets > 0 ? "the user sets are numbered 1 to " + std::to_string(sets)
                    : std::string("no user moment-curvature set is given");
      return in.refuseAt(S.NLX9LN(s), in.sections, m);
    }
  }
  return true;
}

}  // namespace drelm
