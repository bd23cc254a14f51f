#include "input/stopreq.h"

#include <cstdint>
#include <string>

#include "input/freeread.h"

namespace drelm {

bool stopRequested(std::string_view text) {
  // One integer in free form, as the input data file writes it (a repeat
  // count, a null value or a slash included); anything unreadable leaves the
  // stop word cleared.
  std::int32_t word = 0;
  FreeReader reader{std::string(text)};
  reader.record({fInt(word)}, "stop request");
  return word == 1;
}

}  // namespace drelm
