#include "cap/passfile.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "results/anlio.h"
#include "pile/pilestore.h"
#include "report/writers.h"
#include "model/model.h"
#include "model/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(PASRES_T, PASRES);

namespace {

// Nodes of pile p: NINC + 1 of its property, within the node slots.
int nodesOf(int p) {
  const std::int32_t t = PILEAR.PROPOFPILE(p);
  if (t < 1 || t > MAXPRPS) return 0;
  return std::clamp<int>(PILEPROP.NINC(t) + 1, 0, MAXNOD);
}

// A real as a report field writes it: plain, with an exponent letter, or
// with the letter dropped before a three-digit exponent (1.5-100).
double realOf(std::string t) {
  for (std::size_t i = 1; i < t.size(); ++i) {
    const char c = t[i];
    if ((c == '+' || c == '-') && std::isdigit(static_cast<unsigned char>(t[i - 1]))) {
      t.insert(i, 1, 'E');
      break;
    }
  }
  return std::strtod(t.c_str(), nullptr);
}

// The numbers of one record.
std::vector<double> numbersOf(const std::string& line) {
  std::vector<double> v;
  std::istringstream in(line);
  std::string t;
  while (in >> t) v.push_back(realOf(t));
  return v;
}

double at(const std::vector<double>& v, std::size_t i) { return i < v.size() ? v[i] : 0.0; }

}  // namespace

// The blocks of the piles (rows); only a space pile has the torsional and
// the second lateral stiffness.
void passBlocks(bool space) {
  constexpr int U = U_PASS;
  const int np = std::clamp<int>(RUNCTL.NPILE, 0, MAXPIL);
  for (int p = 1; p <= np; ++p) {
    anl::out(U, "* PILE GROUP *" + intField(6, p));
    anl::out(U, anl::blanks(7) + "* PILE TOP EQUIVALENT STIFFNESSES");
    WRREAL(U, 17, 8, EQSTIF.EQPAX(p));
    WRREAL(U, 17, 8, EQSTIF.EQKAX(p));
    if (space) WRREAL(U, 17, 8, EQSTIF.EQKTR(p));
    WREOL(U);
    anl::out(U, anl::blanks(7) + "* EQUIVALENT STIFFNESSES ALONG PILE");
    WRBLNK(U, 6);
    WRREAL(U, 16, 8, EQSTIF.EQDX(p));
    WREOL(U);
    const int nn = nodesOf(p);
    for (int n = 1; n <= nn; ++n) {
      WRBLNK(U, 6);
      WRREAL(U, 16, 8, EQSTIF.EQXN(p, n));
      WRREAL(U, 17, 8, EQSTIF.EQKN1(p, n));
      if (space) WRREAL(U, 17, 8, EQSTIF.EQKN2(p, n));
      WREOL(U);
    }
  }
}

void EQSTIFWR() { passBlocks(true); }
void EQKWR2D() { passBlocks(false); }

bool PASSRD() {
  constexpr int U = U_PASS;
  const bool space = RUNCTL.IANTYP != 2;
  const int np = std::clamp<int>(RUNCTL.NPILE, 0, MAXPIL);
  for (int p = 1; p <= np; ++p) {
    PASRES.PASPAX(p) = PASRES.PASKAX(p) = PASRES.PASKTR(p) = 0.0;
    for (int n = 1; n <= MAXNOD; ++n) PASRES.PASNOD(p, n) = 0.0;
  }
  io::CLOSE(U);
  if (!io::openChecked(U, FNAMES.FNU(U_PASS).trimmed(), io::Access::ReadBack)) return false;
  std::string line;
  bool whole = true;
  const auto next = [&]() {
    if (!whole) return false;
    whole = io::readLine(U, line);
    if (!whole) line.clear();
    return whole;
  };
  const int ndof = space ? 6 : 3;
  for (int k = 0; k < 2 + ndof; ++k) next();
  for (int p = 1; p <= np && whole; ++p) {
    const int nn = nodesOf(p);
    next();
    next();
    next();
    const std::vector<double> top = numbersOf(line);
    PASRES.PASPAX(p) = at(top, 0);
    PASRES.PASKAX(p) = at(top, 1);
    if (space) PASRES.PASKTR(p) = at(top, 2);
    next();
    next();
    const double e = at(numbersOf(line), 0);
    for (int n = 1; n <= nn; ++n) {
      next();
      const std::vector<double> v = numbersOf(line);
      PASRES.PASNOD(p, n) = space ? std::max(at(v, 1), at(v, 2)) : at(v, 1);
    }
    // Node springs: the end nodes carry half an increment.
    for (int n = 1; n <= nn; ++n) PASRES.PASNOD(p, n) *= (n == 1 || n == nn) ? 0.5 * e : e;
  }
  io::CLOSE(U);
  return whole;
}

}  // namespace drelm
