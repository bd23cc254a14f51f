// Reader of the input data file: fixed-width text lines and free-form records.
//
// A free-form record is a list of values separated by blanks or commas. It
// starts on a new line and runs over as many lines as it needs; whatever
// stands on its last line after its last value is ignored. A slash ends the
// record early and leaves the remaining targets unchanged; two commas in a
// row leave that one target unchanged; a repeat count (3*0.5) stands for that
// many equal values, and 3* for three unchanged targets. Texts are one word
// or a quoted text.
//
// Errors are sticky: after the first failure (end of file, a value of the
// wrong form) every later read does nothing and returns false, and the
// failure is described by message(). Targets of a failed record keep the
// values they had. When a record fails, the message also names the first
// record since the last text line that ran on past its own first line: a
// value missing at the end of a line is met only lines later.
//
// Further details: tabs and carriage returns count as blanks; blank lines
// inside a record are skipped; a repeat that runs past the record's last
// target is dropped; integers have no decimal point and fit in 32 bits;
// reals take the exponent letters E and D in either case and must be finite
// and at most REAL_LIMIT in magnitude;
// a quoted text (' or ", a doubled quote standing for one) closes on its own
// line. A record with no targets skips one line. Lines end with a line feed
// (a carriage return before it is dropped), or with a lone carriage return in
// a file that has no line feed; a UTF-8 byte-order mark at the start is
// dropped.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "model/farray.h"

namespace drelm {

// One target of a free-form record.
struct FreeItem {
  enum Kind { Int, Real, Text, Skip } kind;
  void* target;
  int width;  // Text: characters of the blank-padded target
};

inline FreeItem fInt(std::int32_t& x) { return {FreeItem::Int, &x, 0}; }
inline FreeItem fReal(double& x) { return {FreeItem::Real, &x, 0}; }
template <int N>
inline FreeItem fText(FStr<N>& s) {
  return {FreeItem::Text, s.c, N};
}
// A value that is read past and not kept (a field of the file the engine does
// not use); any form is taken.
inline FreeItem fSkip() { return {FreeItem::Skip, nullptr, 0}; }

class FreeReader {
 public:
  explicit FreeReader(std::string content);

  // The next line as a fixed-width text of width characters, blank-padded
  // (a title line, a heading line, a case name).
  template <int N>
  bool textLine(FStr<N>& out, const char* what) {
    std::string s;
    if (!rawLine(s, what)) return false;
    out.assign(s);
    return true;
  }
  // The next line as it stands (no line end).
  bool rawLine(std::string& out, const char* what);

  // One free-form record into the given targets. `what` names the record in
  // an error message ("control line", "load case head line").
  bool record(std::initializer_list<FreeItem> items, const char* what);

  bool ok() const { return ok_; }
  // Line number (1-based) of the line the failure was met on, or of the next
  // line to be read.
  int lineNo() const { return failLine_ ? failLine_ : next_ + 1; }
  // What was expected, what was found and the line, for the runtime log.
  const std::string& message() const { return message_; }
  // Record a failure found by the caller (a count over capacity, say), so
  // that reading stops there. The line is that of the last value read; the
  // message is kept as given.
  void fail(const std::string& message);
  // The same for a value read earlier, on the given line.
  void failOn(int line, const std::string& message) { failAt(line, message); }
  // Line of the last value or line read.
  int lastLine() const { return lastLine_; }
  // True when no line is left to read.
  bool atEnd() const;
  // The text being read (without a byte-order mark).
  const std::string& content() const { return content_; }
  // The failure was a real beyond REAL_LIMIT in magnitude (a value out of
  // range rather than of the wrong form).
  bool outOfRange() const { return outOfRange_; }

  // No quantity of a foundation comes near it, and products of a few such
  // values stay within the range of a double.
  static constexpr double REAL_LIMIT = 1.0E30;

 private:
  bool nextLine(std::string_view& line);
  void failAt(int line, const std::string& message);
  // Keep a record that ran on from line begin to line end, unless one since
  // the last text line is kept already.
  void noteSpan(const char* what, int begin, int end);
  void failInRecord(int line, const std::string& message, const char* what, int begin);

  std::string content_;
  std::size_t pos_ = 0;  // offset of the next unread line
  int next_ = 0;         // lines consumed so far
  bool ok_ = true;
  bool outOfRange_ = false;
  char eol_ = '\n';     // line end: a line feed, or a lone carriage return
  int failLine_ = 0;
  int lastLine_ = 0;     // line of the last value or line read
  std::string message_;
  // First record since the last text line that ran on past its first line.
  std::string spanWhat_;
  int spanBegin_ = 0;
  int spanEnd_ = 0;
};

}  // namespace drelm
