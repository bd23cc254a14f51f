// A group of piles with current results that differ from pile to pile in
// every slot and node, printed with the pile-top and the along-pile tables:
// the result tables of such a group show any pile written out of order or
// mixed with another.
#pragma once

#include <cmath>
#include <filesystem>
#include <string>

#include "report/labels.h"
#include "model/fileio.h"
#include "model/model.h"
#include "model/tables.h"

namespace drelm::test {

inline void setCurrentResults(int npile) {
  clearTables();
  io::CLOSEALL();
  RUNCTL.IANTYP = 3;
  RUNCTL.IUNITS = 1;
  RUNCTL.NPILE = npile;
  UNITSET(1, 0);
  HDRSET(3);
  CASECUR.ICASE = 1;
  CASECUR.ICOMB = 0;
  CURCTL.IAXVAR = 1;
  ENVOPT.IPRLVS = 1;
  ENVOPT.NPRNDS = 3;
  for (int q = 1; q <= NNDQ; ++q) CASEIN.CASCTL(1, 25 + q) = 1;
  // Two pile lengths with different node counts.
  PILEPROP.NINC(1) = 20;
  PILEPROP.PLEN(1) = 60.0;
  PILEPROP.NINC(2) = 9;
  PILEPROP.PLEN(2) = 36.0;
  for (int p = 1; p <= npile; ++p) {
    PILEAR.PROPOFPILE(p) = p % 2 + 1;
    PILEAR.ILSCRV(p) = -1;
    for (int s = 1; s <= NPTVAL; ++s) ENVPIL.PTCUR(p, s) = std::sin(0.7 * p + s) * std::pow(10.0, p % 5 - 2);
    for (int n = 4; n <= 24; ++n)
      for (int q = 1; q <= NNDQ; ++q) ENVPIL.NDCUR(p, n, q) = std::cos(0.3 * p * q + n) * (1 + p % 3);
  }
}

// The reports the result tables write, named base.out, base.sum and so on;
// the per-pile scratch is base.pil.
inline void openResultReports(const std::string& base) {
  const struct {
    int unit;
    const char* ext;
  } files[] = {{U_RESULTS, ".out"}, {U_SUMMARY, ".sum"}, {U_REPORT, ".rp2"}, {U_STATUS, ".sta"}, {U_SUMSCR, ".ssc"}};
  for (const auto& f : files) io::OPEN(f.unit, base + f.ext, io::Access::Write);
  FNAMES.FNU(U_PILSCR) = base + ".pil";
}

}  // namespace drelm::test
