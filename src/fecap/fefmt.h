// Field writers of the plate model's files: integer, fixed and exponent
// fields in the layouts of the plate listing and the decks.
#pragma once

#include <string>

namespace drelm {

// Integer right-justified in w columns (asterisks when it does not fit).
std::string fmtI(int w, long long v);
// Fixed field of w columns with d decimals (asterisks when it does not fit).
std::string fmtF(int w, int d, double x);
// Exponent field of w columns: a zero before the point and d significant
// digits after it, as "0.12345E+03" (asterisks when it does not fit).
std::string fmtE(int w, int d, double x);

// Deck fields: the field above when its text reads back as the value, else
// the shortest text that does, right-justified, or after one blank when it
// is wider than the field. A deck never loses a value to its layout.
std::string deckI(int w, long long v);
std::string deckF(int w, int d, double x);
std::string deckE(int w, int d, double x);

}  // namespace drelm
