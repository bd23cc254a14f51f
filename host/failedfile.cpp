#include "failedfile.h"

#include <cstdio>

#include "model/statusmsg.h"
#include "textread.h"

namespace drelm::host {

std::vector<std::string> finalMessage(std::int32_t status, const std::filesystem::path& dir,
                                      const std::filesystem::path& log) {
  if (status != 41) return statusLines(status);
  // The last file line of the log is the run's final message; the line after
  // it gives its names-file line when there is one.
  // Only a regular file: a log that is a device may never end.
  std::string file;
  bool written = false, found = false;
  int namesLine = 0;
  bool named = false;
  forEachLine(log, [&](std::string_view v) {
    const std::string line(v);
    std::string f;
    bool w = false;
    if (fileOfFailedLine(line, f, w)) {
      file = f;
      written = w;
      found = true;
      named = true;
      namesLine = 0;
      return true;
    }
    int n = 0;
    if (named && std::sscanf(line.c_str(), " NAMED ON LINE %d OF THE NAMES FILE", &n) == 1) namesLine = n;
    named = false;
    return true;
  });
  if (!found) {
    std::fprintf(stderr,
                 "drelm: the runtime log %s names no failed file: the log itself could not be "
                 "written or read\n",
                 log.c_str());
    return statusLines(status);
  }
  const std::filesystem::path path = dir / file;
  std::fprintf(stderr, "drelm: %s %s\n", written ? "cannot write" : "cannot open",
               path.c_str());
  return statusLines(status, file, namesLine, written);
}

}  // namespace drelm::host
