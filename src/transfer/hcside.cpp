// Side t-z curves of the pile-head curve generators: three curves per soil
// layer (below its top, at its middle, above its bottom), each from the
// profile's ultimate side friction or, where the profile gives none, the
// estimate for the pile's installation type.
#include <cmath>
#include <memory>

#include "model/fileio.h"
#include "model/model.h"
#include "soil/lookup.h"
#include "transfer/fsqtest.h"
#include "transfer/hcwork.h"
#include "transfer/tzshape.h"

namespace drelm {
namespace {

constexpr double sp(float x) { return static_cast<double>(x); }


// Depth offset of the curves from the ground and the layer boundaries.
double offsetG() { return RUNCTL.IUNITS == 2 ? sp(0.00254f) : sp(0.1f); }

// Fill curve k by the shape of the pile's installation type and the curve's
// soil type. The shapes write one column of a full-size curve set, so the
// curve is built in column 1 of a scratch set and copied.
void shapeCurve(std::int32_t ptype, int k, double D, HCWORK& W) {
  struct Scratch {
    TzTable t, z;
    TzColumn tmax, phi;
  };
  // On the heap, made by the first call on each thread: as thread-local
  // storage it would be cleared for every thread the process starts.
  static thread_local std::unique_ptr<Scratch> kept;
  if (!kept) kept = std::make_unique<Scratch>();
  Scratch& s = *kept;
  const std::int32_t one = 1;
  s.tmax(1) = W.TZMAX(k);
  s.phi(1) = W.TZPHI(k);
  const std::int32_t type = W.TZTYP(k);
  bool built = true;
  if (ptype == PTYPE_DRIVEN) {
    if (isFrictionalType(type)) {
      TZDRSND(one, s.t, s.z, s.tmax, s.phi);
    } else if (type == ST_USERPY || type == ST_ELASTIC) {
      TZAPICL(one, D, s.t, s.z, s.tmax);
    } else {
      TZDRCLY(one, s.t, s.z, s.tmax);
    }
  } else {
    if (isFrictionalType(type)) {
      TZDSSND(one, D, s.t, s.z, s.tmax);
    } else if (type == ST_USERPY) {
      // The friction angle tells sand from clay in a user-curve layer; an
      // angle of exactly one degree selects neither and leaves the curve.
      if (W.TZPHI(k) > 1.0) {
        TZDSSND(one, D, s.t, s.z, s.tmax);
      } else if (W.TZPHI(k) < 1.0) {
        TZDSCLY(one, D, s.t, s.z, s.tmax);
      } else {
        built = false;
      }
    } else {
      TZDSCLY(one, D, s.t, s.z, s.tmax);
    }
  }
  if (!built) return;
  W.TZMAX(k) = s.tmax(1);  // the sand hyperbola may raise a vanishing asymptote
  for (int i = 1; i <= NTZPT; ++i) {
    W.TZT(i, k) = s.t(i, 1);
    W.TZZ(i, k) = s.z(i, 1);
  }
}

}  // namespace

double HCFSEST(std::int32_t PTYPE, std::int32_t LTYP, double X, double z, double FSIN, std::int32_t& ISTAT) {
  if (PTYPE == PTYPE_DRIVEN) {
    const double gamma = GAMAVG(X, ISTAT);
    if (ISTAT != 0) return FSIN;
    const double phi = SOILPHI(X, ISTAT);
    if (ISTAT != 0) return FSIN;
    const double zp = z < sp(1.0E-10f) ? 1.0 : z;
    const double c = SOILC(X, ISTAT);
    if (ISTAT != 0) return FSIN;
    const double alpha = ADHFAC(c, gamma, zp);
    const double sandTerm = sp(0.8f) * gamma * zp * std::tan(phi - sp(0.087f));
    if (isClaySideType(LTYP)) return alpha * c;
    if (isRockType(LTYP)) return sp(0.1f) * c;
    if (isSandType(LTYP)) return sandTerm;
    if (LTYP == ST_SILT) return sandTerm + alpha * c;
    return FSIN;
  }
  // Drilled shaft: the beta method takes the plain depth below the ground.
  if (isClaySideType(LTYP)) return sp(0.55f) * SOILC(X, ISTAT);
  if (isRockType(LTYP)) return sp(0.1f) * SOILC(X, ISTAT);
  if (isFrictionalType(LTYP)) {
    const double gamma = GAMAVG(X, ISTAT);
    if (ISTAT != 0) return FSIN;
    (void)SOILPHI(X, ISTAT);
    if (ISTAT != 0) return FSIN;
    const double side = BETADS(z) * gamma * z;
    if (LTYP == ST_SILT) return sp(0.55f) * SOILC(X, ISTAT) + side;
    return side;
  }
  return FSIN;
}

void HCSIDE(const std::int32_t& IPROP, const std::int32_t& IPILE, HcKind kind, HCWORK& W,
            std::int32_t& ISTAT) {
  const SOILCOM_T& S = SOILCOM;
  const double G = offsetG();
  const double xg = PILEAR.PHXREF(IPILE) + PILEAR.PGRND(IPILE);
  const std::int32_t ptype = PILEPROP.PTYPE(IPROP);
  const double D = SECTAB.SDIAT(IPROP, 1);
  const int nl = std::min<int>(S.NLAYER, MAXLYR);

  // Depths: the axial curve set starts with two curves at the ground.
  int k = 0;
  if (kind == HcKind::Axial) {
    for (int j = 0; j < 2; ++j) {
      ++k;
      W.TZDEP(k) = xg;
      W.TZTYP(k) = S.LTYPE(1);
    }
  }
  for (int L = 1; L <= nl; ++L) {
    const double first = (L == 1 ? xg : S.LTOP(L)) + G;
    const double depths[3] = {first, (first + S.LBOT(L)) / 2.0, S.LBOT(L) - G};
    for (double x : depths) {
      ++k;
      W.TZDEP(k) = x;
      W.TZTYP(k) = S.LTYPE(L);
    }
  }
  W.NCRV = k;
  io::FLUSH(U_LOG);

  const int ntiny = kind == HcKind::Axial ? 2 : 1;
  for (k = 1; k <= W.NCRV; ++k) {
    const double X = W.TZDEP(k);
    const double z = X - PILEAR.PGRND(IPILE) - PILEAR.PHXREF(IPILE);
    double tmax = SOILFS(X, ISTAT);
    if (ISTAT != 0) return;
    if (tmax < sp(1.0E-10f) && (ptype == PTYPE_DRIVEN || ptype == PTYPE_DRILLED)) {
      tmax = HCFSEST(ptype, W.TZTYP(k), X, z, tmax, ISTAT);
      if (ISTAT != 0) return;
    }
    // The curves at the ground carry a token friction only.
    if (k <= ntiny) tmax = sp(1.0E-6f);
    W.TZMAX(k) = tmax;
    W.TZPHI(k) = SOILPHB(X, ISTAT) * 180.0 / sp(3.1416f);
    if (ISTAT != 0) return;
    W.TZNPT(k) = NTZPT;
    shapeCurve(ptype, k, D, W);
  }
}

}  // namespace drelm
