#include "fecap/slabsol.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "cap/caprec.h"
#include "fecap/deckread.h"
#include "fecap/fefmt.h"
#include "fecap/front.h"
#include "fecap/loads.h"
#include "fecap/pilecpl.h"
#include "fecap/shell.h"
#include "fecap/slabin.h"
#include "fecap/slabout.h"
#include "model/fileio.h"
#include "model/model.h"
#include "model/model_run.h"

namespace drelm {
namespace {

void out(int u, const std::string& s) {
  io::put(u, s);
  io::endRecord(u);
}

// Smallest step of the halving when the deck gives none: a fraction of the
// pseudo-time range.
double stepFloor() {
  const FESOLV_T& F = FESOLV;
  if (F.DTMIN > 0.0) return F.DTMIN;
  const double range = std::fabs(F.TEND - F.TINI);
  return 1.0E-5 * (range > 0.0 ? range : 1.0);
}

void nodeLines(PArr<double>& v, const char* title) {
  io::line(U_FETRACE, title);
  for (int n = 1; n <= FESOLV.NPOIN && io::connected(U_FETRACE); ++n) {
    std::string s = fmtI(5, n);
    for (int d = 1; d <= 6; ++d) s += fmtE(13, 5, v(d, n));
    out(U_FETRACE, s);
  }
}

// Reads the title and the control records and sets the derived fields.
void readControl(DeckReader& deck) {
  FESOLV_T& F = FESOLV;
  std::string title;
  if (!deck.record(title)) throw PlateHalt{"PLATE DECK IS EMPTY"};
  out(U_FELIST, title.substr(0, 72));
  F.NCASE = 1;
  const std::vector<double> c = deck.read("iiiiiiiiiiiiiiii", "CONTROL RECORD 1");
  std::int32_t* const dst[16] = {&F.NPOIN, &F.NELEM, &F.NMATS, &F.NNODE, &F.NGAUS,  &F.NVFIX,
                                 &F.NNLOD, &F.NNSTI, &F.NDLOD, &F.NDSTI, &F.NCLOD,  &F.NCSTI,
                                 &F.NELOD, &F.NESTI, &F.NCTSTI, &F.ICOUPL};
  for (int i = 0; i < 16; ++i) *dst[i] = static_cast<std::int32_t>(c[i]);
  const std::vector<double> t = deck.read("rrrrir", "CONTROL RECORD 2");
  F.DT = t[0];
  F.TINI = t[1];
  F.TEND = t[2];
  F.DTMIN = t[3];
  F.MAXITER = static_cast<std::int32_t>(t[4]);
  F.FETOL = t[5];
  F.NDOFN = 6;
  F.NDIME = 2;
  F.NTYPE = 0;
  F.NPROP = 3;
  F.NSTRE = 8;
  F.NSTRM = 3;
  F.NSTRP = 5;
  // A node count that no element has is refused by the check of the
  // control data; until then its products must not overflow.
  const auto times = [](long long k, std::int32_t n) {
    return static_cast<std::int32_t>(std::clamp<long long>(k * n, -2147483647LL, 2147483647LL));
  };
  F.NEVAB = times(6, F.NNODE);
  F.NEVAM = times(2, F.NNODE);
  F.NEVAP = times(3, F.NNODE);
  F.NEVAR = F.NNODE;
  F.NDOFM = 2;
  F.NDOFP = 3;
  F.NDOFR = 1;
  // Counts that no table could hold are refused before anything is sized.
  const std::int32_t counts[14] = {F.NPOIN, F.NELEM, F.NMATS, F.NVFIX, F.NNLOD, F.NNSTI, F.NDLOD,
                                   F.NDSTI, F.NCLOD, F.NCSTI, F.NELOD, F.NESTI, F.NCTSTI, F.NNODE};
  for (std::int32_t n : counts)
    if (n > MAXFEITEM) {
      out(U_FELIST, " *** DIAGNOSIS: A COUNT OF THE CONTROL RECORD EXCEEDS " + std::to_string(MAXFEITEM));
      throw PlateHalt{"A COUNT OF THE PLATE DECK EXCEEDS " + std::to_string(MAXFEITEM)};
    }
  // The counts of loads, springs and pile heads that the data check does not
  // see: a negative one would silently read as none.
  const std::int32_t groups[9] = {F.NNLOD, F.NNSTI, F.NDLOD, F.NDSTI, F.NCLOD,
                                  F.NCSTI, F.NELOD, F.NESTI, F.NCTSTI};
  for (std::int32_t n : groups)
    if (n < 0) {
      out(U_FELIST, " *** DIAGNOSIS: A COUNT OF THE CONTROL RECORD IS NEGATIVE: " + std::to_string(n));
      throw PlateHalt{"A COUNT OF THE PLATE DECK IS NEGATIVE"};
    }
}

// Records of the deck that hold a value, after its first SKIP records.
long long recordsWithValues(const std::string& path, long long skip) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  long long n = 0;
  for (long long r = 1; std::getline(in, line); ++r)
    if (r > skip && line.find_first_not_of(" ,\t\r") != std::string::npos) ++n;
  return n;
}

// Every item of the deck is read from a record of its own, and a node that
// no record names stays at (0, 0), where a second one fails the mesh check:
// counts that need more records than the rest of the deck holds are refused
// before any array is sized by them.
void checkRoom(DeckReader& deck, const std::string& path) {
  const FESOLV_T& F = FESOLV;
  const auto n = [](std::int32_t c) { return c > 0 ? static_cast<long long>(c) : 0LL; };
  const long long need = n(F.NELEM) + std::max(n(F.NPOIN) - 1, 1LL) + n(F.NVFIX) + n(F.NMATS) + n(F.NNLOD) +
                         n(F.NNSTI) + n(F.NDLOD) + n(F.NDSTI) + n(F.NCLOD) + n(F.NCSTI) + n(F.NELOD) +
                         n(F.NESTI) + n(F.NCTSTI);
  const long long room = recordsWithValues(path, deck.recordNumber());
  if (need <= room) return;
  out(U_FELIST, "");
  out(U_FELIST, " *** DIAGNOSIS: THE COUNTS OF THE CONTROL RECORD NEED " + std::to_string(need) +
                    " RECORDS, THE REST OF THE DECK HOLDS " + std::to_string(room));
  CARDECHO(deck, "THE PLATE DECK IS SHORTER THAN ITS COUNTS");
}

// The most steps of one plate solution: in steps of 1E-5 of the pseudo-time
// range, the finest the halving makes by itself, the range takes 100000
// steps, and one more may end exactly on TEND after the rounding of the sums.
constexpr std::int32_t MAXSTP = 100001;

[[noreturn]] void tooManySteps() {
  out(U_FELIST, "");
  out(U_FELIST, " *** DIAGNOSIS: THE STEPPING NEEDS MORE THAN " + std::to_string(MAXSTP) + " STEPS");
  throw PlateHalt{"ITS STEPPING NEEDS MORE THAN " + std::to_string(MAXSTP) + " STEPS"};
}

struct Stepping {
  PlateArrays& A;
  PlateHeads* heads;
  FrontScratch& scratch;
  PArr<double> FIXINC;
  PlateOutcome& result;
  std::int32_t pileFailure = 0;
  bool stopped = false;
  std::int32_t stopStatus = 0;  // 4 on a stop request, 41 on a failed file
  double lref = 0;  // size of the plate: the diagonal of its nodes' bounding box

  // One equilibrium iteration; false when a pile evaluation failed, the
  // equations are singular or a stop is requested.
  bool iterate(double (&norms)[8]) {
    FESOLV_T& F = FESOLV;
    if (runEnds(stopStatus)) {
      stopped = true;
      return false;
    }
    A.ELRHS.zero();
    A.DSDIS.zero();
    std::int32_t st = 0;
    RUNCTL.KPILST = KPIL_SOUND;
    SHELLSTF(A, heads, st);
    io::line(U_FETRACE, "ITER = " + std::to_string(F.ITER) + " " + std::to_string(F.ISTEP));
    if (st != 0 || outcomeFailed(RUNCTL.KPILST)) {
      pileFailure = st != 0 ? st : 0;
      result.last = PlateOutcome::Failure::Piles;
      out(U_FECONV, "PILE-HEAD EVALUATION FAILED");
      out(U_LOG, "PILE-HEAD EVALUATION FAILED");
      return false;
    }
    SLABLOAD(A);
    A.RHSVEC.zero();
    ASMVEC(A, A.RHSVEC);
    double RHS, RRHS;
    VNORM6(A.RHSVEC.data(), RHS, RRHS, A.RHSVEC.size());
    A.RHSVEC.zero();
    // A prescribed value is reached once: later increments keep it.
    for (int i = 1; i <= F.NVFIX; ++i)
      for (int d = 1; d <= 6; ++d) {
        const int n = A.FIXNOD(i);
        FIXINC(d, i) = A.FIXVAL(d, i);
        if (A.FIXCOD(d, i) == 1) FIXINC(d, i) -= A.ASDIS(d, n) + A.TSDIS(d, n);
      }
    if (const int g = FRONTSOL(A, FIXINC, scratch); g != 0) {
      result.last = PlateOutcome::Failure::Singular;
      const std::string why = "SINGULAR PLATE EQUATIONS, PIVOT OF VARIABLE " + std::to_string(g) + " IS NIL";
      out(U_FECONV, why);
      out(U_LOG, "     ** WARNING **  NO SOLUTION OF THE PLATE, " + why);
      return false;
    }
    nodeLines(A.DSDIS, "DSDIS");
    VADD(A.TSDIS.data(), A.DSDIS.data(), A.TSDIS.size());
    nodeLines(A.TSDIS, "TSDIS");
    double D, R, U, RU;
    VNORM6(A.DSDIS.data(), D, R, A.DSDIS.size());
    VNORM6(A.TSDIS.data(), U, RU, A.TSDIS.size());
    ++F.ITER;
    norms[0] = D, norms[1] = R, norms[2] = U, norms[3] = RU, norms[4] = RHS, norms[5] = RRHS;
    norms[6] = U != 0.0 ? D / U : D;
    norms[7] = RU != 0.0 ? R / RU : R;
    return true;
  }

  void report(const double (&n)[8]) {
    const FESOLV_T& F = FESOLV;
    out(U_LOG, "ITER =" + fmtI(5, F.ITER) + " ERR1 =" + fmtE(11, 4, n[6]) + " ERR2 = " + fmtE(11, 4, n[7]));
    for (int u : {static_cast<int>(U_FECONV), static_cast<int>(U_FETRACE)}) {
      out(u, "ITER =" + fmtI(5, F.ITER) + " ERR1 =" + fmtE(11, 4, n[6]) + " D = " + fmtE(11, 4, n[0]) +
                 " U =" + fmtE(11, 4, n[2]) + " RHS = " + fmtE(11, 4, n[4]));
      out(u, "      " + std::string(5, ' ') + " ERR2 =" + fmtE(11, 4, n[7]) + " R = " + fmtE(11, 4, n[1]) +
                 " RU=" + fmtE(11, 4, n[3]) + " RRHS= " + fmtE(11, 4, n[5]));
    }
  }

  // One step's iterations; true when they converge.
  bool step() {
    FESOLV_T& F = FESOLV;
    F.ITER = 0;
    for (int u : {static_cast<int>(U_LOG), static_cast<int>(U_FECONV), static_cast<int>(U_FETRACE)}) {
      out(u, "");
      out(u, "STEP " + fmtI(5, F.ISTEP) + "   TCUR   =" + fmtF(10, 4, F.TCUR) + "  DT = " + fmtF(10, 4, F.DTCUR));
    }
    A.TSDIS.zero();
    pileFailure = 0;
    for (;;) {
      double n[8];
      if (!iterate(n)) return false;
      report(n);
      // A diverged iteration is not a converged one.
      result.last = PlateOutcome::Failure::Convergence;
      for (double v : n)
        if (!std::isfinite(v)) return false;
      if (F.ITER == 1) continue;  // every step iterates at least twice
      // Rotations times the size of the plate are displacements: a part whose
      // correction is small against the whole step's motion is settled even
      // when its own motion is only round-off (a plate that sinks without
      // tilting, or turns without sinking).
      const double whole = F.FETOL * (n[2] + lref * n[3]);
      const bool tr = n[6] <= F.FETOL || n[0] <= 1.0E-10 || n[2] <= 1.0E-10 || n[4] <= 1.0E-10 || n[0] <= whole;
      const bool rot =
          n[7] <= F.FETOL || n[1] <= 1.0E-10 || n[3] <= 1.0E-10 || n[5] <= 1.0E-10 || lref * n[1] <= whole;
      if (tr && rot) return true;
      if (F.ITER > F.MAXITER) break;
    }
    return false;
  }

  void run(std::int32_t& ISTAT) {
    FESOLV_T& F = FESOLV;
    F.TCUR = F.TINI + F.DT;
    F.DTCUR = F.DT;
    F.ISTEP = 1;
    F.FETOL = 1.0E-4;
    F.NRHS = F.NCASE;
    A.DSDIS.zero();
    A.ASDIS.zero();
    A.TSDIS.zero();
    FIXINC.alloc(6, F.NVFIX);
    double lo[2] = {0, 0}, hi[2] = {0, 0};
    for (int n = 1; n <= F.NPOIN; ++n)
      for (int c = 0; c < 2; ++c) {
        const double x = A.NODXY(c + 1, n);
        lo[c] = n == 1 ? x : std::min(lo[c], x);
        hi[c] = n == 1 ? x : std::max(hi[c], x);
      }
    lref = std::hypot(hi[0] - lo[0], hi[1] - lo[1]);
    const double floor = stepFloor();
    if ((F.TEND - F.TINI) / F.DT > MAXSTP) tooManySteps();
    std::int32_t lastPileFailure = 0;
    const double range = F.TEND - F.TINI;
    while (F.TCUR <= F.TEND) {
      if (F.ISTEP > MAXSTP) tooManySteps();
      result.stepped = true;
      // A step that ends on TEND is the last: TCUR + DTCUR - DTCUR may round
      // below TEND, which must not bring the stepping back to TEND again.
      const bool last = F.TCUR >= F.TEND;
      const bool converged = step();
      if (stopped) {
        ISTAT = stopStatus;
        return;
      }
      if (converged) {
        VADD(A.ASDIS.data(), A.TSDIS.data(), A.ASDIS.size());
        SLABDSP(A);
        SLABSTR(A);
        result.accepted = true;
        result.reached = range > 0.0 ? (F.TCUR - F.TINI) / range : 1.0;
        result.last = PlateOutcome::Failure::None;
        ++F.ISTEP;
        lastPileFailure = 0;
        if (last) break;
        F.TCUR = std::min(F.TCUR + F.DTCUR, F.TEND);
        continue;
      }
      lastPileFailure = pileFailure;
      F.DTCUR *= 0.5;
      if (F.DTCUR < floor) {
        out(U_LOG, "error, REQUIRED INCREMENT LESS THAN MINIMUM SPECIFIED");
        out(U_FECONV, "error, REQUIRED INCREMENT LESS THAN MINIMUM SPECIFIED");
        break;
      }
      F.TCUR -= F.DTCUR;
    }
    if (F.ISTEP > 1) PILECPL(A, heads, ISTAT);
    out(U_FEPOST, "END_STEP_DATA");
    // A pile failure that ended the stepping is the run's.
    if (ISTAT == 0 && lastPileFailure != 0) ISTAT = lastPileFailure;
  }
};

void fatal(const std::string& why) {
  out(U_LOG, "");
  out(U_LOG, "    **** FATAL ERROR **** PLATE MODEL OF THE CAP: " + why);
}

bool openUnit(int unit, const std::string& name, io::Access acc, const char* role, bool unformatted = false) {
  if (io::OPEN(unit, name, acc, unformatted)) return true;
  fatal(std::string("CANNOT OPEN THE PLATE ") + role + " " + name);
  return false;
}

void closeAll(const std::string& elemFile) {
  for (int u : {U_FEDECK, U_FELIST, U_FEPOST, U_FECONV, U_FEELEM}) io::CLOSE(u);
  std::error_code ec;
  if (!elemFile.empty()) std::filesystem::remove(elemFile, ec);
}

}  // namespace

std::string plateFileName(const std::string& runFile, const char* ext) {
  std::string s = runFile;
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
  const std::size_t base = s.find_last_of('/') == std::string::npos ? 0 : s.find_last_of('/') + 1;
  const std::size_t dot = s.find_last_of('.');
  if (dot != std::string::npos && dot > base) s.erase(dot);
  return s + ext;
}

void SLABSOL(PlateHeads* HEADS, std::int32_t& ISTAT, PlateOutcome* OUTCOME) {
  PlateOutcome local;
  PlateOutcome& result = OUTCOME ? *OUTCOME : local;
  result = PlateOutcome{};
  // The file list: record 2 the deck, 3 the listing, 4 post-processing, 5 convergence.
  std::vector<std::string> names;
  if (io::OPEN(U_FEGSLAB, GSLAB_NAME, io::Access::Read)) {
    std::string rec;
    while (names.size() < 5 && io::readLine(U_FEGSLAB, rec)) {
      while (!rec.empty() && rec.back() == ' ') rec.pop_back();
      names.push_back(rec);
    }
    io::CLOSE(U_FEGSLAB);
  }
  if (names.size() < 5 || names[1].empty() || names[2].empty() || names[3].empty() || names[4].empty()) {
    fatal(std::string("THE PLATE FILE LIST ") + GSLAB_NAME + " IS MISSING OR SHORT");
    ISTAT = STAT_PLATE;
    return;
  }
  const std::string elemFile = plateFileName(names[2], ".fe3");
  const std::string eqFile = plateFileName(names[2], ".fe2");
  if (!openUnit(U_FELIST, names[2], io::Access::Write, "LISTING") ||
      !openUnit(U_FEDECK, names[1], io::Access::Read, "DECK") ||
      !openUnit(U_FEPOST, names[3], io::Access::Write, "POST-PROCESSING FILE") ||
      !openUnit(U_FECONV, names[4], io::Access::Write, "CONVERGENCE LOG") ||
      !openUnit(U_FEELEM, elemFile, io::Access::Work, "ELEMENT RECORD FILE", true)) {
    if (io::connected(U_FELIST)) out(U_FELIST, " *** THE PLATE FILES CANNOT BE OPENED");
    closeAll(elemFile);
    ISTAT = STAT_PLATE;
    return;
  }
  FrontScratch scratch;
  PlateArrays A;
  try {
    if (!scratch.open(eqFile)) {
      out(U_FELIST, " *** THE EQUATION SCRATCH FILE CANNOT BE OPENED: " + eqFile);
      throw PlateHalt{"THE EQUATION SCRATCH FILE CANNOT BE OPENED"};
    }
    DeckReader deck(U_FEDECK);
    readControl(deck);
    if (!(FESOLV.DT > 0.0) || !(FESOLV.TEND >= FESOLV.TINI)) {
      out(U_FELIST, " *** DIAGNOSIS: THE TIME STEP MUST BE POSITIVE AND TEND NOT BELOW TINI");
      CARDECHO(deck, "PLATE DECK TIME STEPPING NOT VALID");
    }
    if (FESOLV.ICOUPL > 0 && FESOLV.NCTSTI > 0 && HEADS == nullptr) {
      out(U_FELIST, " *** DIAGNOSIS: THE DECK COUPLES PILE HEADS BUT NO PILE-HEAD RESPONSE IS AVAILABLE");
      CARDECHO(deck, "NO PILE-HEAD RESPONSE FOR THE COUPLED PILE HEADS");
    }
    SLABHEAD(deck);
    checkRoom(deck, names[1]);
    A.allocateDeck();
    SLABIN(A, deck);
    io::CLOSE(U_FEDECK);
    A.allocateElements();
    Stepping s{A, HEADS, scratch, {}, result};
    s.run(ISTAT);
  } catch (const PlateHalt& h) {
    fatal(h.why);
    ISTAT = STAT_PLATE;
  } catch (const std::bad_alloc&) {
    out(U_FELIST, " *** THE PLATE ARRAYS CANNOT BE ALLOCATED");
    fatal("ITS ARRAYS CANNOT BE ALLOCATED");
    ISTAT = STAT_PLATE;
  }
  closeAll(elemFile);
}

}  // namespace drelm
