// Which files of the output directory the run itself wrote. A report left by
// an earlier run under the same name must not pass for this run's: the host
// watches the files from before the engine starts.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace drelm::host {

class RunFiles {
 public:
  // Starts watching the files NAMES of DIR; call before the engine starts.
  RunFiles(const std::filesystem::path& dir, const std::vector<std::string>& names);
  ~RunFiles();
  RunFiles(const RunFiles&) = delete;
  RunFiles& operator=(const RunFiles&) = delete;

  // True when the file was created, emptied or written since the watch
  // began and is there now. Without a watch (no notifications on this
  // system) a file that is there counts.
  bool written(const std::string& name);

 private:
  void drain();

  std::filesystem::path dir_;
  int fd_ = -1;
  int dirWatch_ = -1;
  std::map<int, std::string> fileWatch_;
  std::set<std::string> names_, seen_;
  bool blind_ = false;
};

}  // namespace drelm::host
