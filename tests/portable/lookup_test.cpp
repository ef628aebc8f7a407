// The look-up window's search and the code and help files it reads.
#include <gtest/gtest.h>

#include "base/codepage.h"
#include "base/text_lines.h"
#include "lookup/code_search.h"
#include "lookup/help_text.h"
#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

const char* const kCodes =
    "北京\t北京市\t100000\t010\r\n"
    "广东\t广州市\t510000\t020\r\n"
    "广东\t深圳市\t518000\t0755\r\n"
    "上海\t上海市\t200000\t021";  // no line end after the last line

TEST(CodeSearch, MatchingLinesInFileOrderEachEndedByCrLfUntilTheBoxIsNearlyFull) {
  // Lines in file order on the delivered list: code_list_test. Exact, case-sensitive substring; a lone CR (or LF) ends a line too.
  EXPECT_EQ(MatchingCodeLines("Abc\rabc\nABC", "b"), "Abc\r\nabc\r\n");
  EXPECT_EQ(MatchingCodeLines("a\r\n\r\nb", ""), "a\r\n\r\nb\r\n");

  // The box stops near its capacity in characters (lookup_window_test); lines
  // that do not match do not count, a non-BMP character takes two units.
  std::string file;
  for (int i = 0; i < 500 * 41; ++i) file += i % 41 == 40 ? "\r\n" : "码";
  EXPECT_EQ(MatchingCodeLines(file + "末行", "末"), "末行\r\n");
  EXPECT_EQ(TextBoxLength("a\xF0\x9F\x98\x80"), 3u);
}

TEST(CodeSearch, AFullNameFindingNothingAsTypedFindsTheLinesOfItsPartsWithoutSuffixes) {
  const char* const codes = "四川 成都市\r\n四川 成都锦江区\r\n山东 济南市中区\r\n山东 枣庄市中区\r\n"
                            "山西 阳泉城区\r\n宁夏 银川市\r\n吉林 延边州\r\n吉林 延边延吉市\r\n";
  EXPECT_EQ(FindCodeLines(codes, "四川省成都市锦江区"), "四川 成都锦江区\r\n");
  EXPECT_EQ(FindCodeLines(codes, "济南市市中区"), "山东 济南市中区\r\n");
  EXPECT_EQ(FindCodeLines(codes, "阳泉市城区"), "山西 阳泉城区\r\n");
  EXPECT_EQ(FindCodeLines(codes, "宁夏回族自治区"), "宁夏 银川市\r\n");
  EXPECT_EQ(FindCodeLines(codes, "延边朝鲜族自治州延吉市"), "吉林 延边延吉市\r\n");
  // Found as typed: as ever, without the lines of the parts.
  EXPECT_EQ(FindCodeLines(codes, "成都市"), "四川 成都市\r\n");
  EXPECT_EQ(FindCodeLines(codes, "市中区"), "山东 济南市中区\r\n山东 枣庄市中区\r\n");
}

// Missing files: lookup_window_test and shell_dialogs_test.
using LookupFiles = testing_support::ScratchFolderTest;

TEST_F(LookupFiles, CodeAndHelpFilesAreReadAndAFolderIsNoHelpFile) {
  const auto Put = [this](std::string_view file, const std::string& text) { return PutBytes(file, EncodeCp936(text).bytes); };
  const std::string path = Put(kCodeFileName, kCodes);
  EXPECT_EQ(SearchCodes(path, "深圳").value_or("?") + SearchCodes(path, "天津").value_or("?"), "广东\t深圳市\t518000\t0755\r\n");
  EXPECT_EQ(SearchCodes(path, "广东省深圳市"), SearchCodes(path, "深圳"));
  // The help text: every line ended by CR LF.
  EXPECT_EQ(ReadHelpText(Put("empty.dat", "")).value_or("?") + ReadHelpText(Put(kHelpFileName, "一\r二\n\r\n三")).value_or("?"),
            "一\r\n二\r\n\r\n三\r\n");
  EXPECT_FALSE(ReadHelpText(folder_.Folder()).has_value());
}

}  // namespace
}  // namespace quillet
