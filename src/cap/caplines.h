// Line helpers of the cap reports and records: whole lines, value lines and
// the headings of the cap blocks.
#pragma once

#include <string>

#include "model/fileio.h"

namespace drelm::cap {

inline void emptyLine(int u) { io::endRecord(u); }

inline void text(int u, const std::string& s) {
  io::put(u, s);
  io::endRecord(u);
}

inline std::string sp(int n) { return std::string(static_cast<std::size_t>(n > 0 ? n : 0), ' '); }

// The file name of a unit.
std::string fileName(int unit);

// WRBLNK(LEAD), the values in WRREAL(W, D), WREOL.
void values(int u, int lead, int w, int d, const double* v, int n);


// The moment unit of the headings (load-length).
std::string momentUnit();

// A table heading: three empty lines, then the title after five blanks.
void tableHeading(int u, const std::string& title);

// A block heading: two empty lines, the title after five blanks, then
// AFTER empty lines.
void blockHeading(int u, const std::string& title, int after);

}  // namespace drelm::cap
