#include "base/field_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillet {
namespace {

using Fields = std::vector<std::string>;

Fields ReadAll(std::string_view text) {
  FieldReader reader(text);
  Fields fields;
  while (!reader.AtEnd()) fields.push_back(reader.Next());
  return fields;
}

TEST(FieldReader, ReadsQuotedAndUnquotedLinesAndCommasAlike) {
  const std::pair<const char*, Fields> cases[] = {
      {"\"a\"\r\n\"\"\r\n\"c d\"\r\n", {"a", "", "c d"}},
      {"  abc  \r\n", {"abc  "}},  // leading blanks only
      {"  \" a \" ,b\r\n", {" a ", "b"}},
      {"a,b\r\nc\r\n", {"a", "b", "c"}},
      {"\"x,y\"\r\n", {"x,y"}},      // a comma inside quotes stays
      {"a\rb\nc", {"a", "b", "c"}},  // lone CR and LF end lines; none after the last
      {"\"say \"hi\" now\"\r\n\"next\"\r\n", {"say ", "next"}},  // a quote cuts the line
      {"\"a\" junk,\"b\"\r\n", {"a", "b"}},
      {"\"a\r\nb", {"a\r\nb"}},  // an unclosed quote runs to the end
      {"\r\n\r\nx\r\n", {"", "", "x"}},
      {"", {}},
  };
  for (const auto& [text, fields] : cases) EXPECT_EQ(ReadAll(text), fields) << text;
  FieldReader reader("  \" a \" ,  b  ,\"\"\r\n");
  for (const bool quoted : {true, false, true}) {
    reader.Next();
    EXPECT_EQ(reader.LastFieldQuoted(), quoted);
  }
}

TEST(FieldWriter, SanitizedFieldsRoundTripAndTrimKeepsTheIdeographicSpace) {
  std::string file;
  for (const char* f : {"plain 中文", "has \"quotes\"", "two\r\nlines\rand\nmore", "", "comma, inside"}) {
    AppendQuotedLine(file, SanitizeField(f));
  }
  EXPECT_EQ(ReadAll(file),
            (Fields{"plain 中文", "has ＂quotes＂", "two lines and more", "", "comma, inside"}));
  EXPECT_EQ(Trim("  a b \t"), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\xE3\x80\x80x"), "\xE3\x80\x80x");  // the ideographic space is kept
}

}  // namespace
}  // namespace quillet
