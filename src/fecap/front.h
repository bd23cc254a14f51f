// Frontal solution of the plate equations: the element matrices are summed
// into a front and eliminated element by element; the eliminated equations
// go to a scratch file and are read back in reverse for the back-substitution.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "fecap/fedata.h"

namespace drelm {

// The equation scratch file of the frontal solver, created in the run
// directory under a name of the run, removed when closed.
class FrontScratch {
 public:
  FrontScratch() = default;
  ~FrontScratch();
  FrontScratch(const FrontScratch&) = delete;
  FrontScratch& operator=(const FrontScratch&) = delete;
  bool open(const std::string& path);
  void close();
  std::FILE* file() const { return f_; }

 private:
  std::FILE* f_ = nullptr;
  std::string path_;
};

// A pivot at or below this fraction of its variable's assembled diagonal is
// nil: what is left of the diagonal is round-off.
constexpr double PIVTOL = 1.0E-10;

// Solves the system of ELSTIF and ELRHS into DSDIS (zeroed by the caller).
// FIXV holds the value each restrained variable takes (code 1 in FIXCOD);
// RHSVEC returns the reactions there. Returns 0, or the variable whose pivot
// is zero or negligible against its diagonal (the equations are singular:
// said in the plate listing, DSDIS not set). Halts the plate model
// (PlateHalt) on a front beyond MAXFRT.
int FRONTSOL(PlateArrays& A, PArr<double>& FIXV, FrontScratch& scratch);

}  // namespace drelm
