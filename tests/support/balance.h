// Balance of the cases of a whole run done in this process: the pile-head
// reactions of the second results report, carried to the cap origin, against
// the load at the origin that the report gives for the same case. The head
// positions, the piles a plane row stands for and the head diameters come
// from the tables the run leaves behind, so call these right after the run.
//
// Scales: forces against the largest force of the load (or its largest
// moment over the group's radius, for a load of moments alone); moments
// against the largest moment of the load or the force scale times the
// group's radius. The group's radius is the largest distance of a pile
// head's edge from the origin (half a head diameter for one pile at the
// origin). A cap that carries load itself (passive resistance, the cap as a
// pile) is outside these checks.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "model/model.h"

namespace drelm::test {

// The out-of-balance of one reported case.
struct CaseBalance {
  std::vector<double> load;     // at the origin, as reported (3 plane, 6 space)
  std::vector<double> carried;  // the pile-head reactions carried to the origin
  double forceScale = 0, momentScale = 0;
  double force = 0;   // largest out-of-balance force over forceScale
  double moment = 0;  // largest out-of-balance moment over momentScale
  std::size_t rows = 0;  // pile (plane: row) lines of the case in the report
};

inline bool planeRun() { return RUNCTL.IANTYP == 2; }

// The radius of the circle about the cap origin that holds every pile head.
inline double groupRadius() {
  double r = 0.0;
  for (int p = 1; p <= RUNCTL.NPILE && p <= MAXPIL; ++p) {
    const int prop = PILEAR.PROPOFPILE(p);
    const double d = prop >= 1 && prop <= MAXPRPS ? SECTAB.SDIAT(prop, 1) : 0.0;
    const double x = planeRun() ? PILEAR.PHXREF(p) : PILEAR.PHX(p);
    const double y = planeRun() ? PILEAR.PHYREF(p) : PILEAR.PHY(p);
    const double z = planeRun() ? 0.0 : PILEAR.PHZ(p);
    r = std::max(r, std::sqrt(x * x + y * y + z * z) + 0.5 * d);
  }
  return r;
}

namespace balance_detail {

inline std::string trimmed(const std::string& s) {
  const std::size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(' ') + 1 - a);
}

inline std::vector<double> numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> v;
  for (double x; in >> x;) v.push_back(x);
  return v;
}

// Reaction FH (global axes) of the pile at the head of entry P, carried to
// the origin and added to C.
inline void carry(int p, const std::vector<double>& f, std::vector<double>& c) {
  if (planeRun()) {
    const double n = PILEAR.GRPNP(p), x = PILEAR.PHXREF(p), y = PILEAR.PHYREF(p);
    c[0] += n * f[0];
    c[1] += n * f[1];
    c[2] += n * (f[2] + x * f[1] - y * f[0]);
    return;
  }
  const double x = PILEAR.PHX(p), y = PILEAR.PHY(p), z = PILEAR.PHZ(p);
  for (int i = 0; i < 3; ++i) c[i] += f[i];
  c[3] += f[3] + y * f[2] - z * f[1];
  c[4] += f[4] + z * f[0] - x * f[2];
  c[5] += f[5] + x * f[1] - y * f[0];
}

inline void judge(CaseBalance& b, double radius, double forceFloor) {
  const std::size_t nf = planeRun() ? 2 : 3, n = b.load.size();
  double F = 0.0, M = 0.0, dF = 0.0, dM = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const double d = std::fabs(b.carried[i] - b.load[i]);
    if (i < nf) {
      F = std::max(F, std::fabs(b.load[i]));
      dF = std::max(dF, d);
    } else {
      M = std::max(M, std::fabs(b.load[i]));
      dM = std::max(dM, d);
    }
  }
  b.forceScale = std::max(forceFloor, radius > 0.0 ? std::max(F, M / radius) : F);
  b.momentScale = std::max(M, b.forceScale * radius);
  b.force = b.forceScale > 0.0 ? dF / b.forceScale : (dF > 0.0 ? INFINITY : 0.0);
  b.moment = b.momentScale > 0.0 ? dM / b.momentScale : (dM > 0.0 ? INFINITY : 0.0);
}

}  // namespace balance_detail

// Every case of the second results report REPORT (its lines): one entry per
// "EQUIVALENT CONCENTRATED LOAD AT ORIGIN" block, with the reactions of the
// "PILE TOP DISP. AND REACT. GLOBAL" lines that follow it. FORCEFLOOR, the
// smallest force scale, judges a case whose load is nil (a soil movement
// alone).
inline std::vector<CaseBalance> caseBalances(const std::vector<std::string>& report, double forceFloor = 0.0) {
  using namespace balance_detail;
  const std::size_t ndof = planeRun() ? 3 : 6;
  const double radius = groupRadius();
  std::vector<CaseBalance> cases;
  // The envelopes ("LOAD CASE ENV : 1", "LOAD COMB. ENV : 2") take each
  // value's extreme over the cases on its own: they need not balance.
  bool envelope = false;
  for (std::size_t i = 0; i + 1 < report.size(); ++i) {
    const std::string title = trimmed(report[i]);
    if (title.rfind("LOAD CASE", 0) == 0 || title.rfind("LOAD COMB", 0) == 0) {
      envelope = title.find(" ENV ") != std::string::npos;
      continue;
    }
    if (envelope) continue;
    if (title == "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *") {
      CaseBalance b;
      b.load = numbers(report[i + 1]);
      b.load.resize(ndof, 0.0);
      b.carried.assign(ndof, 0.0);
      cases.push_back(b);
    } else if (title == "* PILE TOP DISP. AND REACT. GLOBAL" && !cases.empty()) {
      CaseBalance& b = cases.back();
      const std::vector<double> v = numbers(report[i + 1]);
      ++b.rows;
      if (v.size() < 2 * ndof || b.rows > static_cast<std::size_t>(RUNCTL.NPILE)) continue;
      carry(static_cast<int>(b.rows), std::vector<double>(v.begin() + ndof, v.begin() + 2 * ndof), b.carried);
    }
  }
  for (CaseBalance& b : cases) judge(b, radius, forceFloor);
  return cases;
}

// Every reported case balances to TOL (at least one case is reported).
inline ::testing::AssertionResult balanced(const std::vector<std::string>& report, double tol = 1.0E-6,
                                          double forceFloor = 0.0) {
  const std::vector<CaseBalance> cases = caseBalances(report, forceFloor);
  if (cases.empty()) return ::testing::AssertionFailure() << "no case reported";
  for (std::size_t c = 0; c < cases.size(); ++c) {
    const CaseBalance& b = cases[c];
    std::ostringstream why;
    if (b.rows != static_cast<std::size_t>(RUNCTL.NPILE))
      why << b.rows << " pile lines for " << RUNCTL.NPILE << " piles";
    else if (!(b.force <= tol) || !(b.moment <= tol))
      why << "out of balance: force " << b.force << ", moment " << b.moment << " (tolerance " << tol << ")";
    else
      continue;
    why << " in case " << c + 1 << "; load";
    for (double x : b.load) why << ' ' << x;
    why << "; carried";
    for (double x : b.carried) why << ' ' << x;
    return ::testing::AssertionFailure() << why.str();
  }
  return ::testing::AssertionSuccess();
}

}  // namespace drelm::test
