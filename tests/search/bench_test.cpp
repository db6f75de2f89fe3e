// The "bench" command as a user runs it: the real binary, its whole output.

#include <cstdio>
#include <fstream>
#include <sstream>

#include "search_fixture.h"

namespace {

std::vector<std::string> run_bench() {
  std::vector<std::string> lines;
  FILE* pipe = popen(BRISVANE_BINARY " bench", "r");
  if (!pipe) return lines;
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
  pclose(pipe);
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The node count the README states as the bench signature, or -1.
long long readme_signature() {
  std::ifstream readme(BRISVANE_TEST_DATA "/../../README.md");
  const std::string prefix = "Bench: ";
  for (std::string line; std::getline(readme, line);) {
    if (line.rfind(prefix, 0) != 0) continue;
    std::istringstream in(line.substr(prefix.size()));
    long long nodes = -1;
    std::string unit;
    if (in >> nodes >> unit && unit == "nodes") return nodes;
  }
  return -1;
}

long long nodes_of(const std::string& line) {
  std::size_t at = line.find(" nodes ");
  return at == std::string::npos ? -1 : std::stoll(line.substr(at + 7));
}

class BenchTest : public SearchTest {};

TEST_F(BenchTest, PrintsEightIterationsALegalMoveAndTheTotals) {
  std::vector<std::string> lines = run_bench();
  // Header, eight iterations, perhaps the tactical pick's line, the move, then the totals.
  ASSERT_GE(lines.size(), 11u);
  ASSERT_LE(lines.size(), 12u);
  if (lines.size() == 12u) {
    EXPECT_EQ(lines[9].rfind("info string tactical pick ", 0), 0u);
  }
  EXPECT_EQ(lines[0], "info string white_mode=Balanced black_mode=Balanced tactics=on threshold=40");
  for (int depth = 1; depth <= 8; ++depth) EXPECT_TRUE(is_info_line(lines[depth], depth)) << lines[depth];

  // The last line is what testing frameworks read: "N nodes M nps", N the signature.
  std::istringstream totals(lines.back());
  long long nodes = -1, nps = -1;
  std::string nodes_word, nps_word, rest;
  EXPECT_TRUE(totals >> nodes >> nodes_word >> nps >> nps_word) << lines.back();
  EXPECT_FALSE(totals >> rest);
  EXPECT_EQ(nodes_word, "nodes");
  EXPECT_EQ(nps_word, "nps");
  EXPECT_EQ(nodes, readme_signature());
  EXPECT_GT(nps, 0);

  lines.pop_back();
  ASSERT_EQ(lines.back().rfind("bestmove ", 0), 0u);
  EXPECT_FALSE(is_empty_move(parse_uci_move(lines.back().substr(9))));
}

TEST_F(BenchTest, NodeCountsAreStableAndMatchTheSignature) {
  const std::vector<std::string> first = run_bench();
  const std::vector<std::string> second = run_bench();
  ASSERT_GE(first.size(), 10u);
  ASSERT_GE(second.size(), 10u);
  for (std::size_t i = 1; i <= 8; ++i) EXPECT_EQ(nodes_of(first[i]), nodes_of(second[i]));
  // A change to the tree must be noticed and the README updated with the new count.
  EXPECT_EQ(nodes_of(first[8]), readme_signature());
}

}  // namespace
