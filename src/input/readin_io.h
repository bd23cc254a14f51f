// Reading state of the input data file shared by the group readers of READIN:
// the free-form reader, the heading of the group being read (for messages)
// and the checks of counts and switches.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "model/farray.h"
#include "input/freeread.h"

namespace drelm {

class InRead {
 public:
  explicit InRead(std::string content) : rd(std::move(content)) {}

  FreeReader rd;
  FStr<80> group;         // heading of the group being read
  FStr<80> sections;      // heading of the cross sections, for checks after later groups
  FStr<80> pileGroups;    // heading of the pile groups, likewise
  std::vector<int> pileLine;  // line of the integers of each pile or row (1-based)
  std::int32_t code = 0;  // status of a failed check (43); 0 for a read failure

  bool ok() const { return rd.ok(); }
  // Heading line of a record group: kept for messages and echoed to the
  // runtime log after "READING ".
  bool heading(const char* what);
  bool rec(std::initializer_list<FreeItem> items, const char* what) {
    return rd.record(items, what);
  }
  // One record of n targets (n decided at run time, at most MAXITEMS).
  bool recList(const FreeItem* items, int n, const char* what);
  template <int N>
  bool text(FStr<N>& out, const char* what) {
    return rd.textLine(out, what);
  }
  // lo <= v <= hi, else the reading stops with status 43 and a message
  // naming the value and its limit.
  bool check(std::int32_t v, std::int32_t lo, std::int32_t hi, const char* what);
  // A value out of range found by the caller: the reading stops with status
  // 43 and the message as given.
  bool refuse(const std::string& message);
  // The same for a value read earlier, once a later group shows it out of
  // range: the failure names its LINE and the HEADING of its group.
  bool refuseAt(int line, const FStr<80>& heading, const std::string& message);
  // x >= 0, else the reading stops with status 43 naming WHAT and x.
  bool notNegative(double x, const std::string& what);
  // Final status of the reading: 0, 42 or 43.
  std::int32_t status() const;
  // The fatal block to the runtime log and the results report.
  void reportFailure() const;

  static constexpr int MAXITEMS = 40;
};

// A real as a message shows it.
std::string realText(double x);

// The fatal block of an input failure: an empty line, the heading, and the
// text lines indented 5, to the runtime log and the results report.
void inputFatal(const std::string& line1, const std::string& line2);

}  // namespace drelm
