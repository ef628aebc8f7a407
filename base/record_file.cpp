#include "base/record_file.h"

#include "base/codepage.h"
#include "base/field_reader.h"

namespace quillet {

std::string DataFilePath(const std::string& folder, std::string_view fileName) {
  std::string path = folder;
  path += kPathSeparator;
  path += fileName;
  return path;
}

std::vector<std::string> ReadDataFields(std::string_view text) {
  std::vector<std::string> fields;
  FieldReader reader(text);
  while (!reader.AtEnd()) {
    std::string field = reader.Next();
    fields.push_back(reader.LastFieldQuoted() ? std::move(field) : Trim(field));
  }
  return fields;
}

FieldsLoad LoadDataFields(const std::string& path) {
  FieldsLoad load;
  FileContents file = ReadWholeFile(path);
  load.status = file.status;
  if (file.status != FileStatus::Ok) return load;
  Cp936Decoded text = DecodeCp936(file.bytes);
  load.invalidBytes = text.invalidBytes;
  load.fields = ReadDataFields(text.utf8);
  return load;
}

void AppendDataField(std::string& out, std::string_view text) {
  if (text.find_first_of("\"\r\n") == std::string_view::npos) {
    AppendQuotedLine(out, text);
  } else {
    AppendQuotedLine(out, SanitizeField(text));
  }
}

SaveOutcome SaveDataText(const std::string& path, std::string_view utf8Text) {
  SaveOutcome outcome;
  Cp936Encoded bytes = EncodeCp936(utf8Text);
  outcome.unmappable = bytes.unmappable;
  outcome.ok = ReplaceFileContents(path, bytes.bytes, &outcome.error);
  return outcome;
}

}  // namespace quillet
