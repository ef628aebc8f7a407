// Area and postal code look-up: the lines of the code list file Code.dat
// (code page 936, one entry per line, in the program's folder) that contain a
// keyword, as the text of the look-up window's result box. A full official
// name (河北省, 成都市锦江区) finds the lines of its short one.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

inline constexpr std::string_view kCodeFileName = "Code.dat";
inline constexpr std::size_t kCodeBoxCapacity = 9000;  // characters (UTF-16 units)
inline constexpr std::size_t kCodeBoxReserve = 30;     // lines stop once the text reaches 8970

// Every line of the decoded file text that contains the keyword (exact,
// case-sensitive), in file order, each followed by CR LF. A line is added
// only while the text built so far is shorter than capacity - 30, so the last
// line added may take it beyond that; the rest of the file is not added.
std::string MatchingCodeLines(std::string_view fileText, std::string_view keyword,
                              std::size_t capacity = kCodeBoxCapacity);

// The lines that contain the keyword as typed (MatchingCodeLines); when
// there are none, the lines that contain the parts of the keyword without
// its administrative suffixes (PlaceNameParts), in that order: 成都市锦江区
// finds 成都锦江区, 济南市市中区 finds 济南市中区.
std::string FindCodeLines(std::string_view fileText, std::string_view keyword,
                          std::size_t capacity = kCodeBoxCapacity);

// The new text of the result box for a search in the code list file at
// codeFilePath (FindCodeLines), or nothing when the file cannot be read
// (most often it is missing): the box then keeps the text it had. No
// message is shown either way.
std::optional<std::string> SearchCodes(const std::string& codeFilePath, std::string_view keyword);

}  // namespace quillet
