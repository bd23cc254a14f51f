// One run at a time in a working directory. A run holds a write lock on the
// lock file of its working directory from before it reads the names file to
// its end; a host that prepares the directory takes the same lock before it
// writes the names file and holds it until the engine has returned.
#pragma once

namespace drelm {

// The lock file, in the working directory.
constexpr const char* RUN_LOCK_FILE = "drelm.lock";

// The lock of the working directory for one run of the engine. The lock is
// held when no other process and no other run of this process holds it, or
// when this process's own caller already holds it as a classic record lock
// (a host that locked the directory before calling). Released at the end of
// the object's life.
class RunLock {
 public:
  RunLock();
  ~RunLock();
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;
  // False when another run holds the directory, or its lock file cannot be
  // opened or locked: the run must then touch nothing.
  bool held() const { return held_; }

 private:
  bool held_ = false;
  bool busy_ = false;  // this object marked the process's engine as running
  int fd_ = -1;        // lock file this object locked itself, -1 when none
  bool keptFd_ = false;  // fd_ is one of the descriptors never closed
};

}  // namespace drelm
