// Conversions between the units of the input file, the internal units and
// the units shown in the reports. Each reads IUNITS and IKIPS of RUNCTL.
#pragma once

namespace drelm {

double INLEN(double x);
double INPRS(double x);
double INUWT(double x);
double INDIM(double x);
double INAREA(double x);
double INMOI(double x);
double OUTLEN(double x);
double OUTPRS(double x);
double OUTUWT(double x);
double OUTDIM(double x);
double OUTAREA(double x);
double OUTMOI(double x);
double OUTFRC(double x);
double INFRC(double x);

}  // namespace drelm
