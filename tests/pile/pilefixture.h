// Space piles set up directly in the tables for the single-pile solvers.
#pragma once

#include <cmath>
#include <cstdint>

#include "report/labels.h"
#include "model/model.h"
#include "model/model_usrpy.h"
#include "soil/lookup.h"

namespace drelm::test {

// Run constants, English units and the pile controls of a static case.
inline void setLateralRun(double tolpil = 1.0E-9, int maxitl = 100) {
  RUNCONST.PI = M_PI;
  RUNCONST.EPSLIM = 1.0E-14;
  RUNCONST.EPSCOH = 1.0E-6;
  RUNCONST.EPSMOV = 1.0E-5;
  RUNCTL.IUNITS = 1;
  RUNCTL.IKIPS = 0;
  RUNCTL.IANTYP = 3;
  UNITSET(1, 0);
  CURCTL.KSTCYC = 1;
  CURCTL.NCYCL = 1;
  CURCTL.TOLPIL = tolpil;
  SOILCOM.MAXITL = maxitl;
}

// Property t: a uniform section of length len in ninc increments with
// rigidities EIz, EIy, diameter D, area A, inertias Iz, Iy and capacities.
struct Section {
  double EIz = 1.0E10, EIy = 1.0E10;
  double D = 24.0, A = 450.0, Iz = 16000.0, Iy = 16000.0;
  double Mn = 0.0, Vn = 0.0;
  std::int32_t mcz = 0, mcy = 0;
};

inline void setProperty(int t, double len, int ninc, const Section& s = {}) {
  PILEPROP.PLEN(t) = len;
  PILEPROP.NINC(t) = ninc;
  PILEPROP.DXINC(t) = len / ninc;
  PILEPROP.NSECT(t) = 1;
  SECTAB_T& T = SECTAB;
  T.SXFROM(t, 1) = 0.0;
  T.SXTO(t, 1) = len;
  T.SEIZT(t, 1) = T.SEIZB(t, 1) = s.EIz;
  T.SEIYT(t, 1) = T.SEIYB(t, 1) = s.EIy;
  T.SDIAT(t, 1) = T.SDIAB(t, 1) = s.D;
  T.SAREAT(t, 1) = T.SAREAB(t, 1) = s.A;
  T.SIZT(t, 1) = T.SIZB(t, 1) = s.Iz;
  T.SIYT(t, 1) = T.SIYB(t, 1) = s.Iy;
  T.SMNT(t, 1) = T.SMNB(t, 1) = s.Mn;
  T.SVNT(t, 1) = T.SVNB(t, 1) = s.Vn;
  T.SMCIZ(t, 1) = s.mcz;
  T.SMCIY(t, 1) = s.mcy;
  std::int32_t st = 0;
  SECMARK(st);
}

// Pile p of property t, vertical, head at X = head, ground at the head,
// both lateral directions connected by code conn.
inline void setPile(int p, int t, double head = 0.0, std::int32_t conn = 2) {
  if (RUNCTL.NPILE < p) RUNCTL.NPILE = p;
  PILEAR.PROPOFPILE(p) = t;
  PILEAR.PHX(p) = PILEAR.PHXREF(p) = head;
  PILEAR.BETA(p) = M_PI / 2.0;
  PILEAR.GRPNP(p) = 1.0;
  GRPFAC.GRPPF(p) = GRPFAC.GRPYF(p) = 1.0;
  PCONN.CONNECTY(p) = PCONN.CONNECTZ(p) = conn;
}

// User p-y set s of straight lines p = kl y at the X of each curve: a linear
// Winkler foundation of modulus kl (force per length per deflection).
inline void setLinearCurves(int s, std::initializer_list<std::pair<double, double>> depthModulus,
                            double ymax = 1.0E3) {
  USRPY_T& U = USRPY;
  if (U.NPYSET < s) U.NPYSET = s;
  int c = 0;
  for (const auto& [X, kl] : depthModulus) {
    ++c;
    U.PYDEP(s, c) = X;
    U.PYNPT(s, c) = 2;
    U.PYY(s, c, 1) = 0.0;
    U.PYP(s, c, 1) = 0.0;
    U.PYY(s, c, 2) = ymax;
    U.PYP(s, c, 2) = kl * ymax;
  }
  U.PYNCRV(s) = c;
}

// Node positions as the node set-up places them for a vertical pile.
inline void placeNodes(int p) {
  const int t = PILEAR.PROPOFPILE(p);
  const double h = PILEPROP.PLEN(t) / PILEPROP.NINC(t);
  for (int k = 1; k <= PILEPROP.NINC(t) + 1; ++k)
    PILENODE.XNODE(p, k) = PILENODE.XPILE(p, k) = PILEAR.PHX(p) + (k - 1) * h;
}

}  // namespace drelm::test
