// A reader of the per-pile curve file for the tests: parses the text or the
// unformatted records back by the file's grammar (header, then per pile the
// property, p-y, axial and, in space analysis, torsional blocks), checking
// the fixed columns of the text records and the item sizes of the
// unformatted ones.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace drelm::test {

struct CrvNode {
  int j = 0;
  double x = 0;
  int flag = 0, count = 0, kind = -1;  // kind: p-y node curves only
  std::vector<int> k;
  std::vector<double> y, f;
};

struct CrvPile {
  int p = 0;
  double len = 0;
  std::vector<double> head;
  std::vector<std::vector<double>> rows;  // orientation rows
  std::vector<double> stepX;              // middles of the steps
  std::vector<std::vector<double>> props; // section values at the middles
  std::vector<CrvNode> py, ax, tr;
};

struct CrvFile {
  int npile = 0, iantyp = 0, iunits = 0;
  std::vector<CrvPile> piles;
  bool whole = false;  // every record read by the grammar, nothing left over
};

class CrvSource {
 public:
  CrvSource(const std::string& bytes, bool unf) : unf_(unf), bytes_(bytes) {
    if (!unf) {
      std::istringstream in(bytes);
      std::string l;
      while (std::getline(in, l)) lines_.push_back(l);
    }
  }
  bool atEnd() const { return unf_ ? pos_ >= bytes_.size() : line_ >= lines_.size(); }

  // The next record of ni integers and nr reals; false (with a test failure)
  // when it is missing or malformed.
  bool next(int ni, int nr, std::vector<long>& I, std::vector<double>& R) {
    I.clear();
    R.clear();
    if (atEnd()) {
      ADD_FAILURE() << "curve file ends early";
      return false;
    }
    if (unf_) {
      std::uint32_t head = 0, tail = 0;
      if (pos_ + 4 > bytes_.size()) return false;
      std::memcpy(&head, bytes_.data() + pos_, 4);
      const std::size_t want = 4u * ni + 8u * nr;
      EXPECT_EQ(head, want) << "record at byte " << pos_;
      if (head != want || pos_ + 8 + head > bytes_.size()) return false;
      const char* d = bytes_.data() + pos_ + 4;
      for (int a = 0; a < ni; ++a) {
        std::int32_t v;
        std::memcpy(&v, d + 4 * a, 4);
        I.push_back(v);
      }
      for (int b = 0; b < nr; ++b) {
        double v;
        std::memcpy(&v, d + 4 * ni + 8 * b, 8);
        R.push_back(v);
      }
      std::memcpy(&tail, d + head, 4);
      EXPECT_EQ(tail, head);
      pos_ += 8 + head;
      return tail == head;
    }
    const std::string& l = lines_[line_++];
    // Columns: integers I10; a node record I10, F10.4; reals 1X, G15.8 each,
    // after 10 blanks when no integer leads.
    std::size_t c = 0;
    for (int a = 0; a < ni; ++a, c += 10) I.push_back(std::strtol(l.substr(c, 10).c_str(), nullptr, 10));
    if (ni == 1 && nr == 1) {
      R.push_back(std::strtod(l.substr(10, 10).c_str(), nullptr));
      c = 20;
    } else {
      if (ni == 0) {
        EXPECT_EQ(l.substr(0, 10), std::string(10, ' ')) << l;
        c = 10;
      }
      for (int b = 0; b < nr; ++b, c += 16) {
        EXPECT_EQ(l[c], ' ') << l;
        R.push_back(std::strtod(l.substr(c + 1, 15).c_str(), nullptr));
      }
    }
    EXPECT_EQ(l.size(), c) << "record length: " << l;
    return l.size() == c;
  }

 private:
  bool unf_;
  std::string bytes_;
  std::vector<std::string> lines_;
  std::size_t line_ = 0, pos_ = 0;
};

// Reads one node block (p-y when py, else axial or torsional) of pile p.
inline bool readNodeBlock(CrvSource& s, int p, int kind, bool py, std::vector<CrvNode>& out) {
  std::vector<long> I;
  std::vector<double> R;
  if (!s.next(3, 0, I, R)) return false;
  EXPECT_EQ(I[0], p);
  EXPECT_EQ(I[2], kind);
  const int nn = static_cast<int>(I[1]);
  for (int j = 1; j <= nn; ++j) {
    CrvNode n;
    if (!s.next(1, 1, I, R)) return false;
    n.j = static_cast<int>(I[0]);
    n.x = R[0];
    EXPECT_EQ(n.j, j);
    if (!s.next(py ? 3 : 2, 0, I, R)) return false;
    n.flag = static_cast<int>(I[0]);
    n.count = static_cast<int>(I[1]);
    if (py) n.kind = static_cast<int>(I[2]);
    if (n.flag == 1) {
      for (int k = 1; k <= n.count; ++k) {
        if (!s.next(1, 2, I, R)) return false;
        EXPECT_EQ(I[0], k);
        n.k.push_back(static_cast<int>(I[0]));
        n.y.push_back(R[0]);
        n.f.push_back(R[1]);
      }
    } else {
      EXPECT_EQ(n.count, 0);
    }
    out.push_back(n);
  }
  return true;
}

inline CrvFile readCurveFile(const std::string& bytes, bool unf) {
  CrvFile f;
  CrvSource s(bytes, unf);
  std::vector<long> I;
  std::vector<double> R;
  if (!s.next(3, 0, I, R)) return f;
  f.npile = static_cast<int>(I[0]);
  f.iantyp = static_cast<int>(I[1]);
  f.iunits = static_cast<int>(I[2]);
  const bool space = f.iantyp == 3;
  const int nd = space ? 3 : 2;
  while (!s.atEnd()) {
    CrvPile pl;
    if (!s.next(3, 0, I, R)) return f;
    pl.p = static_cast<int>(I[0]);
    const int nst = static_cast<int>(I[1]);
    EXPECT_EQ(I[2], 0);
    if (!s.next(0, 1, I, R)) return f;
    pl.len = R[0];
    if (!s.next(0, nd, I, R)) return f;
    pl.head = R;
    for (int r = 0; r < nd; ++r) {
      if (!s.next(0, nd, I, R)) return f;
      pl.rows.push_back(R);
    }
    for (int j = 1; j <= nst; ++j) {
      if (!s.next(1, 1, I, R)) return f;
      EXPECT_EQ(I[0], j);
      pl.stepX.push_back(R[0]);
      if (!s.next(0, space ? 6 : 4, I, R)) return f;
      pl.props.push_back(R);
    }
    if (!readNodeBlock(s, pl.p, 1, true, pl.py)) return f;
    if (!readNodeBlock(s, pl.p, 2, false, pl.ax)) return f;
    if (space && !readNodeBlock(s, pl.p, 3, false, pl.tr)) return f;
    f.piles.push_back(pl);
  }
  f.whole = true;
  return f;
}

}  // namespace drelm::test
