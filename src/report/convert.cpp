// Display and input conversions. English units (foot, inch, pound) apply to
// every units code but 2; forces are shown in kips only for code 1 with the
// kip switch. Powers of 12 and 1000 are applied one factor at a time.
#include "report/convert.h"

#include "model/model.h"

namespace drelm {
namespace {
bool english() { return RUNCTL.IUNITS != 2; }
bool kips() { return RUNCTL.IUNITS == 1 && RUNCTL.IKIPS == 1; }
}  // namespace

double INLEN(double x) { return english() ? x * 12.0 : x; }
double INPRS(double x) { return english() ? x / 12.0 / 12.0 : x; }
double INUWT(double x) { return english() ? x / 12.0 / 12.0 / 12.0 : x; }
double INDIM(double x) { return english() ? x : x / 1000.0; }
double INAREA(double x) { return english() ? x : x / 1000.0 / 1000.0; }
double INMOI(double x) { return english() ? x : x / 1000.0 / 1000.0 / 1000.0 / 1000.0; }

double OUTLEN(double x) { return english() ? x / 12.0 : x; }
double OUTPRS(double x) { return english() ? x * 12.0 * 12.0 : x; }
double OUTUWT(double x) { return english() ? x * 12.0 * 12.0 * 12.0 : x; }
double OUTDIM(double x) { return english() ? x : x * 1000.0; }
double OUTAREA(double x) { return english() ? x : x * 1000.0 * 1000.0; }
double OUTMOI(double x) { return english() ? x : x * 1000.0 * 1000.0 * 1000.0 * 1000.0; }

double OUTFRC(double x) { return kips() ? x / 1000.0 : x; }
double INFRC(double x) { return kips() ? x * 1000.0 : x; }

}  // namespace drelm
