// The layering of src/ that ARCHITECTURE.md draws: every folder has its place
// in the diagram and in the order of tools/upward_includes.sh, and no include
// runs from a folder to one above it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/testdir.h"

namespace drelm {
namespace {

const std::string kSource = DRELM_SOURCE_DIR;

std::string runScript() {
  const std::string cmd = "sh '" + kSource + "/tools/upward_includes.sh' 2>&1";
  std::FILE* p = popen(cmd.c_str(), "r");
  if (p == nullptr) return "cannot run the script";
  std::string out;
  char buf[512];
  while (std::fgets(buf, sizeof buf, p) != nullptr) out += buf;
  if (pclose(p) != 0) out += "the script failed";
  return out;
}

// The folders of the diagram, top first.
std::vector<std::string> diagramFolders() {
  std::vector<std::string> out;
  const std::regex row(R"(^  ([a-z]+)/ +\S.*)");
  std::smatch m;
  for (const std::string& l : test::readLines(kSource + "/ARCHITECTURE.md"))
    if (std::regex_match(l, m, row)) out.push_back(m[1]);
  return out;
}

// The order of the script, lowest first.
std::vector<std::string> scriptOrder() {
  std::vector<std::string> out;
  for (const std::string& l : test::readLines(kSource + "/tools/upward_includes.sh")) {
    if (l.rfind("ORDER=\"", 0) != 0) continue;
    const std::string list = l.substr(7, l.rfind('"') - 7);
    std::size_t a = 0;
    while (a < list.size()) {
      const std::size_t b = list.find(' ', a);
      out.push_back(list.substr(a, b - a));
      a = b == std::string::npos ? list.size() : b + 1;
    }
  }
  return out;
}

TEST(Architecture, EveryFolderHasItsPlaceAndNoIncludeRunsUpward) {
  std::vector<std::string> diagram = diagramFolders();
  const std::vector<std::string> order = scriptOrder();
  // The diagram lists the folders top first, the script lowest first.
  std::reverse(diagram.begin(), diagram.end());
  EXPECT_EQ(diagram, order);
  for (const auto& e : std::filesystem::directory_iterator(kSource + "/src")) {
    if (!e.is_directory()) continue;
    const std::string name = e.path().filename().string();
    EXPECT_NE(std::find(order.begin(), order.end(), name), order.end()) << "src/" << name << " has no layer";
  }
  EXPECT_EQ(runScript(), "");
}

}  // namespace
}  // namespace drelm
