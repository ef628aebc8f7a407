// The delivered code list data/Code.dat: one line per region, each once,
// in the columns the look-up window's heads stand over, found by place
// name, postal code and area code; postal codes of the region's province;
// today's divisions, found by their former names too.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
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

std::string CodeList() {
  std::stringstream bytes;
  bytes << std::ifstream(QUILLET_SOURCE_DIR "/data/Code.dat", std::ios::binary).rdbuf();
  const Cp936Decoded file = DecodeCp936(bytes.str());
  EXPECT_EQ(file.invalidBytes, 0u);
  return file.utf8;
}

TEST(CodeList, EveryRegionOnceUnderItsHeadsWithAPostalCodeOfItsProvince) {
  const std::string file = CodeList();
  // The first two digits of each province's postal codes (China Post), and the regions served
  // from a post office of the neighbouring province, with its postal area.
  std::map<std::string, std::string> ranges, acrossTheBorder;
  std::istringstream table(
      "北京 10 天津 30 河北 050607 山西 0304 内蒙古 0102 辽宁 1112 吉林 13 黑龙江 1516 上海 20 江苏 2122 浙江 3132 "
      "安徽 2324 福建 3536 江西 3334 山东 252627 河南 454647 湖北 4344 湖南 4142 广东 5152 广西 5354 海南 57 重庆 40 "
      "四川 61626364 贵州 5556 云南 656667 西藏 8586 陕西 7172 甘肃 7374 青海 81 宁夏 75 新疆 8384"),
      across("衡水故城县 253 舟山嵊泗县 202 兴安 137 呼伦贝尔扎兰屯市 162 呼伦贝尔阿荣旗 162 阿拉善 750 "
             "阿拉善阿拉善右旗 737 阿拉善额济纳旗 735 果洛久治县 624");
  for (std::string name, digits; table >> name >> digits;) ranges[name] = digits;
  for (std::string place, area; across >> place >> area;) acrossTheBorder[place] = area;
  // The postal code may be unknown; 852, 853 and 886 dial Hong Kong, Macau and Taiwan.
  const std::regex fields("\\S+ +\\S+ +(\\d{6} +)?(0\\d{2,3}|85[23]|886)");
  const std::vector<std::size_t> full{0, 10, 29, 38}, noPostal{0, 10, 38};
  std::set<std::string> lines;
  std::size_t count = 0;
  ForEachLine(file, [&](std::string_view line) {
    ++count;
    lines.emplace(line);
    const std::vector<std::size_t> columns = FieldColumns(line);
    EXPECT_TRUE(std::regex_match(line.begin(), line.end(), fields) && (columns == full || columns == noPostal))
        << line;
    std::istringstream in{std::string(line)};
    std::string province, region, postal;
    in >> province >> region >> postal;
    if (postal.size() != 6) return;  // no postal code: the area code follows
    bool fits = false;
    for (std::size_t i = 0; i < ranges[province].size(); i += 2) fits |= postal.starts_with(ranges[province].substr(i, 2));
    for (const auto& [place, area] : acrossTheBorder) fits |= region.starts_with(place) && postal.starts_with(area);
    EXPECT_TRUE(fits) << line;
  });
  // 333 prefectures, 2,844 county-level divisions and 4 municipalities (民政部, 2023), a
  // few lines more for former names that do not fit one line.
  EXPECT_GE(count, 3181u);
  EXPECT_LT(count, 3250u);
  EXPECT_EQ(lines.size(), count) << "a line twice";
  EXPECT_EQ(static_cast<std::size_t>(std::count(file.begin(), file.end(), '\n')), count) << "CR LF";
}

TEST(CodeList, FoundByNameOrCodeTodaysDivisionsByTheirFormerNamesToo) {
  const std::string file = CodeList();
  // A city finds its own line and all its regions; codes find the lines carrying them.
  const std::string city = MatchingCodeLines(file, "石家庄");
  EXPECT_EQ(city.rfind("河北      石家庄市           050000   0311\r\n", 0), 0u);
  EXPECT_EQ(std::count(city.begin(), city.end(), '\n'), 23);
  EXPECT_EQ(MatchingCodeLines(file, "0311"), city + "山西      晋中平遥县         031100   0354\r\n");
  EXPECT_EQ(MatchingCodeLines(file, "050000"), "河北      石家庄市           050000   0311\r\n"
                                               "河北      石家庄长安区(桥东) 050000   0311\r\n"
                                               "河北      石家庄新华区       050000   0311\r\n");
  EXPECT_EQ(FindCodeLines(file, "香港特别行政区"), "香港      香港特别行政区              852\r\n");
  // The first line found is that of today's division.
  for (const auto& [typed, today] : std::vector<std::pair<std::string, std::string>>{
           {"姑苏区", "苏州姑苏区"}, {"襄阳市", "襄阳市"}, {"坪山区", "深圳坪山区"}, {"深圳龙华区", "深圳龙华区"},
           {"蓟州区", "天津蓟州区"}, {"郫都区", "成都郫都区"}, {"临平区", "杭州临平区"}, {"钱塘区", "杭州钱塘区"},
           {"闸北区", "上海静安区"}, {"崇文区", "北京东城区"}, {"宣武区", "北京西城区"}, {"平江区", "苏州姑苏区"},
           {"巢湖市", "合肥巢湖市"}, {"襄樊市", "襄阳市"}, {"铜仁地区", "铜仁市"}, {"毕节地区", "毕节市"}}) {
    std::istringstream first(FindCodeLines(file, typed));
    std::string province, region;
    first >> province >> region;
    EXPECT_TRUE(region.starts_with(today)) << typed << ": " << region;
  }
}

}  // namespace
}  // namespace quillet
