#include "caselines.h"

#include <cctype>

#include "textread.h"

namespace drelm::host {

namespace {

std::string trimmed(std::string_view s) {
  const std::size_t a = s.find_first_not_of(' ');
  if (a == std::string_view::npos) return {};
  const std::size_t b = s.find_last_not_of(' ');
  return std::string(s.substr(a, b - a + 1));
}

// The code of a coded line ("    1 ANALYSIS COMPLETED"), or -1.
int codeOf(const std::string& t) {
  std::size_t k = 0;
  int code = 0;
  while (k < t.size() && std::isdigit(static_cast<unsigned char>(t[k])) && k < 4)
    code = code * 10 + (t[k++] - '0');
  return k > 0 && k < t.size() && t[k] == ' ' ? code : -1;
}

// The number after a heading's colon ("LOAD CASE :     1").
int numberAfter(const std::string& t, std::size_t at) {
  try {
    return std::stoi(t.substr(at));
  } catch (...) {
    return 0;
  }
}

std::string showLine(const CaseOutcome& c) {
  return std::string("drelm: load ") + (c.comb ? "combination " : "case ") + std::to_string(c.number) +
         ": " + c.line;
}

constexpr int NOT_PERFORMED = 9;

}  // namespace

void CaseLines::take(const std::string& raw, std::vector<std::string>& shown) {
  std::string line = raw;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  const std::string t = trimmed(line);
  const bool column1 = !line.empty() && line[0] != ' ';
  if (column1) {
    // A heading: of a case, of a combination, or of anything else
    // (the series banners, the envelopes) that ends the case before it.
    open_ = false;
    totalLoad_ = false;
    const bool cs = t.rfind("LOAD CASE :", 0) == 0, cb = t.rfind("LOAD COMB. :", 0) == 0;
    if (cs || cb) {
      cases_.push_back({cb, numberAfter(t, cs ? 11 : 12), -1, {}});
      open_ = true;
    }
    return;
  }
  if (!open_) return;
  if (t == "ANALYSIS DUE TO TOTAL LOAD") {
    totalLoad_ = true;
    return;
  }
  const int code = codeOf(t);
  if (code < 0 || (!totalLoad_ && code != NOT_PERFORMED)) return;
  CaseOutcome& c = cases_.back();
  c.code = code;
  c.line = t;
  open_ = false;
  shown.push_back(showLine(c));
}

std::vector<std::string> CaseLines::feed(std::string_view text) {
  std::vector<std::string> shown;
  partial_.append(text);
  std::size_t start = 0;
  for (std::size_t nl; (nl = partial_.find('\n', start)) != std::string::npos; start = nl + 1)
    take(partial_.substr(start, nl - start), shown);
  partial_.erase(0, start);
  // A status line is short: of one without a line end only its start counts.
  if (partial_.size() > MAX_LINE) partial_.resize(MAX_LINE);
  return shown;
}

std::vector<std::string> CaseLines::finish() {
  std::vector<std::string> shown;
  if (!partial_.empty()) take(partial_, shown);
  partial_.clear();
  return shown;
}

void CaseFollower::poll(std::FILE* out) {
  // Only once the run has emptied the file: what is there before is an
  // earlier run's.
  if (!started_) started_ = files_.written(file_.filename().string());
  if (!started_ || unreadable_) return;
  // A piece at a time: the file may be large, and only a regular file is
  // read (a device in its place may never end).
  std::string text;
  do {
    text.clear();
    if (!readRegular(file_, offset_, CHUNK, text)) {
      unreadable_ = true;
      return;
    }
    offset_ += text.size();
    for (const std::string& l : lines_.feed(text))
      if (out) std::fprintf(out, "%s\n", l.c_str());
  } while (text.size() == CHUNK);
  if (out) std::fflush(out);
}

void CaseFollower::finish(std::FILE* out) {
  poll(out);
  if (!started_ || unreadable_) return;
  for (const std::string& l : lines_.finish())
    if (out) std::fprintf(out, "%s\n", l.c_str());
  if (out) std::fflush(out);
}

}  // namespace drelm::host
