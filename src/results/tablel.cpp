#include "results/tablel.h"

#include "model/model_run.h"
#include "report/writers.h"
#include "results/anlio.h"

namespace drelm {

namespace {

void fullLine(int u, const double* v, int N) {
  for (int i = 0; i < N; ++i) {
    WRREAL(u, 18, 8, v[i]);
    WRBLNK(u, 5);
  }
  WREOL(u);
}

}  // namespace

void reportTableL(const double* P, const double* U, int N) {
  anl::out(U_REPORT, anl::blanks(5) + "* TABLE L *   COMPUTATION ON PILE CAP");
  anl::out(U_REPORT, "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
  fullLine(U_REPORT, P, N);
  anl::out(U_REPORT, "* DISPLACEMENT OF PILE CAP AT ORIGIN *");
  fullLine(U_REPORT, U, N);
}

}  // namespace drelm
