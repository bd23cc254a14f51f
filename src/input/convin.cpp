#include "input/convin.h"

#include "report/convert.h"
#include "model/model.h"

namespace drelm {
namespace {

void len(double& x) { x = INLEN(x); }

void convertLoads() {
  const bool space = RUNCTL.IANTYP == 3;
  CASEIN_T& L = CASEIN;
  for (int c = 1; c <= L.NLCASE; ++c) {
    for (int j = 1; j <= L.CASCTL(c, 15); ++j) {
      len(L.LCCONC(c, j, 7));
      len(L.LCCONC(c, j, 8));
      if (space) len(L.LCCONC(c, j, 9));
    }
    if (L.LCKIND(c) > 0) {
      len(L.LCSPVL(c, 13));
      len(L.LCSPVL(c, 14));
      if (space) len(L.LCSPVL(c, 15));
    }
  }
  for (int s = 1; s <= DLSETIN.NDLSET; ++s)
    for (int j = 1; j <= DLSETIN.NDLPT(s); ++j) len(DLSETIN.DLDEP(s, j));
}

void convertPiles() {
  if (RUNCTL.IANTYP == 2) {
    PGRP2D_T& G = PGRP2D;
    RUNCTL.NPILE = G.NROW;
    for (int p = 1; p <= G.NROW; ++p)
      for (int k : {2, 6, 7, 9}) len(G.RPG2D(p, k));  // spacing, head X and Y, ground
  } else if (RUNCTL.IANTYP == 3) {
    PGRP3D_T& G = PGRP3D;
    RUNCTL.NPILE = G.NROW;
    for (int p = 1; p <= G.NROW; ++p)
      for (int k : {8, 9, 10, 14}) len(G.RPG3D(p, k));  // head X, Y, Z, ground
  }
  PROPIN_T& P = PROPIN;
  for (int t = 1; t <= P.NPRPIN; ++t) {
    len(P.PLEN(t));
    for (int j = 1; j <= P.NSECT(t); ++j) {
      len(P.SXFROM(t, j));
      len(P.SXTO(t, j));
    }
  }
}

void convertSections() {
  SECTIN_T& S = SECTIN;
  const bool space = RUNCTL.IANTYP == 3;
  for (int s = 1; s <= S.NSECIN; ++s) {
    for (int base : {0, 18}) {
      for (int k = 1; k <= 8; ++k) S.ELSEC(s, base + k) = INDIM(S.ELSEC(s, base + k));
      S.ELSEC(s, base + 10) = INAREA(S.ELSEC(s, base + 10));
      S.ELSEC(s, base + 11) = INMOI(S.ELSEC(s, base + 11));
      if (space) S.ELSEC(s, base + 12) = INMOI(S.ELSEC(s, base + 12));
    }
    for (int k = 1; k <= 11; ++k) S.NLMAT(s, k) = INDIM(S.NLMAT(s, k));
    S.NLRBR(s, 1) = INAREA(S.NLRBR(s, 1));
    S.NLRBR(s, 2) = INDIM(S.NLRBR(s, 2));
    S.NLRBR(s, 3) = INDIM(S.NLRBR(s, 3));
    S.NLRPR(s, 1) = INAREA(S.NLRPR(s, 1));
    S.NLRPR(s, 2) = INDIM(S.NLRPR(s, 2));
    S.NLRPR(s, 3) = INDIM(S.NLRPR(s, 3));
    S.NLSTR(s, 1) = INDIM(S.NLSTR(s, 1));
    S.NLSTR(s, 2) = INAREA(S.NLSTR(s, 2));
    S.NLSTR(s, 3) = INDIM(S.NLSTR(s, 3));
    // Only the positions read: the others are zero, and their slots lie a
    // row apart.
    for (int k = 1; k <= S.NLRBI(s, 5); ++k)
      for (int j = 1; j <= 2; ++j) S.NLRPOS(s, k, j) = INDIM(S.NLRPOS(s, k, j));
    for (int k = 1; k <= S.NLSTI(s, 5); ++k)
      for (int j = 1; j <= 2; ++j) S.NLSPOS(s, k, j) = INDIM(S.NLSPOS(s, k, j));
  }
}

void convertSoil() {
  SOILIN_T& L = SOILIN;
  for (int l = 1; l <= L.NLAYIN; ++l) {
    len(L.SLVAL(l, 1));
    len(L.SLVAL(l, 2));
    const bool strength = isRockType(L.SLTYPE(l));  // given in internal units
    for (int r = 1; r <= 2; ++r) {
      L.SLVAL(l, 2 + r) = INUWT(L.SLVAL(l, 2 + r));
      if (!strength) L.SLVAL(l, 4 + r) = INPRS(L.SLVAL(l, 4 + r));
      L.SLVAL(l, 16 + r) = INPRS(L.SLVAL(l, 16 + r));
      L.SLVAL(l, 18 + r) = INPRS(L.SLVAL(l, 18 + r));
    }
  }
}

void convertCurves() {
  if (CURCTL.KPYLST == 1)
    for (int j = 1; j <= PYPRT.NPYPRT; ++j) len(PYPRT.PRTDEP(j));
  INPCRV.NPYSET = 0;
  if (RUNCTL.IUSRPY == 1) {
    INPCRV.NPYSET = INPCRV.NPYSIN;
    for (int s = 1; s <= INPCRV.NPYSET; ++s)
      for (int c = 1; c <= INPCRV.UPYNC(s); ++c) len(INPCRV.UPYDEP(s, c));
  }
  if (RFDCTL.IRFDEP == 1)
    for (int s = 1; s <= RFDEP.NRFSET; ++s)
      for (int k = 1; k <= RFDEP.NRFPT(s); ++k) len(RFDEP.RFDDEP(s, k));
  if (SMOV.ISMOV == 1)
    for (int k = 1; k <= SMOV.NSMOV; ++k) len(SMOV.SMVDEP(k));
}

}  // namespace

// Runs once per run, right after a sound reading: a second pass would scale
// every value again.
void CONVIN(std::int32_t& ISTAT) {
  (void)ISTAT;
  CAPCTL.CAPLY = INLEN(CAPCTL.CAPLY);
  CAPCTL.CAPWZ = INLEN(CAPCTL.CAPWZ);
  CAPCTL.CAPTX = INLEN(CAPCTL.CAPTX);
  CAPCTL.CAPEQD = INLEN(CAPCTL.CAPEQD);
  convertLoads();
  convertPiles();
  convertSections();
  convertSoil();
  convertCurves();
}

}  // namespace drelm
