// Report field writers: each appends one field to the open record of a unit;
// WREOL ends the record with one blank. The buffer twins place fields into a
// 500-character line buffer at a 1-based column that they advance.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace drelm {

// A real of width w with d significant digits, fixed or exponent form by
// magnitude; asterisks when it does not fit.
void WRREAL(int unit, int w, int d, double x);
void WRINT(int unit, int w, std::int32_t value);
void WRBLNK(int unit, int n);
void WREOL(int unit);
void WRA10(int unit, std::string_view text);
void WRA6(int unit, std::string_view text);
void WRA256(int unit, std::string_view text);
void WRA1(int unit, std::string_view text);
void WRA2(int unit, std::string_view text);
void WRA3(int unit, std::string_view text);
void WRTRIM(int unit, std::string_view text);

using LineBuffer = char[500];
void BFREAL(LineBuffer& buf, int w, int d, double x, int& c);
void BFBLNK(LineBuffer& buf, int n, int& c);
void BFTEXT(LineBuffer& buf, std::string_view text, int n, int& c);

// The text of a WRREAL field (w characters), and of its buffer twin.
std::string realField(int w, int d, double x);
std::string bufferRealField(int w, int d, double x);
// Fortran-style fixed (Fw.n) and exponent (Ew.d, one digit before the point)
// fields, right-justified, asterisks when the value does not fit.
std::string fixedField(int w, int n, double x);
std::string exponentField(int w, int d, double x);
// Exponent field Ew.d of the reports: mantissa between 0.1 and 1 with d
// digits and a four-character exponent, right-justified in w columns (the
// leading zero goes first when the field is tight).
std::string EFIELD(int w, int d, double x);
// The same field written into out[0..w) without a temporary; returns out + w.
char* efieldTo(char* out, int w, int d, double x);
// Integer right-justified in w columns, asterisks when it does not fit.
std::string intField(int w, long long value);
// The same two fields written into out[0..w) without a temporary; they
// return out + w.
char* fixedFieldTo(char* out, int w, int n, double x);
char* intFieldTo(char* out, int w, long long value);

}  // namespace drelm
