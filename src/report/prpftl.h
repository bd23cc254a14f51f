// The fatal block of the preprocessing, written by the input report and by
// the soil and load-transfer code it calls.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace drelm {

// Fatal block of the preprocessing to the runtime log and the results report:
// an empty line, the heading, then each text line indented by five blanks.
// Stores the status code.
void PRPFTL(std::int32_t& ISTAT, std::int32_t code, std::initializer_list<std::string> text);

// Fatal block of the pile node set-up to the results report and the runtime
// log: three empty lines, the heading, then each line indented by five
// blanks. The caller stores the status and keeps threads apart.
void nodeFatalBlock(std::initializer_list<std::string> lines);
// That block for a pile (or cap member) of length PLEN that reaches below the
// deepest soil layer, with the lines MORE after it.
void belowProfileBlock(double PLEN, std::initializer_list<std::string> more = {});

}  // namespace drelm
