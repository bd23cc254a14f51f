// Each pile's factor is the product of the factors of its pairs with every
// other pile (side by side, in line leading or trailing, or skewed); a row
// takes the mean over its piles.
#include "soil/grprf.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/model.h"

namespace drelm {
namespace {

constexpr double sp(float x) { return static_cast<double>(x); }

struct Pile {
  double along, across;
  int row;
};

int pilesOfRow(int p) {
  const double n = PILEAR.GRPNP(p);
  return n >= 1.0 ? static_cast<int>(std::min(n, 2.0e9)) : 0;
}

// The piles of every row: the head coordinate along Y, and across it the
// out-of-plane offsets of a plane row (0, +s, -s, +2s, ... for an odd count,
// +s/2, -s/2, +3s/2, ... for an even one) or the head Z in space.
std::vector<Pile> pileList(bool alongY) {
  std::vector<Pile> list;
  list.reserve(static_cast<std::size_t>(GRPCOUNT()));
  const bool space = RUNCTL.IANTYP == 3;
  for (int p = 1; p <= RUNCTL.NPILE; ++p) {
    const int n = pilesOfRow(p);
    if (n >= 1) PILEAR.PHYREF(p) = PILEAR.PHY(p);
    const double s = GRPFAC.GRPSPC(p);
    for (int k = 1; k <= n; ++k) {
      double off;
      if (space) {
        off = PILEAR.PHZ(p);
      } else if (n % 2 == 1) {
        const int m = k / 2;  // 0, 1, 1, 2, 2, ...
        off = (k % 2 == 0 ? 1.0 : -1.0) * m * s;
      } else {
        const int m = (k + 1) / 2;  // 1, 1, 2, 2, ...
        off = (k % 2 == 1 ? 1.0 : -1.0) * (m - 0.5) * s;
      }
      if (alongY) {
        list.push_back({PILEAR.PHY(p), off, p});
      } else {
        list.push_back({off, PILEAR.PHY(p), p});
      }
    }
  }
  return list;
}

double diameterOfRow(int p) {
  const std::int32_t prop = PILEAR.PROPOFPILE(p);
  return prop >= 1 && prop <= MAXPRPS ? SECTAB.SDIAT(prop, 1) : 0.0;
}

// Pairs whose piles lie more than 8 pair diameters apart give a factor of
// exactly 1.0 (GRPPAIR), so each pile need only meet the piles of its own and
// the eight neighbouring cells of a grid whose cells are a little more than 8
// of the largest diameters wide. The partners are still taken in list order,
// so every product is the one of the loop over all pairs.
class PairGrid {
 public:
  // False when the grid cannot be laid (no diameter, a coordinate that is not
  // a number, or a spread too wide for the cell numbers): every pile then
  // meets every other one.
  bool lay(const std::vector<Pile>& list, double bmax) {
    if (!(bmax > 0.0) || !std::isfinite(bmax) || list.empty()) return false;
    w_ = 8.0 * bmax * 1.001;
    a0_ = list[0].along;
    c0_ = list[0].across;
    for (const Pile& p : list) {
      if (!std::isfinite(p.along) || !std::isfinite(p.across)) return false;
      a0_ = std::min(a0_, p.along);
      c0_ = std::min(c0_, p.across);
    }
    cells_.clear();
    cells_.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
      const double ca = std::floor((list[i].along - a0_) / w_), cc = std::floor((list[i].across - c0_) / w_);
      if (!(ca < 1.0e9) || !(cc < 1.0e9)) return false;
      cells_.push_back({key(static_cast<long long>(ca), static_cast<long long>(cc)), i});
    }
    // By cell, and within a cell by list position.
    std::sort(cells_.begin(), cells_.end());
    return true;
  }

  // The list positions of every pile in the cells around pile i, ascending.
  void partners(const Pile& p, std::vector<std::size_t>& out) const {
    out.clear();
    const auto ca = static_cast<long long>(std::floor((p.along - a0_) / w_));
    const auto cc = static_cast<long long>(std::floor((p.across - c0_) / w_));
    for (long long da = -1; da <= 1; ++da)
      for (long long dc = -1; dc <= 1; ++dc) {
        if (ca + da < 0 || cc + dc < 0) continue;
        const long long k = key(ca + da, cc + dc);
        auto it = std::lower_bound(cells_.begin(), cells_.end(), Member{k, 0});
        for (; it != cells_.end() && it->cell == k; ++it) out.push_back(it->index);
      }
    std::sort(out.begin(), out.end());
  }

 private:
  struct Member {
    long long cell;
    std::size_t index;
    bool operator<(const Member& o) const { return cell != o.cell ? cell < o.cell : index < o.index; }
  };
  static long long key(long long ca, long long cc) { return ca * 2000000001LL + cc; }

  double w_ = 0.0, a0_ = 0.0, c0_ = 0.0;
  std::vector<Member> cells_;
};

// Row means of the pile factors into pf, 1.0 into yf.
template <typename Column>
void rowFactors(bool alongY, const double& sense, Column& pf, Column& yf) {
  const std::vector<Pile> list = pileList(alongY);
  const bool average = RFDCTL.IAVDIA == 1;
  const double b1 = RUNCTL.NPILE >= 1 ? diameterOfRow(1) : 0.0;
  const std::size_t n = list.size();
  double bmax = b1;
  if (average) {
    bmax = 0.0;
    for (int p = 1; p <= RUNCTL.NPILE; ++p) bmax = std::max(bmax, diameterOfRow(p));
  }
  PairGrid grid;
  const bool gridded = grid.lay(list, bmax);
  std::vector<std::size_t> near;
  std::vector<double> F(n, 1.0);
  for (std::size_t i = 0; i < n; ++i) {
    const double bi = average ? diameterOfRow(list[i].row) : b1;
    double f = 1.0;
    const auto meet = [&](std::size_t j) {
      if (j == i) return;
      const double b = average ? 0.5 * (bi + diameterOfRow(list[j].row)) : b1;
      // Without a diameter no spacing ratio exists: the pair is not reduced.
      if (!(b > 0.0)) return;
      f *= GRPPAIR((list[i].along - list[j].along) / b, (list[i].across - list[j].across) / b, sense);
    };
    if (gridded) {
      grid.partners(list[i], near);
      for (std::size_t j : near) meet(j);
    } else {
      for (std::size_t j = 0; j < n; ++j) meet(j);
    }
    F[i] = f;
  }
  std::size_t k = 0;
  for (int p = 1; p <= RUNCTL.NPILE; ++p) {
    const int m = pilesOfRow(p);
    // A row that stands for no pile keeps the factor of a lone pile.
    double sum = 0.0;
    for (int q = 0; q < m; ++q) sum += F[k++];
    pf(p) = m >= 1 ? sum / m : 1.0;
    yf(p) = 1.0;
  }
}

}  // namespace

double GRPPAIR(double o, double u, double sense) {
  const double ao = std::fabs(o), au = std::fabs(u);
  const auto side = [](double r) { return std::min(1.0, sp(0.64f) * std::pow(r, sp(0.34f))); };
  const auto lead = [](double r) { return std::min(1.0, sp(0.70f) * std::pow(r, sp(0.26f))); };
  const auto trail = [](double r) { return std::min(1.0, sp(0.48f) * std::pow(r, sp(0.38f))); };
  if (ao < sp(1.0E-5f)) return au > 5.0 ? 1.0 : side(au);
  if (au < sp(1.0E-6f)) {
    if (ao > 8.0) return 1.0;
    return o * sense > 0.0 ? lead(ao) : trail(ao);
  }
  const double d = std::sqrt(o * o + u * u);
  if (d > 8.0) return 1.0;
  const double theta = std::atan(au / ao);
  const double fs = side(d);
  const double fi = o * sense >= 0.0 ? lead(d) : trail(d);
  const double a = fs * std::sin(theta), c = fi * std::cos(theta);
  return std::min(1.0, std::sqrt(a * a + c * c));
}

long long GRPCOUNT() {
  long long n = 0;
  for (int p = 1; p <= RUNCTL.NPILE; ++p) n += pilesOfRow(p);
  return n;
}

void GRPRFY(const double& sense) { rowFactors(true, sense, GRPFAC.GRPPF, GRPFAC.GRPYF); }

void GRPRFZ(const double& sense) { rowFactors(false, sense, GRPFAC.GRPPFZ, GRPFAC.GRPYFZ); }

}  // namespace drelm
