#include "calendar/festivals.h"

#include <cstdio>

#include "calendar/lunar.h"

namespace quillet {

// The program's own festival tables, in their fixed order; the first entry
// whose key matches is the only one that counts.
const std::array<std::string_view, 9> LunarFestivals = {
    "0101春节", "0115元宵节", "0505端午节", "0707七夕情人节", "0715中元节",
    "0815中秋节", "0909重阳节", "1208腊八节", "1224小年"};

const std::array<std::string_view, 25> GregorianFestivals = {
    "0101元旦",       "0214情人节",   "0308妇女节",       "0818我的生日",
    "0312植树节",     "0315消费者权益日", "0401 愚人节",   "0418MM的生日",
    "0501劳动节",     "0504青年节",   "0512护士节",       "0601儿童节",
    "0701建党节 香港回归纪念", "0801 建军节", "0808父亲节", "0909毛席逝世纪念",
    "0910教师节",     "0928孔子诞辰", "1001国庆节",       "1006老人节",
    "1024联合国日",   "1112孙中山诞辰", "1220澳门回归纪念", "1225圣诞节",
    "1226毛席诞辰"};

namespace {

constexpr std::size_t kKeyLength = 4;

template <std::size_t N>
std::string_view FirstFestivalName(const std::array<std::string_view, N>& table, std::string_view key) {
  if (key.size() != kKeyLength) return {};
  for (const std::string_view entry : table) {
    if (entry.substr(0, kKeyLength) == key) return entry.substr(kKeyLength);
  }
  return {};
}

std::string TwoDigitKey(int month, int day) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02d%02d", month, day);
  return buffer;
}

// Position 1..N-1 of name in a list whose position 0 is a filler; 0 if absent.
template <std::size_t N>
int PositionOf(const std::array<std::string_view, N>& names, std::string_view name) {
  for (std::size_t i = 1; i < N; ++i) {
    if (names[i] == name) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace

std::string GregorianKey(const CivilDate& date) {
  return std::to_string(date.year) + TwoDigitKey(date.month, date.day);
}

std::string FestivalText(const CivilDate& date) { return FestivalText(date, ToLunarDate(date)); }

std::string FestivalText(const CivilDate& date, const std::optional<LunarDate>& lunar) {
  // The keys are built from the numbers the texts are made of: a leap
  // month ("闰四月") has no key, as its name is not in the month list.
  const auto key = [](int month, int day) {
    const std::array<char, kKeyLength> k = {static_cast<char>('0' + month / 10 % 10),
                                            static_cast<char>('0' + month % 10),
                                            static_cast<char>('0' + day / 10 % 10),
                                            static_cast<char>('0' + day % 10)};
    return k;
  };
  std::string names;
  if (lunar && lunar->month > 0) {
    const auto k = key(lunar->month, lunar->day);
    names = FirstFestivalName(LunarFestivals, std::string_view(k.data(), k.size()));
  }
  const auto k = key(date.month, date.day);
  names += FirstFestivalName(GregorianFestivals, std::string_view(k.data(), k.size()));
  if (names.empty()) return {};
  return "(" + names + ")";
}

}  // namespace quillet
