#include "model/fileio.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "support/testdir.h"

namespace drelm {
namespace {

using test::readFile;
using test::ScratchDir;
using test::writeFile;

// The frame of one unformatted record: length, bytes, length.
std::string frame(const std::string& body, std::uint32_t head, std::uint32_t tail) {
  std::string s(reinterpret_cast<const char*>(&head), 4);
  s += body;
  s.append(reinterpret_cast<const char*>(&tail), 4);
  return s;
}

TEST(FileIo, InputFileIsNeverWritten) {
  ScratchDir dir;
  const std::string original = "TITLE\r\n1 2 3\nlast";
  writeFile("input.dat", original);
  ASSERT_TRUE(io::OPEN(15, "input.dat   ", io::Access::Read));  // trailing blanks of the names file
  io::put(15, "overwrite");
  io::put(15, 'x');
  io::endRecord(15);
  io::line(15, "a line");
  io::writeRecord(15, "abcd", 4);
  io::FLUSH(15);
  std::string l;
  ASSERT_TRUE(io::readLine(15, l));
  EXPECT_EQ(l, "TITLE");  // the carriage return is not part of the line
  ASSERT_TRUE(io::readLine(15, l));
  EXPECT_EQ(l, "1 2 3");
  ASSERT_TRUE(io::readLine(15, l));
  EXPECT_EQ(l, "last");
  EXPECT_FALSE(io::readLine(15, l));
  io::CLOSE(15);
  EXPECT_EQ(readFile("input.dat"), original);
}

// A second connection of a file, under any spelling of its name, is refused:
// opening an input file for writing would empty it, and reading a report on
// another unit while it grows never ends.
TEST(FileIo, AFileIsConnectedToOneUnitAtATime) {
  ScratchDir dir;
  writeFile("input.dat", "TITLE\n");
  ASSERT_TRUE(io::OPEN(15, "input.dat", io::Access::Read));
  for (const char* other : {"input.dat", "./input.dat", "input.dat  "}) {
    EXPECT_FALSE(io::OPEN(16, other, io::Access::Write)) << other;
    EXPECT_FALSE(io::OPEN(33, other, io::Access::Read)) << other;
  }
  EXPECT_FALSE(io::connected(16));
  EXPECT_EQ(readFile("input.dat"), "TITLE\n");

  ASSERT_TRUE(io::OPEN(18, "summary.txt", io::Access::Write));
  EXPECT_FALSE(io::OPEN(30, "summary.txt", io::Access::Read));
  EXPECT_FALSE(io::OPEN(30, "summary.txt", io::Access::Write));

  // Reconnecting the same unit, or another unit once the first let go, works.
  EXPECT_TRUE(io::OPEN(15, "input.dat", io::Access::Read));
  io::CLOSE(15);
  EXPECT_TRUE(io::OPEN(16, "input.dat", io::Access::Write));
  io::CLOSEALL();
}

TEST(FileIo, MissingInputFileLeavesUnitUnconnected) {
  ScratchDir dir;
  EXPECT_FALSE(io::OPEN(15, "absent.dat", io::Access::Read));
  EXPECT_FALSE(io::connected(15));
  EXPECT_FALSE(io::OPEN(16, "   ", io::Access::Write));
  EXPECT_FALSE(io::OPEN(io::MAXUNIT + 1, "x.txt", io::Access::Write));
  EXPECT_FALSE(io::OPEN(-1, "x.txt", io::Access::Write));
}

TEST(FileIo, WriteEmptiesAnExistingLongerFile) {
  ScratchDir dir;
  writeFile("report.txt", std::string(5000, 'z') + "\n");
  ASSERT_TRUE(io::OPEN(16, "report.txt", io::Access::Write));
  io::put(16, "AB");
  io::put(16, 'C');
  io::endRecord(16);
  io::line(16, "free");
  io::CLOSE(16);
  EXPECT_EQ(readFile("report.txt"), "ABC\n free\n");
}

TEST(FileIo, ReopeningAUnitClosesTheFirstFile) {
  ScratchDir dir;
  ASSERT_TRUE(io::OPEN(20, "first.txt", io::Access::Write));
  io::put(20, "one");
  ASSERT_TRUE(io::OPEN(20, "second.txt", io::Access::Write));
  io::put(20, "two");
  EXPECT_EQ(io::nameOf(20), "second.txt");
  io::CLOSEALL();
  EXPECT_EQ(readFile("first.txt"), "one");
  EXPECT_EQ(readFile("second.txt"), "two");
  EXPECT_EQ(io::nameOf(20), "");
}

TEST(FileIo, UnformattedRecordsRoundTrip) {
  ScratchDir dir;
  ASSERT_TRUE(io::OPEN(28, "curves.bin", io::Access::Write, true));
  const double values[3] = {1.5, -2.25, 1e300};
  const std::string text(1000, 'q');
  io::writeRecord(28, values, sizeof values);
  io::writeRecord(28, "", 0);
  io::writeRecord(28, text.data(), text.size());
  io::REWIND(28);
  std::string rec;
  ASSERT_TRUE(io::readRecord(28, rec));
  ASSERT_EQ(rec.size(), sizeof values);
  EXPECT_EQ(rec, std::string(reinterpret_cast<const char*>(values), sizeof values));
  ASSERT_TRUE(io::readRecord(28, rec));
  EXPECT_TRUE(rec.empty());
  ASSERT_TRUE(io::readRecord(28, rec));
  EXPECT_EQ(rec, text);
  EXPECT_FALSE(io::readRecord(28, rec));
  io::CLOSE(28);
  EXPECT_EQ(readFile("curves.bin").size(), sizeof values + 0 + text.size() + 3 * 8);
}

TEST(FileIo, DamagedFramesReadFalse) {
  struct Damaged {
    const char* name;
    std::string bytes;
  };
  const Damaged cases[] = {
      {"short length", std::string("\x05\x00", 2)},
      {"tail differs", frame("hello", 5, 6)},
      {"body cut short", frame("hello", 5, 5).substr(0, 7)},
      {"tail missing", frame("hello", 5, 5).substr(0, 9)},
      {"length past the end", frame("hello", 4000000000u, 5)},
  };
  ScratchDir dir;
  for (const Damaged& c : cases) {
    SCOPED_TRACE(c.name);
    // A sound record first: it still reads, the damaged one after it does not.
    writeFile("damaged.bin", frame("ok", 2, 2) + c.bytes);
    ASSERT_TRUE(io::OPEN(28, "damaged.bin", io::Access::Read, true));
    std::string rec;
    ASSERT_TRUE(io::readRecord(28, rec));
    EXPECT_EQ(rec, "ok");
    EXPECT_FALSE(io::readRecord(28, rec));
    io::CLOSE(28);
  }
}

// A report larger than the write buffer arrives whole and in order, and what
// is written before a rewind is read back after it.
TEST(FileIo, LargeReportsArriveWholeThroughTheBuffer) {
  ScratchDir dir;
  ASSERT_TRUE(io::OPEN(16, "big.out", io::Access::Write));
  std::string expected;
  for (int k = 0; k < 60000; ++k) {
    const std::string l = "line " + std::to_string(k) + std::string(k % 50, '.');
    io::put(16, l);
    io::endRecord(16);
    expected += l + "\n";
  }
  ASSERT_GT(expected.size(), std::size_t{2} << 20);
  io::REWIND(16);
  std::string back;
  ASSERT_TRUE(io::slurp(16, back));
  EXPECT_TRUE(back == expected);
  io::CLOSE(16);
  EXPECT_TRUE(readFile("big.out") == expected);
}

TEST(FileIo, UnconnectedUnitsAreHarmless) {
  ScratchDir dir;
  for (int unit : {5, 0, io::MAXUNIT, -1, io::MAXUNIT + 1, 100000}) {
    io::CLOSE(unit);
    io::put(unit, "dropped");
    io::endRecord(unit);
    io::writeRecord(unit, "x", 1);
    io::FLUSH(unit);
    io::REWIND(unit);
    std::string s;
    EXPECT_FALSE(io::connected(unit));
    EXPECT_FALSE(io::readLine(unit, s));
    EXPECT_FALSE(io::readRecord(unit, s));
    EXPECT_FALSE(io::slurp(unit, s));
  }
  // Closing twice does nothing more.
  ASSERT_TRUE(io::OPEN(10, "log.txt", io::Access::Write));
  io::put(10, "kept");
  io::CLOSE(10);
  io::CLOSE(10);
  EXPECT_EQ(readFile("log.txt"), "kept");
}

}  // namespace
}  // namespace drelm

namespace drelm {
namespace {

// Writes are not checked one by one: a failed buffer is found at the flush,
// the rewind, the close or the run's check, and the first failed file is
// the one remembered.
TEST(FileIo, FailedWritesAreFoundAtFlushRewindCloseAndCheck) {
  test::ScratchDir dir;
  // Beyond one buffer: it goes out, and fails, before any flush; the run's
  // check finds it.
  const std::string big(200000, 'x');
  const struct {
    const char* how;
    void (*end)(int unit);
  } cases[] = {{"flush", [](int u) { io::FLUSH(u); }},
               {"rewind", [](int u) { io::REWIND(u); }},
               {"close", [](int u) { io::CLOSE(u); }},
               {"write beyond the buffer", nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    io::clearFailure();
    EXPECT_FALSE(io::writeFailed());
    ASSERT_TRUE(io::OPEN(16, "sound.out", io::Access::Write));
    ASSERT_TRUE(io::OPEN(18, "/dev/full", io::Access::Write));
    io::put(16, "fine");
    io::put(18, c.end ? std::string("short") : big);
    if (c.end) c.end(18);
    io::CLOSE(16);
    EXPECT_TRUE(io::writeFailed());
    EXPECT_EQ(io::failure().unit, 18);
    EXPECT_EQ(io::failure().name, "/dev/full");
    EXPECT_FALSE(io::failure().opening);
    io::CLOSEALL();
  }
  // An input file is never a failed write; an open that fails is remembered
  // as such, and a later failure does not replace the first.
  io::clearFailure();
  writeFile("in.dat", "a\n");
  ASSERT_TRUE(io::OPEN(15, "in.dat", io::Access::Read));
  io::CLOSE(15);
  EXPECT_FALSE(io::writeFailed());
  EXPECT_FALSE(io::openChecked(20, "no/such/dir/file", io::Access::Write));
  ASSERT_TRUE(io::OPEN(18, "/dev/full", io::Access::Write));
  io::put(18, "x");
  io::CLOSE(18);
  EXPECT_TRUE(io::writeFailed());
  EXPECT_EQ(io::failure().unit, 20);
  EXPECT_EQ(io::failure().name, "no/such/dir/file");
  EXPECT_TRUE(io::failure().opening);
  io::clearFailure();
}

// What may stand in a file's place: a link to a device that takes every
// write (/dev/null, /dev/full), one that reads zeros without end (/dev/zero),
// a pipe with no writer, a directory. An input or a work file is never any of
// these: its open fails at once, where a report may still go to a device.
TEST(FileIo, InputsAndWorkFilesAreRegularFilesOnly) {
  ScratchDir dir;
  writeFile("regular", "text\n");
  std::filesystem::create_symlink("regular", "link-to-regular");
  std::filesystem::create_directory("dir");
  ASSERT_EQ(mkfifo("fifo", 0600), 0);
  std::filesystem::create_directory("link");
  for (const char* dev : {"null", "full", "zero"})
    std::filesystem::create_symlink(std::string("/dev/") + dev, std::string("link/") + dev);
  struct Case {
    const char* name;
    bool read, work, report;
  } cases[] = {
      {"regular", true, true, true},           {"link-to-regular", true, false, true},
      {"link/null", false, false, true},        {"link/full", false, false, true},
      {"link/zero", false, false, true},        {"/dev/zero", false, false, true},
      {"fifo", false, false, false},            {"dir", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(io::OPEN(15, c.name, io::Access::Read), c.read);
    io::CLOSE(15);
    if (std::string(c.name) != "fifo") {  // a report on a pipe waits for its reader
      EXPECT_EQ(io::OPEN(16, c.name, io::Access::Write), c.report);
      io::CLOSE(16);
    }
    EXPECT_EQ(io::OPEN(13, c.name, io::Access::Work), c.work);
    io::CLOSE(13);
    std::FILE* f = io::openWorkStream(c.name);
    EXPECT_EQ(f != nullptr, c.work);
    if (f) std::fclose(f);
  }
  io::clearFailure();
}

// A work file is read back only as this run wrote and closed it: not one
// written by another hand, nor one cut, grown, rewritten or replaced since,
// nor one still open for writing.
TEST(FileIo, WorkFilesReadBackOnlyAsWritten) {
  ScratchDir dir;
  io::clearFailure();
  const auto written = [](const char* name, const std::string& text) {
    ASSERT_TRUE(io::OPEN(13, name, io::Access::Work));
    io::put(13, text);
    io::CLOSE(13);
  };
  written("pile.scr", "one\ntwo\n");
  ASSERT_TRUE(io::OPEN(13, "pile.scr", io::Access::ReadBack));
  std::string l;
  ASSERT_TRUE(io::readLine(13, l));
  EXPECT_EQ(l, "one");
  io::CLOSE(13);
  // Read back as often as needed.
  EXPECT_TRUE(io::OPEN(13, "pile.scr", io::Access::ReadBack));
  io::CLOSE(13);

  const struct {
    const char* how;
    void (*change)();
  } changes[] = {
      {"cut", [] { std::filesystem::resize_file("pile.scr", 4); }},
      {"rewritten alike", [] {
         // Later than the file system's clock tick: a change within the
         // same tick keeps the time.
         std::this_thread::sleep_for(std::chrono::milliseconds(50));
         writeFile("pile.scr", "one\ntwo\n");
       }},
      {"grown", [] { std::filesystem::resize_file("pile.scr", 100); }},
      {"replaced", [] {
         writeFile("other", "one\ntwo\n");
         std::filesystem::rename("other", "pile.scr");
       }},
      {"a link in its place", [] {
         std::filesystem::rename("pile.scr", "kept");
         std::filesystem::create_symlink("kept", "pile.scr");
       }},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.how);
    std::filesystem::remove("pile.scr");
    written("pile.scr", "one\ntwo\n");
    c.change();
    EXPECT_FALSE(io::OPEN(13, "pile.scr", io::Access::ReadBack));
  }
  writeFile("never.scr", "one\n");
  EXPECT_FALSE(io::OPEN(13, "never.scr", io::Access::ReadBack));
  ASSERT_TRUE(io::OPEN(12, "open.scr", io::Access::Work));
  EXPECT_FALSE(io::OPEN(13, "open.scr", io::Access::ReadBack));
  io::CLOSE(12);
  EXPECT_TRUE(io::OPEN(13, "open.scr", io::Access::ReadBack));
  io::CLOSE(13);
  // Written again: the old size no longer holds until it closes.
  ASSERT_TRUE(io::OPEN(12, "open.scr", io::Access::Work));
  io::put(12, "more");
  io::FLUSH(12);
  EXPECT_FALSE(io::OPEN(13, "open.scr", io::Access::ReadBack));
  io::CLOSE(12);
  EXPECT_TRUE(io::OPEN(13, "open.scr", io::Access::ReadBack));
  io::CLOSE(13);
  // A new run forgets the files of the last.
  io::forgetWorkFiles();
  EXPECT_FALSE(io::OPEN(13, "open.scr", io::Access::ReadBack));
}

// Reads are bounded: a line without an end keeps LINE_LIMIT characters, and
// a content beyond the caller's limit is refused.
TEST(FileIo, ReadsAreBounded) {
  ScratchDir dir;
  writeFile("long", std::string(io::LINE_LIMIT + 10, 'a') + "\nnext\n");
  ASSERT_TRUE(io::OPEN(15, "long", io::Access::Read));
  std::string l;
  ASSERT_TRUE(io::readLine(15, l));
  EXPECT_EQ(l, std::string(io::LINE_LIMIT, 'a'));
  ASSERT_TRUE(io::readLine(15, l));
  EXPECT_EQ(l, "next");
  io::CLOSE(15);
  writeFile("stop", std::string(5000, ' ') + "1\n");
  for (std::size_t limit : {std::size_t{4096}, std::size_t{5002}}) {
    ASSERT_TRUE(io::OPEN(22, "stop", io::Access::Read));
    std::string t;
    EXPECT_EQ(io::slurp(22, t, limit), limit >= 5002) << limit;
    io::CLOSE(22);
  }
}

}  // namespace
}  // namespace drelm
