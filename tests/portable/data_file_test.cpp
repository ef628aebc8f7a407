// The data files: the field rules of the record files (fields made safe:
// settings_test), and the file store that reads whole files and replaces
// them without ever writing in place.
#include <gtest/gtest.h>

#include <vector>

#include "base/codepage.h"
#include "base/field_reader.h"
#include "base/file_store.h"
#include "base/record_file.h"
#include "tests/support/scratch_folder.h"

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
      {"\"a\"\r\n\"\"\r\n\"c d\"\r\n", {"a", "", "c d"}}, {"  abc  \r\n", {"abc  "}},  // leading blanks only
      {"  \" a \" ,b\r\n", {" a ", "b"}}, {"a,b\r\nc\r\n", {"a", "b", "c"}},
      {"\"x,y\"\r\n", {"x,y"}},  // a comma inside quotes stays
      {"a\rb\nc", {"a", "b", "c"}},  // lone CR and LF end lines; none after the last
      {"\"say \"hi\" now\"\r\n\"next\"\r\n", {"say ", "next"}},  // a quote cuts the line
      {"\"a\" junk,\"b\"\r\n", {"a", "b"}}, {"\"a\r\nb", {"a\r\nb"}},  // an unclosed quote runs to the end
      {"\r\n\r\nx\r\n", {"", "", "x"}}, {"", {}},
  };
  // Fed in pieces cut anywhere, the fields are the same: text_fuzz.
  for (const auto& [text, fields] : cases) EXPECT_EQ(ReadAll(text), fields) << text;
  std::string quoted;
  for (FieldReader reader("  \" a \" ,  b  ,\"\"\r\n"); !reader.AtEnd(); quoted += reader.LastFieldQuoted() ? 'q' : '-') reader.Next();
  EXPECT_EQ(quoted, "q-q");
}

using FileStoreTest = testing_support::ScratchFolderTest;

// Saves that replace files whole, and fail whole: save_faults_test and the fuzz targets' round trips.
TEST_F(FileStoreTest, ReadsReportWhatIsWrongAndDataFilesReadPieceByPieceGiveTheFieldsOfTheWholeText) {
  EXPECT_TRUE(ReadWholeFile(Path("none.dat")).status == FileStatus::NotFound &&
              ReadWholeFile(Path("no-folder/none.dat")).status == FileStatus::NotFound);
  EXPECT_EQ(ReadWholeFile(folder_.Folder()).status, FileStatus::Unreadable);
  PutBytes("big.dat", std::string(1000, 'x'));
  EXPECT_EQ(ReadWholeFile(Path("big.dat"), 999).status, FileStatus::TooLarge);
  EXPECT_EQ(ReadWholeFile(Path("big.dat"), 1000).bytes.size(), 1000u);

  // Where the file's pieces end: between CR and LF, inside a double-byte
  // character of an unquoted field with blanks, on an invalid byte, and
  // between a lead byte and the quote that makes it invalid.
  std::string bytes;
  const auto lineEndingAt = [&bytes](std::size_t end) {  // "ppp" up to end, then CR
    bytes += '"' + std::string(end - bytes.size() - 3, 'p') + "\"\r";
  };
  lineEndingAt(kFilePieceBytes);
  bytes += "\n  \xD6\xD0\xCE\xC4x  \r\n";
  lineEndingAt(2 * kFilePieceBytes - 3);
  bytes += "\n \xD6\xD0\xCE\xC4,\"\xFF\"\r\n";
  lineEndingAt(3 * kFilePieceBytes - 3);
  bytes += "\nx\x81\"y\"\r\n\"last";
  PutBytes("f.dat", bytes);
  const Cp936Decoded whole = DecodeCp936(bytes);
  Fields fields;
  const auto keep = [&](std::string_view f) { fields.emplace_back(f); };
  const FieldsRead read = ForEachDataField(Path("f.dat"), keep);
  EXPECT_TRUE(read.status == FileStatus::Ok && read.invalidBytes == 2u && whole.invalidBytes == 2u);
  EXPECT_EQ(fields, ReadDataFields(whole.utf8));
  EXPECT_EQ(fields.size() * 10 + (fields[1] == "中文x"), 81u);
  EXPECT_EQ(LoadDataFields(Path("f.dat")).fields, fields);
  // A file's version over its pieces is that of its bytes: FNV-1a 64, whose published vector for "a" is af63dc4c8601ec8c.
  EXPECT_TRUE(read.version == VersionOfBytes(bytes) && read.version.size == bytes.size());
  EXPECT_EQ(VersionOfBytes("a").hash, 0xaf63dc4c8601ec8cull);
  EXPECT_FALSE(ReadFileVersion(Path("none.dat")) == VersionOfBytes(""));
  EXPECT_EQ(OtherVersionPath("d/schedule.dat", 2026, 12, 7, 9, 30, 5), "d/schedule.dat.其他版本-20261207-093005");

  // A missing file: work_table_test and reminder_test.
  EXPECT_EQ(ForEachDataField(folder_.Folder(), keep).status, FileStatus::Unreadable);
  EXPECT_EQ(fields.size(), 8u);
}

}  // namespace
}  // namespace quillet
