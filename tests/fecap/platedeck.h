// Plate decks for the tests: a regular mesh of 8-node elements over a
// rectangle, with restraints, loads, springs and pile heads, written in the
// numeric deck layout; the plate solution run on it; its listing read back.
#pragma once

#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "fecap/fedata.h"
#include "fecap/slabsol.h"
#include "support/testdir.h"

namespace drelm::test {

struct PlateDeck {
  // Mesh: nx x ny elements over [x0, x0 + lx] x [y0, y0 + ly]; rows of nodes
  // along x, the numbering of the deck writer (full row, middle row, ...).
  int nx = 1, ny = 1, ngaus = 2;
  double x0 = 0, y0 = 0, lx = 1, ly = 1;
  double E = 1.0E6, nu = 0.3, t = 0.1;
  double dt = 1.0, tini = 0.0, tend = 1.0, dtmin = 0.1;
  int maxiter = 10, icoupl = 0;
  struct Fix {
    int node;
    std::array<int, 6> code;
    std::array<double, 6> val;
  };
  std::vector<Fix> fixes;
  std::vector<std::pair<int, std::array<double, 6>>> nodalLoads, nodalSprings, distLoads;
  std::vector<std::pair<std::array<double, 2>, std::array<double, 6>>> pointLoads;
  struct Edge {
    int elem, side, dof;
    std::array<double, 3> q;
  };
  std::vector<Edge> edgeLoads, edgeSprings;
  std::vector<std::pair<int, std::array<double, 6>>> distSprings;
  std::vector<std::pair<std::array<double, 2>, std::array<double, 6>>> pointSprings;
  std::vector<std::array<double, 2>> heads;
  // Coordinates moved from the regular mesh, by node.
  std::map<int, std::array<double, 2>> moved;

  int npoin() const { return (ny + 1) * (2 * nx + 1) + ny * (nx + 1); }
  int nelem() const { return nx * ny; }

  std::array<double, 2> xy(int n) const {
    auto it = moved.find(n);
    if (it != moved.end()) return it->second;
    const double hx = lx / nx, hy = ly / ny;
    int k = n - 1;
    for (int r = 0;; ++r) {
      if (k < 2 * nx + 1) return {x0 + k * hx / 2, y0 + r * hy};
      k -= 2 * nx + 1;
      if (k < nx + 1) return {x0 + k * hx, y0 + (r + 0.5) * hy};
      k -= nx + 1;
    }
  }
  std::array<int, 8> elnod(int i, int j) const {
    const int B = 1 + (j - 1) * (3 * nx + 2);
    const int K1 = B + 2 * (i - 1), K8 = B + (2 * nx + 1) + (i - 1), K4 = B + (3 * nx + 2) + 2 * (i - 1);
    return {K1, K1 + 2, K4 + 2, K4, K1 + 1, K8 + 1, K4 + 1, K8};
  }
  // Nodes on the boundary of the rectangle.
  std::vector<int> boundary() const {
    std::vector<int> b;
    for (int n = 1; n <= npoin(); ++n) {
      const auto p = xy(n);
      const double e = 1e-9 * (lx + ly);
      if (std::fabs(p[0] - x0) < e || std::fabs(p[0] - x0 - lx) < e || std::fabs(p[1] - y0) < e ||
          std::fabs(p[1] - y0 - ly) < e)
        b.push_back(n);
    }
    return b;
  }
  int nodeAt(double x, double y) const {
    for (int n = 1; n <= npoin(); ++n) {
      const auto p = xy(n);
      if (std::fabs(p[0] - x) < 1e-9 && std::fabs(p[1] - y) < 1e-9) return n;
    }
    return 0;
  }

  std::string text() const {
    std::ostringstream o;
    o.precision(17);
    o << " plate deck of a test\n";
    o << npoin() << " " << nelem() << " 1 8 " << ngaus << " " << fixes.size() << " " << nodalLoads.size() << " "
      << nodalSprings.size() << " " << distLoads.size() << " " << distSprings.size() << " " << pointLoads.size()
      << " " << pointSprings.size() << " " << edgeLoads.size() << " " << edgeSprings.size() << " " << heads.size() << " " << icoupl << "\n";
    o << dt << " " << tini << " " << tend << " " << dtmin << " " << maxiter << " 1e-6\n";
    for (int j = 1; j <= ny; ++j)
      for (int i = 1; i <= nx; ++i) {
        const int e = (j - 1) * nx + i;
        o << e << " " << e << " 1";
        for (int k : elnod(i, j)) o << " " << k;
        o << "\n";
      }
    for (int n = 1; n <= npoin(); ++n) o << n << " " << n << " " << xy(n)[0] << " " << xy(n)[1] << "\n";
    for (const Fix& f : fixes) {
      o << f.node;
      for (int c : f.code) o << " " << c;
      for (double v : f.val) o << " " << v;
      o << "\n";
    }
    o << "1 " << E << " " << nu << " " << t << "\n";
    const auto six = [&](const std::array<double, 6>& v) {
      for (double x : v) o << " " << x;
      o << "\n";
    };
    for (const auto& l : nodalLoads) o << l.first, six(l.second);
    for (const auto& l : nodalSprings) o << l.first, six(l.second);
    for (const auto& l : distLoads) o << l.first, six(l.second);
    for (const auto& l : distSprings) o << l.first, six(l.second);
    for (const auto& l : pointLoads) o << l.first[0] << " " << l.first[1], six(l.second);
    for (const auto& l : pointSprings) o << l.first[0] << " " << l.first[1], six(l.second);
    for (const auto* list : {&edgeLoads, &edgeSprings})
      for (const Edge& g : *list)
        o << g.elem << " " << g.side << " " << g.dof << " " << g.q[0] << " " << g.q[1] << " " << g.q[2] << "\n";
    for (const auto& h : heads) o << h[0] << " " << h[1] << "\n";
    return o.str();
  }
};

// Writes the deck and the file list into the current directory.
inline void writePlateFiles(const std::string& deck) {
  writeFile("t.fedeck", deck);
  writeFile(GSLAB_NAME, "t.fekey\nt.fedeck\nt.felist\nt.fepost\nt.feconv\n");
}

// Six values per node of the last table headed by TITLE in the listing.
inline std::vector<std::array<double, 6>> lastTable(const std::string& title, int npoin) {
  const std::vector<std::string> L = readLines("t.felist");
  int at = -1;
  for (int i = 0; i < static_cast<int>(L.size()); ++i)
    if (L[i] == "      " + title) at = i;
  std::vector<std::array<double, 6>> v(npoin + 1);
  if (at < 0) return {};
  for (int n = 1; n <= npoin; ++n) {
    std::istringstream s(L[at + 2 + n]);
    int k;
    s >> k;
    for (double& x : v[n]) s >> x;
  }
  return v;
}

}  // namespace drelm::test
