// The delivered code list data/Code.dat: one line per region, each once,
// in the columns the look-up window's heads stand over, found by place
// name, postal code and area code.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

#include "base/codepage.h"
#include "base/text_lines.h"
#include "base/utf8.h"
#include "lookup/code_search.h"

namespace quillet {
namespace {

// Where each field begins, in half-width cells (a Chinese character takes two).
std::vector<std::size_t> FieldColumns(std::string_view line) {
  std::vector<std::size_t> starts;
  std::size_t cells = 0;
  for (std::size_t pos = 0, last = ' '; pos < line.size();) {
    const char32_t c = NextCodePoint(line, pos);
    if (c != ' ' && last == ' ') starts.push_back(cells);
    cells += c < 0x80 ? 1 : 2;
    last = c;
  }
  return starts;
}

TEST(CodeList, EveryRegionOnceUnderItsHeadsFoundByNameOrCode) {
  std::stringstream bytes;
  bytes << std::ifstream(QUILLET_SOURCE_DIR "/data/Code.dat", std::ios::binary).rdbuf();
  const Cp936Decoded file = DecodeCp936(bytes.str());
  ASSERT_EQ(file.invalidBytes, 0u);
  const std::regex fields("\\S+ +\\S+ +(\\d{6} +)?0\\d{2,3}");  // the postal code may be unknown
  const std::vector<std::size_t> full{0, 10, 29, 38}, noPostal{0, 10, 38};
  std::set<std::string> lines;
  std::size_t count = 0;
  ForEachLine(file.utf8, [&](std::string_view line) {
    ++count;
    lines.emplace(line);
    const std::vector<std::size_t> columns = FieldColumns(line);
    EXPECT_TRUE(std::regex_match(line.begin(), line.end(), fields) && (columns == full || columns == noPostal))
        << line;
  });
  // Mainland China: about 2,850 county-level regions and 330 prefectures.
  EXPECT_GT(count, 3000u);
  EXPECT_LT(count, 3300u);
  EXPECT_EQ(lines.size(), count) << "a line twice";
  EXPECT_EQ(static_cast<std::size_t>(std::count(file.utf8.begin(), file.utf8.end(), '\n')), count) << "CR LF";

  // A city finds its own line and all its regions; codes find the lines carrying them.
  const std::string city = MatchingCodeLines(file.utf8, "石家庄");
  EXPECT_EQ(city.rfind("河北      石家庄市           050000   0311\r\n", 0), 0u);
  EXPECT_EQ(std::count(city.begin(), city.end(), '\n'), 24);
  EXPECT_EQ(MatchingCodeLines(file.utf8, "0311"), city + "山西      晋中平遥县         031100   0354\r\n");
  EXPECT_EQ(MatchingCodeLines(file.utf8, "050000"), "河北      石家庄市           050000   0311\r\n"
                                                    "河北      石家庄长安区       050000   0311\r\n"
                                                    "河北      石家庄桥东区       050000   0311\r\n");
}

}  // namespace
}  // namespace quillet
