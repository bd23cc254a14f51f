// Report writers of the equivalent-stiffness estimation: its heading with the
// unit tables, the target line, and the point's load and displacement.
#pragma once

#include <cstdint>

namespace drelm {

// METHOD 0: based on the total applied load; any other value: on a target
// deflection.
void STFHEAD(std::int32_t method, std::int32_t IANTYP);
// The target line of estimation value NF+1 > 0 to UNIT.
void TRGDSPWR(int unit, std::int32_t NF, std::int32_t IANTYP, double SEDCMP, double SEDTGT, const double* CESTV);
// Point number, factor, target lines and the cap load and displacement of the
// point's converged pass.
void EQLDWR(std::int32_t NF, std::int32_t IANTYP, std::int32_t point, double factor, double SEDCMP, double SEDTGT,
            const double* CESTV, const double* load, const double* disp);

}  // namespace drelm
