// Unit labels of the cap stiffness tables, composed from the short labels of
// the reports, and the reading of the coded result records back from their
// scratch files.
#pragma once

#include <cstdint>
#include <string>

namespace drelm::cst {

std::string F();    // force label: "LBS", "KIP" or " KN"
std::string L();    // length label: "IN" or " M"
std::string SL();   // "/"
std::string DA();   // "-"
std::string RAD();  // "RAD"

// Reads the next coded record of UNIT: its number and N reals. False when the
// file ends early or the record does not hold N + 1 numbers.
bool readCoded(int unit, std::int32_t& number, double* v, int n);

// Message of a scratch file that holds fewer records than its writers owe,
// to the results report, the summary and the runtime log; the file is
// remembered as failed, so that the run ends with 41 naming it.
void shortScratch(int unit, const char* name);

}  // namespace drelm::cst
