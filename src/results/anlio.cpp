#include "results/anlio.h"

#include "report/gfield.h"
#include "report/writers.h"
#include "soil/pyframe.h"

namespace drelm::anl {

std::string efield(int w, int d, double x) { return py::expo(w, d, x); }
std::string gfield(int w, int d, double x) { return generalField(w, d, x); }
std::string ffield(int w, int d, double x) { return fixedField(w, d, x); }

}  // namespace drelm::anl
