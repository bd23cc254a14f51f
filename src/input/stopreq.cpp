#include "input/stopreq.h"

#include <cstdint>
#include <string>

#include "input/freeread.h"
#include "model/fileio.h"
#include "model/model.h"

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

bool stopFileRequests() {
  if (!io::OPEN(U_STOP, FNAMES.FNU(U_STOP).trimmed(), io::Access::Read)) return false;
  std::string text;
  const bool ok = io::slurp(U_STOP, text, STOP_FILE_LIMIT);
  io::CLOSE(U_STOP);
  return ok && stopRequested(text);
}

}  // namespace drelm
