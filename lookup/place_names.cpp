#include "lookup/place_names.h"

#include "base/utf8.h"

namespace quillet {

namespace {

// The 55 ethnic minorities and 各 (of 龙胜各族自治县), as they appear in the
// names of autonomous areas; the single-character ones count only with 族
// after them (回族), the longer ones also without (伊犁哈萨克自治州).
constexpr std::string_view kEthnicNames[] = {
    "柯尔克孜", "乌孜别克", "维吾尔", "哈萨克", "达斡尔", "塔吉克", "俄罗斯", "鄂温克", "塔塔尔",
    "鄂伦春",   "蒙古",     "布依",   "朝鲜",   "土家",   "哈尼",   "傈僳",   "高山",   "拉祜",
    "东乡",     "纳西",     "景颇",   "仫佬",   "布朗",   "撒拉",   "毛南",   "仡佬",   "锡伯",
    "阿昌",     "普米",     "德昂",   "保安",   "裕固",   "独龙",   "赫哲",   "门巴",   "珞巴",
    "基诺",     "回",       "藏",     "苗",     "彝",     "壮",     "满",     "侗",     "瑶",
    "白",       "黎",       "佤",     "畲",     "水",     "土",     "怒",     "京",     "羌",
    "傣",       "各",
};

// Longest first where one ends another (自治区 before 区).
constexpr std::string_view kSuffixes[] = {"特别行政区", "自治区", "自治州", "自治县", "自治旗", "地区",
                                          "省",         "市",     "盟",     "县",     "区",     "旗"};
constexpr std::string_view kAutonomous = "自治";
constexpr std::string_view kZu = "族";

// Characters, not bytes.
std::size_t Characters(std::string_view text) { return CountCodePoints(text); }

}  // namespace

std::string PlaceName(std::string name) {
  for (bool stripped = true; stripped;) {
    stripped = false;
    for (const std::string_view ethnic : kEthnicNames) {
      const std::string withZu = std::string(ethnic) + std::string(kZu);
      for (const std::string_view tail : {std::string_view(withZu), ethnic}) {
        if (Characters(ethnic) == 1 && tail.size() == ethnic.size()) continue;
        if (name.ends_with(tail) && Characters(name) >= Characters(tail) + 2) {
          name.resize(name.size() - tail.size());
          stripped = true;
          break;
        }
      }
      if (stripped) break;
    }
  }
  if (name.ends_with(kZu)) name.resize(name.size() - kZu.size());
  return name;
}

std::vector<std::string> PlaceNameParts(std::string_view keyword) {
  std::vector<std::string> parts;
  std::string part;
  for (std::size_t at = 0; at < keyword.size();) {
    std::string_view suffix;
    for (const std::string_view s : kSuffixes) {
      if (!part.empty() && keyword.substr(at).starts_with(s)) {
        suffix = s;
        break;
      }
    }
    if (suffix.empty()) {
      const std::size_t from = at;
      NextCodePoint(keyword, at);
      part += keyword.substr(from, at - from);
      continue;
    }
    parts.push_back(suffix.starts_with(kAutonomous) ? PlaceName(part) : part);
    part.clear();
    at += suffix.size();
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

}  // namespace quillet
