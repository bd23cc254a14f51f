// The user p-y curves of the input: copied into the working table and echoed
// as "* TABLE G *". Deflections and resistances are shown in internal units.
#include <string>

#include "report/convert.h"
#include "report/labels.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"
#include "prep/prep_steps.h"
#include "model/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(USRPY_T, USRPY);

namespace {

constexpr int U = U_ECHO;

void line(const std::string& s = "") {
  io::put(U, s);
  io::endRecord(U);
}
std::string blanks(int n) { return std::string(n, ' '); }

}  // namespace

void PRPUPY(std::int32_t& ISTAT) {
  (void)ISTAT;  // the copy cannot fail: the reader kept every count within its table
  USRPY.NPYSET = 0;
  if (RUNCTL.IUSRPY != 1) return;
  const INPCRV_T& in = INPCRV;
  USRPY_T& T = USRPY;
  T.NPYSET = in.NPYSET;
  if (T.NPYSET < 1) return;
  for (int s = 1; s <= T.NPYSET; ++s) {
    T.PYNCRV(s) = in.UPYNC(s);
    for (int c = 1; c <= T.PYNCRV(s); ++c) {
      T.PYDEP(s, c) = in.UPYDEP(s, c);
      T.PYNPT(s, c) = in.UPYNPT(s, c);
      for (int k = 1; k <= T.PYNPT(s, c); ++k) {
        T.PYY(s, c, k) = in.UPYY(s, c, k);
        T.PYP(s, c, k) = in.UPYP(s, c, k);
      }
    }
  }

  line();
  line();
  line();
  line(blanks(5) + "* TABLE G *   INPUT P-Y CURVES");
  line();
  line(blanks(7) + "NUM OF SETS :" + intField(3, T.NPYSET));
  for (int s = 1; s <= T.NPYSET; ++s) {
    line();
    line();
    line(blanks(7) + "SET" + intField(3, s) + blanks(10) + "NUM OF CURVES" + intField(3, T.PYNCRV(s)));
    line();
    for (int c = 1; c <= T.PYNCRV(s); ++c) {
      line();
      io::put(U, blanks(8) + "CURVE");
      WRINT(U, 8, c);
      WRBLNK(U, 6);
      io::put(U, "DISTANCE FROM ORIGIN (X-COORD.)");
      WRBLNK(U, 3);
      WRREAL(U, 10, 5, OUTLEN(T.PYDEP(s, c)));
      io::put(U, UNITLB.ULBIG3.str());
      WREOL(U);
      line(" ");
      line(blanks(12) + "POINT" + blanks(13) + "P" + UNITLB.ULFRC4.str() + blanks(17) + "Y" +
           UNITLB.ULLEN3.str());
      for (int k = 1; k <= T.PYNPT(s, c); ++k) {
        WRBLNK(U, 10);
        WRINT(U, 5, k);
        WRBLNK(U, 11);
        WRREAL(U, 12, 5, T.PYP(s, c, k));
        WRBLNK(U, 9);
        WRREAL(U, 12, 5, T.PYY(s, c, k));
        WREOL(U);
      }
    }
  }
}

}  // namespace drelm
