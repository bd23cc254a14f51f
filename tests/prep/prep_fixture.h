// Small pile-group inputs, as the reader and the unit conversion leave them
// (internal units), for the tests of the preprocessing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/labels.h"
#include "model/fileio.h"
#include "model/model.h"
#include "support/testdir.h"

namespace drelm::test {

// Report units of the preprocessing, connected to files of the scratch dir.
inline void openReports() {
  io::OPEN(U_ECHO, "echo.txt", io::Access::Write);
  io::OPEN(U_LOG, "runtime.txt", io::Access::Write);
  io::OPEN(U_RESULTS, "results.txt", io::Access::Write);
}
inline void closeReports() {
  io::CLOSE(U_ECHO);
  io::CLOSE(U_LOG);
  io::CLOSE(U_RESULTS);
}

inline void units(std::int32_t iunits, std::int32_t kips = 0) {
  RUNCTL.IUNITS = iunits;
  RUNCTL.IKIPS = kips;
  UNITSET(iunits == 1 ? 1 : iunits == 2 ? -1 : 0, kips);
  HDRSET(RUNCTL.IANTYP);
}

struct Pile3D {
  std::int32_t conny, connz, prop, pyset, lscrv, trcrv, rfset, unused, lsgen, trgen;
  double spz, spy, pmy, ymy, pmz, ymz, axfac, x, y, z, alpha, beta, theta, ground;
};

inline void setPiles3D(const std::vector<Pile3D>& piles) {
  PGRP3D.NROW = static_cast<std::int32_t>(piles.size());
  for (int p = 1; p <= PGRP3D.NROW; ++p) {
    const Pile3D& r = piles[p - 1];
    const std::int32_t iv[10] = {r.conny, r.connz, r.prop, r.pyset, r.lscrv, r.trcrv, r.rfset, r.unused, r.lsgen, r.trgen};
    const double rv[14] = {r.spz, r.spy, r.pmy, r.ymy, r.pmz, r.ymz, r.axfac, r.x, r.y, r.z, r.alpha, r.beta, r.theta, r.ground};
    for (int k = 1; k <= 10; ++k) PGRP3D.IPG3D(p, k) = iv[k - 1];
    for (int k = 1; k <= 14; ++k) PGRP3D.RPG3D(p, k) = rv[k - 1];
  }
  RUNCTL.NPILE = PGRP3D.NROW;
}

struct Row2D {
  std::int32_t conn, npile, prop, pyset, lscrv, rfset, lsgen;
  double spring, spacing, pmult, ymult, axfac, vert, hor, slope, ground;
};

inline void setRows2D(const std::vector<Row2D>& rows) {
  PGRP2D.NROW = static_cast<std::int32_t>(rows.size());
  for (int p = 1; p <= PGRP2D.NROW; ++p) {
    const Row2D& r = rows[p - 1];
    const std::int32_t iv[7] = {r.conn, r.npile, r.prop, r.pyset, r.lscrv, r.rfset, r.lsgen};
    const double rv[9] = {r.spring, r.spacing, r.pmult, r.ymult, r.axfac, r.vert, r.hor, r.slope, r.ground};
    for (int k = 1; k <= 7; ++k) PGRP2D.IPG2D(p, k) = iv[k - 1];
    for (int k = 1; k <= 9; ++k) PGRP2D.RPG2D(p, k) = rv[k - 1];
  }
  RUNCTL.NPILE = PGRP2D.NROW;
}

struct SectionRow {
  double from, to;
  std::int32_t sec;
};

inline void setProperty(int t, std::int32_t ninc, double plen, std::int32_t ptype, const std::vector<SectionRow>& rows) {
  if (PROPIN.NPRPIN < t) PROPIN.NPRPIN = t;
  PROPIN.NINC(t) = ninc;
  PROPIN.PLEN(t) = plen;
  PROPIN.PTYPE(t) = ptype;
  PROPIN.NSECT(t) = static_cast<std::int32_t>(rows.size());
  for (int j = 1; j <= PROPIN.NSECT(t); ++j) {
    PROPIN.SXFROM(t, j) = rows[j - 1].from;
    PROPIN.SXTO(t, j) = rows[j - 1].to;
    PROPIN.SECNUM(t, j) = rows[j - 1].sec;
  }
}

// Values of an elastic section end: diameter, area, Iz, Iy, GJ, Mn, Vn, E.
struct SectionEnd {
  double diam, area, iz, iy, gj, mn, vn, e;
};

inline void setEnd(int s, int part, const SectionEnd& v) {
  SECTIN.ELSEC(s, 1 + part) = v.diam;
  SECTIN.ELSEC(s, 10 + part) = v.area;
  SECTIN.ELSEC(s, 11 + part) = v.iz;
  SECTIN.ELSEC(s, 12 + part) = v.iy;
  SECTIN.ELSEC(s, 14 + part) = v.gj;
  SECTIN.ELSEC(s, 15 + part) = v.mn;
  SECTIN.ELSEC(s, 16 + part) = v.vn;
  SECTIN.ELSEC(s, 17 + part) = v.e;
}

// A cross section; the bottom equals the top unless given.
inline void setSection(int s, std::int32_t nonlinear, const std::string& name, const SectionEnd& top,
                       const SectionEnd* bottom = nullptr) {
  if (SECTIN.NSECIN < s) SECTIN.NSECIN = s;
  SECTIN.SCNLIN(s) = nonlinear;
  SECTIN.SCNAME(s) = name;
  setEnd(s, 0, top);
  setEnd(s, 18, bottom ? *bottom : top);
  if (bottom) SECTIN.ITAPER(s) = 1;
}

// The echo of the input report as lines.
inline std::vector<std::string> echoLines() { return readLines("echo.txt"); }

// Whether any of the lines holds the text.
inline bool anyLineHas(const std::vector<std::string>& lines, const std::string& text) {
  for (const std::string& l : lines)
    if (l.find(text) != std::string::npos) return true;
  return false;
}

}  // namespace drelm::test
