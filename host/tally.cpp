#include "tally.h"

#include <algorithm>
#include <map>

#include "textread.h"

namespace drelm::host {

namespace {

constexpr int NOT_FINISHED = -1, NOT_REACHED = -2;

// Outcome names in the order the tally gives them.
const struct {
  int code;
  const char* name;
} OUTCOMES[] = {{1, "completed"},
                {2, "solved for part of the load"},
                {3, "no convergence on the pile cap"},
                {6, "no convergence on the piles"},
                {7, "singular stiffness matrix"},
                {9, "not analysed"},
                {NOT_FINISHED, "not finished"},
                {NOT_REACHED, "not reached"}};

std::string nameOf(int code) {
  for (const auto& o : OUTCOMES)
    if (o.code == code) return o.name;
  return "status " + std::to_string(code);
}

std::string series(const std::vector<CaseOutcome>& cases, bool comb, int declared) {
  std::map<std::string, int> count;
  int seen = 0;
  for (const CaseOutcome& c : cases)
    if (c.comb == comb) ++seen, ++count[nameOf(c.code)];
  if (declared > seen) count[nameOf(NOT_REACHED)] += declared - seen;
  const int total = std::max(seen, declared);
  if (total == 0) return {};
  std::string s = std::to_string(total) + (comb ? " load combination" : " load case") + (total == 1 ? ":" : "s:");
  const char* sep = " ";
  auto put = [&](const std::string& name) {
    const auto it = count.find(name);
    if (it == count.end()) return;
    s += sep + std::to_string(it->second) + " " + name;
    sep = ", ";
    count.erase(it);
  };
  for (const auto& o : OUTCOMES) put(o.name);
  while (!count.empty()) put(count.begin()->first);  // codes of no known outcome
  return s;
}

int countAfter(const std::string& line, const std::string& label) {
  const std::size_t at = line.find(label);
  if (at == std::string::npos || line.find_first_not_of(' ') != at) return -1;
  try {
    return std::stoi(line.substr(at + label.size()));
  } catch (...) {
    return -1;
  }
}

}  // namespace

Declared declaredCounts(const std::filesystem::path& echo) {
  Declared d;
  bool cases = false, combs = false;
  forEachLine(echo, [&](std::string_view v) {
    const std::string l(v);
    if (int n; !cases && (n = countAfter(l, "NUMBER OF LOAD CASES :")) >= 0) d.cases = n, cases = true;
    if (int n; !combs && (n = countAfter(l, "NUMBER OF LOAD COMB. :")) >= 0) d.combs = n, combs = true;
    return !(cases && combs);
  });
  return d;
}

std::string tally(const std::vector<CaseOutcome>& cases, const Declared& declared,
                  const std::string& statusName) {
  std::string s;
  for (const std::string& part : {series(cases, false, declared.cases), series(cases, true, declared.combs)})
    if (!part.empty()) s += (s.empty() ? "" : "; ") + part;
  return s.empty() ? s : s + "; see " + statusName;
}

std::string runTally(const CaseFollower& cases, RunFiles& written, const std::filesystem::path& echo,
                     const std::filesystem::path& log) {
  if (!cases.ran()) return {};
  auto counts = [&](const std::filesystem::path& p) {
    return written.written(p.filename().string()) ? declaredCounts(p) : Declared{};
  };
  // Both give the input's counts where they give them at all.
  Declared declared = counts(echo);
  if (declared.cases == 0 || declared.combs == 0) {
    const Declared logged = counts(log);
    declared.cases = std::max(declared.cases, logged.cases);
    declared.combs = std::max(declared.combs, logged.combs);
  }
  return tally(cases.cases(), declared, cases.file().filename().string());
}

}  // namespace drelm::host
