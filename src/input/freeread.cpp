#include "input/freeread.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

namespace drelm {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool isSeparator(char c) { return isBlank(c) || c == ',' || c == '/'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isQuote(char c) { return c == '\'' || c == '"'; }

const char* kindName(FreeItem::Kind k) {
  switch (k) {
    case FreeItem::Int: return "an integer";
    case FreeItem::Real: return "a real number";
    case FreeItem::Text: return "a text";
    case FreeItem::Skip: break;
  }
  return "a value";
}

// The offending token as the message shows it: quoted, and cut when long so
// that a line of garbage does not flood the log.
std::string shown(std::string_view tok) {
  constexpr std::size_t kMax = 40;
  std::string s = "\"";
  s.append(tok.substr(0, kMax));
  if (tok.size() > kMax) s += "...";
  s += '"';
  return s;
}

std::string expected(const char* what, const char* kind, const std::string& found, int line) {
  std::string m = what ? what : "";
  m += ": expected ";
  m += kind;
  m += ", found ";
  m += found;
  m += " at line ";
  m += std::to_string(line);
  return m;
}

// An integer without a decimal point that fits in 32 bits.
bool parseInt(std::string_view t, std::int32_t& v) {
  std::size_t i = 0;
  bool neg = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
  if (i == t.size()) return false;
  std::int64_t acc = 0;
  for (; i < t.size(); ++i) {
    if (!isDigit(t[i])) return false;
    acc = acc * 10 + (t[i] - '0');
    if (acc > std::int64_t{1} << 31) return false;
  }
  if (neg) acc = -acc;
  if (acc > std::numeric_limits<std::int32_t>::max()) return false;
  v = static_cast<std::int32_t>(acc);
  return true;
}

// A real in decimal or exponent form: [sign] digits [. digits] [E|D [sign]
// digits], with at least one digit in the mantissa. The result must be
// finite; a value too small for a double reads as zero.
bool parseReal(std::string_view t, double& v) {
  std::string s;
  s.reserve(t.size());
  std::size_t i = 0;
  bool neg = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
  if (neg) s += '-';
  int intDigits = 0, digits = 0, firstNonZero = -1;
  for (; i < t.size() && isDigit(t[i]); ++i, ++intDigits, ++digits) {
    if (firstNonZero < 0 && t[i] != '0') firstNonZero = digits;
    s += t[i];
  }
  if (i < t.size() && t[i] == '.') {
    s += t[i++];
    for (; i < t.size() && isDigit(t[i]); ++i, ++digits) {
      if (firstNonZero < 0 && t[i] != '0') firstNonZero = digits;
      s += t[i];
    }
  }
  if (digits == 0) return false;
  long exponent = 0;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
    s += 'e';
    ++i;
    bool eneg = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) eneg = t[i++] == '-';
    if (eneg) s += '-';
    if (i == t.size()) return false;
    for (; i < t.size(); ++i) {
      if (!isDigit(t[i])) return false;
      s += t[i];
      if (exponent < 100000) exponent = exponent * 10 + (t[i] - '0');
    }
    if (eneg) exponent = -exponent;
  }
  if (i != t.size()) return false;
  if (firstNonZero < 0) {  // all digits zero
    v = neg ? -0.0 : 0.0;
    return true;
  }
  double x = 0.0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), x, std::chars_format::general);
  if (r.ptr != s.data() + s.size()) return false;
  if (r.ec == std::errc::result_out_of_range) {
    // Decimal order of magnitude of the leading digit: below zero the value
    // underflowed, otherwise it overflowed.
    const long order = exponent + intDigits - firstNonZero - 1;
    if (order >= 0) return false;
    x = neg ? -0.0 : 0.0;
  } else if (r.ec != std::errc()) {
    return false;
  }
  if (!(x - x == 0.0)) return false;  // not finite
  v = x;
  return true;
}

// One value token of a record, taken apart from its repeat count.
struct Token {
  std::string_view raw;  // as written, for messages
  std::string value;     // the text of a quoted value without its quotes
  std::string_view word;  // an unquoted value
  bool quoted = false;
  bool null = false;  // r* with no value
  long repeat = 1;
  bool bad = false;  // malformed repeat count or quoted text
};

// The end of a token that is not a quoted text: the next separator.
std::size_t wordEnd(std::string_view ln, std::size_t p) {
  while (p < ln.size() && !isSeparator(ln[p])) ++p;
  return p;
}

// Scan the token at ln[p]; p moves past it.
Token scan(std::string_view ln, std::size_t& p) {
  Token t;
  const std::size_t start = p;
  std::size_t q = p;
  while (q < ln.size() && isDigit(ln[q])) ++q;
  if (q > p && q < ln.size() && ln[q] == '*') {
    long r = 0;
    for (std::size_t k = p; k < q; ++k) {
      r = r * 10 + (ln[k] - '0');
      if (r > 1000000000L) break;
    }
    if (r <= 0 || r > 1000000000L) t.bad = true;
    t.repeat = r;
    p = q + 1;
    if (p == ln.size() || isSeparator(ln[p])) {
      t.null = true;
      t.raw = ln.substr(start, p - start);
      return t;
    }
  }
  if (isQuote(ln[p])) {
    const char quote = ln[p];
    std::size_t k = p + 1;
    bool closed = false;
    while (k < ln.size()) {
      if (ln[k] == quote) {
        if (k + 1 < ln.size() && ln[k + 1] == quote) {
          t.value += quote;
          k += 2;
          continue;
        }
        closed = true;
        ++k;
        break;
      }
      t.value += ln[k++];
    }
    t.quoted = true;
    // A quoted text closes on its own line and is followed by a separator.
    if (!closed || (k < ln.size() && !isSeparator(ln[k]))) {
      t.bad = true;
      k = closed ? wordEnd(ln, k) : ln.size();
    }
    p = k;
  } else {
    const std::size_t e = wordEnd(ln, p);
    t.word = ln.substr(p, e - p);
    p = e;
  }
  t.raw = ln.substr(start, p - start);
  return t;
}

struct Staged {
  bool set = false;
  std::int32_t i = 0;
  double r = 0.0;
  std::string text;
};

}  // namespace

FreeReader::FreeReader(std::string content) : content_(std::move(content)) {
  // A byte-order mark is no part of the first line.
  if (content_.rfind("\xEF\xBB\xBF", 0) == 0) content_.erase(0, 3);
  // A file without a line feed ends its lines with carriage returns alone.
  if (content_.find('\n') == std::string::npos && content_.find('\r') != std::string::npos) eol_ = '\r';
}

bool FreeReader::atEnd() const { return pos_ >= content_.size(); }

bool FreeReader::nextLine(std::string_view& line) {
  if (pos_ >= content_.size()) return false;
  const std::size_t e = content_.find(eol_, pos_);
  const std::size_t end = e == std::string::npos ? content_.size() : e;
  line = std::string_view(content_).substr(pos_, end - pos_);
  pos_ = e == std::string::npos ? content_.size() : e + 1;
  ++next_;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return true;
}

void FreeReader::failAt(int line, const std::string& message) {
  if (!ok_) return;
  ok_ = false;
  failLine_ = line > 0 ? line : 1;
  message_ = message;
}

// A value missing at the end of a line shows only where a later value of the
// wrong kind is met: the short record took the next line's first values and
// the records after it are out of step. The first record since the last text
// line that ran on past its own first line is where to look.
void FreeReader::noteSpan(const char* what, int begin, int end) {
  if (spanBegin_ != 0 || begin < 1 || end <= begin) return;
  spanWhat_ = what ? what : "record";
  spanBegin_ = begin;
  spanEnd_ = end;
}

void FreeReader::failInRecord(int line, const std::string& message, const char* what, int begin) {
  noteSpan(what, begin, line);
  std::string m = message;
  if (spanBegin_ > 0) {
    m += "; the " + spanWhat_ + " began on line " + std::to_string(spanBegin_) + " and ran on to line " +
         std::to_string(spanEnd_) + ": is a value missing on line " + std::to_string(spanBegin_) + "?";
  }
  failAt(line, m);
}

void FreeReader::fail(const std::string& message) {
  failAt(lastLine_ > 0 ? lastLine_ : next_, message);
}

bool FreeReader::rawLine(std::string& out, const char* what) {
  if (!ok_) return false;
  std::string_view ln;
  if (!nextLine(ln)) {
    failAt(next_ + 1, expected(what, "a line", "the end of the file", next_ + 1));
    return false;
  }
  out.assign(ln);
  lastLine_ = next_;
  spanBegin_ = 0;
  return true;
}

bool FreeReader::record(std::initializer_list<FreeItem> items, const char* what) {
  if (!ok_) return false;
  const FreeItem* item = items.begin();
  const std::size_t n = items.size();
  std::string_view ln;
  if (!nextLine(ln)) {
    const char* kind = n ? kindName(item[0].kind) : "a line";
    failAt(next_ + 1, expected(what, kind, "the end of the file", next_ + 1));
    return false;
  }
  const int begin = next_;
  std::vector<Staged> staged(n);
  std::size_t p = 0, k = 0;
  bool afterValue = false;  // a value was taken and its separator not yet seen
  while (k < n) {
    // An end of line is a blank: go on over the following lines.
    for (;;) {
      while (p < ln.size() && isBlank(ln[p])) ++p;
      if (p < ln.size()) break;
      if (!nextLine(ln)) {
        failInRecord(next_ + 1, expected(what, kindName(item[k].kind), "the end of the file", next_ + 1), what,
                     begin);
        return false;
      }
      p = 0;
    }
    const char c = ln[p];
    if (c == ',') {
      if (!afterValue) ++k;  // an empty value: that target keeps its value
      afterValue = false;
      ++p;
      continue;
    }
    if (c == '/') break;  // the remaining targets keep their values
    const Token t = scan(ln, p);
    afterValue = true;
    if (t.bad) {
      failInRecord(next_, expected(what, kindName(item[k].kind), shown(t.raw), next_), what, begin);
      return false;
    }
    // A repeat running past the last target is dropped.
    for (long r = 0; r < t.repeat && k < n; ++r, ++k) {
      if (t.null) continue;
      Staged& s = staged[k];
      bool good = true;
      switch (item[k].kind) {
        case FreeItem::Int: good = !t.quoted && parseInt(t.word, s.i); break;
        case FreeItem::Real: good = !t.quoted && parseReal(t.word, s.r); break;
        case FreeItem::Text:
          if (t.quoted)
            s.text = t.value;
          else
            s.text.assign(t.word);
          break;
        case FreeItem::Skip: break;
      }
      if (!good) {
        failInRecord(next_, expected(what, kindName(item[k].kind), shown(t.raw), next_), what, begin);
        return false;
      }
      if (item[k].kind == FreeItem::Real && !(std::fabs(s.r) <= REAL_LIMIT)) {
        outOfRange_ = true;
        failInRecord(next_,
                     std::string(what ? what : "") + ": " + shown(t.raw) + " at line " + std::to_string(next_) +
                         " is beyond the limit of 1E30 in magnitude",
                     what, begin);
        return false;
      }
      s.set = true;
    }
  }
  // The whole record was read: store it.
  for (std::size_t j = 0; j < n; ++j) {
    if (!staged[j].set) continue;
    switch (item[j].kind) {
      case FreeItem::Int: *static_cast<std::int32_t*>(item[j].target) = staged[j].i; break;
      case FreeItem::Real: *static_cast<double*>(item[j].target) = staged[j].r; break;
      case FreeItem::Text: {
        char* dst = static_cast<char*>(item[j].target);
        if (!dst || item[j].width <= 0) break;
        const auto w = static_cast<std::size_t>(item[j].width);
        const std::size_t m = std::min(w, staged[j].text.size());
        std::memcpy(dst, staged[j].text.data(), m);
        std::memset(dst + m, ' ', w - m);
        break;
      }
      case FreeItem::Skip: break;
    }
  }
  lastLine_ = next_;
  noteSpan(what, begin, next_);
  return true;
}

}  // namespace drelm
