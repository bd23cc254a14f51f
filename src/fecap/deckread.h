// Free-format reading of the numeric plate deck: every read starts at a new
// record, goes on to the next records until it has its values, and ignores
// what is left of its last record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace drelm {

class DeckReader {
 public:
  explicit DeckReader(int unit) : unit_(unit) {}
  // The next record as text (false at the end of the deck).
  bool record(std::string& text);
  // N values of a read; halts the plate model (PlateHalt, diagnosis in the
  // plate listing) when the deck ends first or a value has the wrong form.
  // KINDS: 'i' integer, 'r' real, one letter per value.
  std::vector<double> read(const std::string& kinds, const char* what);
  int recordNumber() const { return rec_; }

 private:
  int unit_;
  int rec_ = 0;
};

}  // namespace drelm
