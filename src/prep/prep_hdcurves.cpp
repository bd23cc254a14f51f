// Pile-head curves of the input report. The user load-displacement and
// torque-rotation curves are copied into the working tables; the piles
// without a user curve get the curve generated for a pile of the generation
// list, whose two directions the generators return as nine positive points
// each. Displacements and twists are shown in internal units, loads and
// torques through the force conversion.
#include "prep/prep_hdcurves.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "report/convert.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "prep/echo_text.h"
#include "model/model.h"
#include "prep/prep_steps.h"
#include "model/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(LSCRV_T, LSCRV);
DRELM_ZERO_TABLE(TRCRV_T, TRCRV);

namespace {

using echo::blanks;
using echo::empty;
using echo::text;

constexpr int U = U_ECHO;

// What differs between the axial and the torsional curves.
struct Kind {
  const char* name;                    // in the fatal messages
  FArray<std::int32_t, MAXPIL1>& user;  // ILSCRV or ITRCRV
  FArray<std::int32_t, MAXPIL1>& gen;   // ILSGEN or ITRGEN
  std::int32_t ngen;                    // generated curves
  std::string heading;                  // column heading of a curve
};

std::string lsHeading() {
  return blanks(7) + "DISPLACEMENT," + UNITLB.ULLEN3.str() + blanks(7) + "AXIAL LOAD," + UNITLB.ULLOD3.str();
}
std::string trHeading() {
  return blanks(9) + "ROT. ANGLE," + "Rad." + blanks(5) + "TORS.MOMEN," + UNITLB.ULLOD3.str() + "-" +
         UNITLB.ULLEN2.str();
}

void numberOfCurves(std::int32_t n) { text(blanks(7) + "NUM OF CURVES" + intField(3, n)); }

// The lines of curve c before its points.
void curveLines(int c, std::int32_t npt, const std::string& heading) {
  empty();
  text(blanks(8) + "CURVE" + intField(3, c) + blanks(10) + "NUM OF POINTS" + intField(3, npt));
  empty();
  text(heading);
}

// One point: the movement as it stands, the load through the force conversion.
void pointLine(double movement, double load) {
  WRBLNK(U, 10);
  WRREAL(U, 12, 5, movement);
  WRBLNK(U, 9);
  WRREAL(U, 12, 5, OUTFRC(load));
  WREOL(U);
}

void plotTitle(const std::string& title, std::int32_t n) {
  io::put(U_PLOT, blanks(5) + title);
  io::endRecord(U_PLOT);
  io::put(U_PLOT, blanks(5) + intField(5, n));
  io::endRecord(U_PLOT);
}

// A generated curve on the plot data: its numbers, then load (or torque)
// and movement of every point.
template <class Tab>
void plotCurve(int count, int h, std::int32_t npt, const Tab& mov, const Tab& load) {
  io::put(U_PLOT, blanks(5) + intField(5, count) + intField(5, h) + intField(5, npt));
  io::endRecord(U_PLOT);
  for (int k = 1; k <= npt; ++k) {
    WRBLNK(U_PLOT, 10);
    WRINT(U_PLOT, 5, k);
    WRBLNK(U_PLOT, 11);
    WRREAL(U_PLOT, 15, 8, load(h, k));
    WRBLNK(U_PLOT, 9);
    WRREAL(U_PLOT, 15, 8, mov(h, k));
    WREOL(U_PLOT);
  }
}

// Piles without a user curve take minus their generated curve number. A
// number off the generation list names a curve that does not exist, which
// the analysis treats as such.
void assignGenerated(const Kind& k) {
  for (int p = 1; p <= RUNCTL.NPILE; ++p)
    if (k.user(p) == 0) k.user(p) = -k.gen(p);
}

// Curve h from pile q: the uplift points reversed and negated, the origin,
// then the compression points.
template <class Npt, class Tab>
bool generateCurve(std::int32_t& ISTAT, HeadCurveGen* gen, const char* name, int h, std::int32_t q, bool flushLog,
                   Npt& npt, Tab& mov, Tab& load) {
  if (q < 1 || q > RUNCTL.NPILE) {
    PRPFTL(ISTAT, STAT_CAPACITY,
           {"GENERATED " + std::string(name) + " CURVE " + std::to_string(h) + " NAMES PILE " + std::to_string(q) +
                ",",
            "PILES 1 TO " + std::to_string(RUNCTL.NPILE) + " EXIST"});
    return false;
  }
  const std::int32_t prop = PILEAR.PROPOFPILE(q);
  const std::int32_t curve = h;
  HeadPoints hload, hmov;
  std::int32_t n1 = 0, n2 = 0;

  if (flushLog) io::FLUSH(U_LOG);
  gen(prop, KDIR_UPLIFT, curve, q, ISTAT, n1, hload, hmov);
  if (ISTAT != 0) return false;
  n1 = std::clamp<std::int32_t>(n1, 0, NHCMAX);
  for (int k = 1; k <= n1; ++k) {
    mov(h, k) = -hmov(n1 + 1 - k);
    load(h, k) = -hload(n1 + 1 - k);
  }
  mov(h, n1 + 1) = 0.0;
  load(h, n1 + 1) = 0.0;

  if (flushLog) io::FLUSH(U_LOG);
  gen(prop, KDIR_COMPRESSION, curve, q, ISTAT, n2, hload, hmov);
  if (ISTAT != 0) return false;
  n2 = std::clamp<std::int32_t>(n2, 0, NHCMAX);
  for (int k = 1; k <= n2; ++k) {
    mov(h, n1 + 1 + k) = hmov(k);
    load(h, n1 + 1 + k) = hload(k);
  }
  npt(h) = n1 + n2 + 1;
  return true;
}

// Fewer curves are generated one after the other: starting the threads
// would cost more than it saves.
constexpr int PARALLEL_CURVES = 32;

// Curves generated side by side between two writes: enough that the
// threads seldom wait for each other, few enough that their kept listings
// stay small.
constexpr int CURVE_BATCH = 128;

// The curves 1..ngen, generated in parallel by the built-in generators,
// which write only their own work and their curve's slots. The listings and
// the AXTZ points of each curve are kept and then written in curve order,
// up to and including the first curve that fails, so that the files and
// tables are those of generating one curve after the other.
template <class Npt, class Tab>
bool generateInParallel(std::int32_t& ISTAT, HeadCurveGen* gen, const Kind& k, const std::int32_t* list,
                        Npt& npt, Tab& mov, Tab& load) {
  struct Curve {
    io::Capture output;
    std::vector<AxtzKeep::Half> axtz;
    std::int32_t status = 0;
    bool done = false;
  };
  // Kept from batch to batch, with the memory of their listings.
  std::vector<Curve> curves(static_cast<std::size_t>(std::min(CURVE_BATCH, k.ngen)));
  for (int h0 = 1; h0 <= k.ngen; h0 += CURVE_BATCH) {
    const int n = std::min(CURVE_BATCH, k.ngen - h0 + 1);
#pragma omp parallel for schedule(dynamic)
    for (int i = 0; i < n; ++i) {
      Curve& c = curves[static_cast<std::size_t>(i)];
      AxtzKeep keep;
      c.status = 0;
      c.output.start();
      c.done = generateCurve(c.status, gen, k.name, h0 + i, list[h0 + i - 1], false, npt, mov, load);
      c.output.stop();
      c.axtz = std::move(keep.halves);
    }
    for (int i = 0; i < n; ++i) {
      Curve& c = curves[static_cast<std::size_t>(i)];
      c.output.replay();
      AxtzKeep::store(c.axtz);
      if (!c.done) {
        ISTAT = c.status;
        return false;
      }
    }
  }
  return true;
}

// The generated curves of one kind: generation, then the echo and the plot
// data.
template <class Npt, class Tab>
bool generatedCurves(std::int32_t& ISTAT, HeadCurveGen* gen, const Kind& k, const std::int32_t* list, bool flushLog,
                     const std::string& echoTitle, const std::string& plotTitleText, Npt& npt, Tab& mov, Tab& load) {
  if ((gen == AXLSGEN || gen == TRGEN) && k.ngen >= PARALLEL_CURVES) {
    if (!generateInParallel(ISTAT, gen, k, list, npt, mov, load)) return false;
  } else {
    // Few curves, or a generator that may share state between calls.
    for (int h = 1; h <= k.ngen; ++h)
      if (!generateCurve(ISTAT, gen, k.name, h, list[h - 1], flushLog, npt, mov, load)) return false;
  }

  empty();
  text(blanks(5) + echoTitle + " GENERATED INTERNALLY ");
  empty();
  numberOfCurves(k.ngen);
  plotTitle(plotTitleText, k.ngen);
  for (int h = 1; h <= k.ngen; ++h) {
    curveLines(h, npt(h), k.heading);
    for (int p = 1; p <= npt(h); ++p) pointLine(mov(h, p), load(h, p));
    plotCurve(h, h, npt(h), mov, load);
  }
  return true;
}

bool loadSettlement(std::int32_t& ISTAT, HeadCurveGen* axgen) {
  LSCRV_T& T = LSCRV;
  const INPCRV_T& in = INPCRV;
  if (CURCTL.IUSRLS == 1) {
    T.LSNCRV = std::clamp<std::int32_t>(in.NLSIN, 0, MAXHDC);
    if (T.LSNCRV >= 1) {
      for (int c = 1; c <= T.LSNCRV; ++c) {
        T.LSNPT(c) = std::clamp<std::int32_t>(in.ULSNPT(c), 0, MAXHDP);
        for (int k = 1; k <= T.LSNPT(c); ++k) {
          T.LSDSP(c, k) = in.ULSDSP(c, k);
          T.LSLOD(c, k) = in.ULSLOD(c, k);
        }
      }
      empty();
      text(blanks(5) + "USER DEFINED" + " AXIAL LOAD-DISPLACEMENT CURVES");
      empty();
      numberOfCurves(T.LSNCRV);
      for (int c = 1; c <= T.LSNCRV; ++c) {
        curveLines(c, T.LSNPT(c), lsHeading());
        for (int k = 1; k <= T.LSNPT(c); ++k) pointLine(T.LSDSP(c, k), T.LSLOD(c, k));
      }
    }
  }

  const GENCRVIN_T& G = GENCRVIN;
  Kind k{"LOAD-SETTLEMENT", PILEAR.ILSCRV, PILEAR.ILSGEN, 0, lsHeading()};
  if (generates(PILEAR.ILSCRV)) {
    T.LSGNCV = std::clamp<std::int32_t>(G.NLSGEN, 0, MAXPIL);
    k.ngen = T.LSGNCV;
    assignGenerated(k);
    AXTZ.NAXTZ = 19;
    return generatedCurves(ISTAT, axgen, k, G.LSGLST.data(), false, "AXIAL LOAD-DISPLACEMENT CURVES",
                           "* AXIAL LOAD-DISPLACEMENT CURVES *", T.LSGNPT, T.LSGDSP, T.LSGLOD);
  }
  return true;
}

bool torqueRotation(std::int32_t& ISTAT, HeadCurveGen* trgen) {
  TRCRV_T& T = TRCRV;
  const INPCRV_T& in = INPCRV;
  if (RUNCTL.IUSRTR == 1) {
    T.TRNCRV = std::clamp<std::int32_t>(in.NTRIN, 0, MAXHDC);
    if (T.TRNCRV >= 1) {
      for (int c = 1; c <= T.TRNCRV; ++c) {
        T.TRNPT(c) = std::clamp<std::int32_t>(in.UTRNPT(c), 0, MAXHDP);
        for (int k = 1; k <= T.TRNPT(c); ++k) {
          T.TRROT(c, k) = in.UTRROT(c, k);
          T.TRTOR(c, k) = in.UTRTOR(c, k);
        }
      }
      empty();
      text(blanks(5) + "USER DEFINED TORQUE-ROTATION CURVE");
      numberOfCurves(T.TRNCRV);
      for (int c = 1; c <= T.TRNCRV; ++c) {
        curveLines(c, T.TRNPT(c), trHeading());
        for (int k = 1; k <= T.TRNPT(c); ++k) pointLine(T.TRROT(c, k), T.TRTOR(c, k));
      }
    }
  }

  const GENCRVIN_T& G = GENCRVIN;
  Kind k{"TORQUE-ROTATION", PILEAR.ITRCRV, PILEAR.ITRGEN, 0, trHeading()};
  if (generates(PILEAR.ITRCRV)) {
    T.TRGNCV = std::clamp<std::int32_t>(G.NTRGEN, 0, MAXTRG);
    k.ngen = T.TRGNCV;
    assignGenerated(k);
    return generatedCurves(ISTAT, trgen, k, G.TRGLST.data(), true, "TORQUE-ROTATION CURVES",
                           "* TORQUE-ROTATION CURVES *", T.TRGNPT, T.TRGROT, T.TRGTOR);
  }
  return true;
}

}  // namespace

bool generates(const FArray<std::int32_t, MAXPIL1>& user) {
  if (SOILCOM.NLAYER < 1) return false;
  for (int p = 1; p <= RUNCTL.NPILE; ++p)
    if (user(p) == 0) return true;
  return false;
}

void PRPHCV(std::int32_t& ISTAT, HeadCurveGen* axgen, HeadCurveGen* trgen) {
  empty(3);
  text(blanks(5) + "* TABLE H *   AXIAL LOAD VS DISPLACEMENT ");
  if (!loadSettlement(ISTAT, axgen)) return;

  if (RUNCTL.IANTYP != 3) return;
  empty(3);
  text(blanks(5) + "* TABLE I *   TORS. MOM. VS ANGLE ROT. ");
  torqueRotation(ISTAT, trgen);
}

}  // namespace drelm
