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

}  // namespace drelm
