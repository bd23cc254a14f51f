// Records of the per-pile curve file. A pile's blocks are assembled here and
// reach the file in one write, so that a pile whose curves fail part way
// leaves nothing of itself in the file. The buffer keeps its capacity from
// one pile to the next: after the first pile, assembling allocates nothing.
//
// Text records use fixed columns; unformatted records carry the same items,
// integers as 32-bit and reals as 64-bit values, framed as the file layer
// frames every unformatted record.
#pragma once

#include <cstdint>
#include <string>

namespace drelm {

class CrvRecords {
 public:
  // Empty the buffer for a new pile; UNF is the file's ICRVUF.
  void begin(std::int32_t unf);
  // Three integers: a block header or a p-y node curve header (3I10).
  void ints3(std::int32_t a, std::int32_t b, std::int32_t c);
  // Two integers: the node curve header of the axial and torsional blocks (2I10).
  void ints2(std::int32_t a, std::int32_t b);
  // A step or node record: number and X (I10, F10.4).
  void node(std::int32_t j, double x);
  // A value record: one to six reals (10X, then 1X, G15.8 each).
  void values(const double* v, int n);
  // A curve point: number, deflection (or movement, twist), force (I10, 2(1X, G15.8)).
  void point(std::int32_t k, double y, double f);
  // Write the assembled records to UNIT and empty the buffer.
  void flush(int unit);
  // Drop the assembled records.
  void discard() { buf_.clear(); }
  const std::string& bytes() const { return buf_; }

 private:
  void endText();
  std::string buf_;
  std::string rec_;  // one unformatted record being assembled
  bool unf_ = false;
};

// Force of the curve (Y(1..N), F(1..N)) at deflection YK: linear in the first
// segment that reaches YK (the first segment extended below its first
// point), the last force beyond the last point; a curve of one point, or a
// segment of no length, gives the point's force.
double crvForceAt(const double* Y, const double* F, int N, double YK);

// Node curve of two half curves of N points, A from the step above the node
// and B from the step below: the forces added at the deflections of the half
// that ends first (B on a tie), the other half interpolated there.
void crvMerge(const double* YA, const double* FA, const double* YB, const double* FB, int N, double* Y,
              double* F);

}  // namespace drelm
