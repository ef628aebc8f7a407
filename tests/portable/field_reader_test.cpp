#include "shell/field_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillet {
namespace {

std::vector<std::string> ReadAll(std::string_view text) {
  FieldReader reader(text);
  std::vector<std::string> fields;
  while (!reader.AtEnd()) fields.push_back(reader.Next());
  return fields;
}

using Fields = std::vector<std::string>;

TEST(FieldReader, QuotedLinesUnquotedLinesAndCommasReadAlike) {
  EXPECT_EQ(ReadAll("\"a\"\r\n\"\"\r\n\"c d\"\r\n"), (Fields{"a", "", "c d"}));
  EXPECT_EQ(ReadAll("  abc  \r\n"), (Fields{"abc  "}));  // leading blanks only
  EXPECT_EQ(ReadAll("a,b\r\nc\r\n"), (Fields{"a", "b", "c"}));
  EXPECT_EQ(ReadAll("\"x,y\"\r\n"), (Fields{"x,y"}));  // a comma inside quotes stays
  // Lone CR and lone LF end lines too; no line end after the last field.
  EXPECT_EQ(ReadAll("a\rb\nc"), (Fields{"a", "b", "c"}));
}

TEST(FieldReader, TextAfterAClosingQuoteIsSkipped) {
  // A quote inside a field cuts it: the rest of that line is dropped.
  EXPECT_EQ(ReadAll("\"say \"hi\" now\"\r\n\"next\"\r\n"), (Fields{"say ", "next"}));
  EXPECT_EQ(ReadAll("\"a\" junk,\"b\"\r\n"), (Fields{"a", "b"}));
}

TEST(FieldReader, UnclosedQuoteRunsToTheEnd) {
  EXPECT_EQ(ReadAll("\"a\r\nb"), (Fields{"a\r\nb"}));
}

TEST(FieldReader, EmptyLinesAreEmptyFields) {
  EXPECT_EQ(ReadAll("\r\n\r\nx\r\n"), (Fields{"", "", "x"}));
  FieldReader empty("");
  EXPECT_TRUE(empty.AtEnd());
  EXPECT_EQ(empty.Next(), "");
}

TEST(FieldWriter, SanitizedFieldsRoundTripAndKeepLaterFieldsInPlace) {
  const std::vector<std::string> fields = {"plain 中文", "has \"quotes\"", "two\r\nlines\rand\nmore",
                                           "", "comma, inside"};
  std::string file;
  for (const auto& f : fields) AppendQuotedLine(file, SanitizeField(f));
  const Fields back = ReadAll(file);
  ASSERT_EQ(back.size(), fields.size());
  EXPECT_EQ(back[0], "plain 中文");
  EXPECT_EQ(back[1], "has ＂quotes＂");
  EXPECT_EQ(back[2], "two lines and more");
  EXPECT_EQ(back[3], "");
  EXPECT_EQ(back[4], "comma, inside");
}

TEST(Trim, RemovesBlanksAtBothEndsOnly) {
  EXPECT_EQ(Trim("  a b \t"), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\xE3\x80\x80x"), "\xE3\x80\x80x");  // the ideographic space is kept
}

}  // namespace
}  // namespace quillet
