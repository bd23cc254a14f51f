// The engine's file layer: every file of a run is known by its unit number.
//
// Output is written record by record: put() appends text to the open record
// of a unit and endRecord() ends it, so a report line can be assembled field by
// field. Input files are opened for reading only and are never written.
// Unformatted files carry records framed by a 4-byte length before and after.
// A write to a unit that is not connected is dropped: the analysis never
// depends on a report being there.
// Writes are not checked one by one (the report writers are hot): a file's
// error state is looked at when it is flushed, rewound or closed and at every
// writeFailed(). The first file found failed is remembered for the run.
// A held unit keeps its output until commit(): the case status lines reach
// their file only after the reports they vouch for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace drelm::io {

enum class Access {
  // An input: an existing regular file (a link to one is followed), read
  // only. A device, a pipe or a directory is refused: it may never end.
  Read,
  // A report: created, or emptied when it exists; it may be a device or a
  // pipe where the user points it. Opened without waiting: a pipe with no
  // reader fails the open, one whose reader has gone fails its writes.
  Write,
  // A work file the run reads back: a regular file created or emptied by
  // this open, never through a link; read back on its unit after REWIND, or
  // through ReadBack once closed.
  Work,
  // A work file read back: the very file this run wrote as Work, neither
  // replaced nor grown or cut since it was closed.
  ReadBack,
};

constexpr int MAXUNIT = 99;

// Connect a unit to a file. Returns false when the file cannot be opened or is
// already connected to another unit; the unit is then left unconnected. A unit
// already connected is closed first.
bool OPEN(int unit, const std::string& name, Access access, bool unformatted = false);
// As OPEN, remembering the file as failed when it cannot be opened: for the
// files that the analysis writes or reads back.
bool openChecked(int unit, const std::string& name, Access access, bool unformatted = false);
// A work file outside the units (a solver's own scratch), opened as Work
// opens it; null when it cannot be. The caller closes it.
std::FILE* openWorkStream(const std::string& name);
// Disconnect a unit; closing a unit that is not connected does nothing.
void CLOSE(int unit);
void CLOSEALL();
bool connected(int unit);
// Flush buffered output of a unit to its file.
void FLUSH(int unit);
// Reposition a connected unit at the start of its file (for reading back).
void REWIND(int unit);

// Formatted output.
void put(int unit, std::string_view text);
void put(int unit, char c);
void endRecord(int unit);
// A free-form line: one blank, then the text, then the end of the record.
void line(int unit, std::string_view text);

// Formatted input of a connected unit: the next line without its line end;
// false at the end of the file or on a read error.
// A line longer than LINE_LIMIT keeps its first LINE_LIMIT characters.
constexpr std::size_t LINE_LIMIT = std::size_t{64} << 10;
bool readLine(int unit, std::string& text);
// The whole remaining content of a connected unit; false on a read error or
// when it holds more than `limit` bytes.
bool slurp(int unit, std::string& text, std::size_t limit = SIZE_MAX);

// Unformatted sequential records (4-byte length, bytes, 4-byte length).
void writeRecord(int unit, const void* data, std::size_t bytes);
// The same framing appended to a caller's buffer, so that a group of records
// can reach the file whole through one put().
void frameRecord(std::string& out, const void* data, std::size_t bytes);
// Reads the next record; false at the end of the file or on a damaged frame.
bool readRecord(int unit, std::string& bytes);

// The file name a unit is connected to (empty when not connected).
std::string nameOf(int unit);

// The first file of the run that could not be opened or written.
struct Failure {
  int unit = -1;  // -1: none
  std::string name;
  bool opening = false;  // the open failed, rather than a write, flush or close
};
// Looks at the error state of every connected output unit and returns true
// when any file of the run has failed so far.
bool writeFailed();
Failure failure();
// Remember a failure of `unit` (its file `name`); a failure already
// remembered stays the first.
void fail(int unit, const std::string& name, bool opening);
// Forget the failure: a new run starts.
void clearFailure();
// Called a few times a second while a write waits for a pipe's reader to
// take data: true gives the pipe up as failed, so that a stop request ends a
// run whose pipe is never read. Null: wait as long as the reader lives.
void whileWaitingForPipe(bool (*giveUp)());
// Forget the work files written, so that none of an earlier run is read
// back: a new run starts.
void forgetWorkFiles();

// Sends out the buffer of every output unit and looks at its error state;
// true when every file of the run is sound so far.
bool flushAll();
// From now on the output of `unit` is kept in memory, not written, until
// commit(); closing the unit drops what it kept. A held unit is written from
// one thread at a time (the analysis driver's).
void hold(int unit);
// Flushes every output unit; when every file of the run is sound, then
// writes what the held unit kept and flushes it too, else drops it. True
// when every file of the run is sound.
bool commit(int unit);

// Between start() and stop() on one thread, the output that thread writes
// to any unit (put, endRecord, line, writeRecord) is kept in the capture
// instead, in the order written; flushes are left out. replay() then writes
// it to the units as if it had been written at that moment, so that work
// done in parallel reaches the reports in a fixed order.
class Capture {
 public:
  Capture() = default;
  ~Capture();
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;
  void start();
  // Stop capturing on this thread (the kept output stays for replay).
  void stop();
  // Write what was kept to the units and forget it, keeping the memory for
  // the next use; on any thread that is not capturing into this capture.
  void replay();
  // Forget what was kept without writing it.
  void discard();

  void keep(int unit, std::string_view text);
  // Whether everything kept since the last replay or discard (if anything)
  // goes to the given unit.
  bool holdsOnly(int unit) const {
    for (const Piece& p : pieces_)
      if (p.unit != unit) return false;
    return true;
  }

 private:
  struct Piece {
    int unit;
    std::size_t end;  // of its text in text_
  };
  std::string text_;
  std::vector<Piece> pieces_;
  Capture* outer_ = nullptr;
  bool active_ = false;
};

}  // namespace drelm::io
