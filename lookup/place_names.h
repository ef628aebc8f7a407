// Chinese place names as the code list writes them and as users type them:
// the place name inside the name of an autonomous area (延边朝鲜族自治州 is
// 延边) and the parts of an official full name without its administrative
// suffixes (成都市锦江区 is 成都, 锦江).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// The place name in front of the ethnic names of an autonomous area, given
// its name without 自治区/自治州/自治县/自治旗: 双江拉祜族佤族布朗族傣族 ->
// 双江, 伊犁哈萨克 -> 伊犁. At least two characters stay; a name that is
// ethnic names only loses just its 族 (鄂温克族 -> 鄂温克).
std::string PlaceName(std::string name);

// The parts of a keyword between administrative suffixes (特别行政区, 自治区,
// 自治州, 自治县, 自治旗, 地区, 省, 市, 盟, 县, 区, 旗), each without its
// suffix and, in front of 自治…, without its ethnic names: 成都市锦江区 ->
// {成都, 锦江}, 宁夏回族自治区 -> {宁夏}. A suffix counts only after at least
// one character of its part, so 济南市市中区 -> {济南, 市中} and 城区 -> {城}.
std::vector<std::string> PlaceNameParts(std::string_view keyword);

}  // namespace quillet
