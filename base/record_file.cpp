#include "base/record_file.h"

#include <algorithm>

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
  const FieldsRead read =
      ForEachDataField(path, [&load](std::string_view field) { load.fields.emplace_back(field); });
  load.status = read.status;
  load.invalidBytes = read.invalidBytes;
  load.version = read.version;
  if (read.status != FileStatus::Ok) load.fields.clear();
  return load;
}

FieldsRead ForEachDataField(const std::string& path, const std::function<void(std::string_view)>& take) {
  FieldsRead read;
  FieldStream fields([&take](std::string_view field, bool quoted) {
    take(quoted ? field : TrimmedView(field));
  });
  // Bytes read but not decoded yet: the rest of their last character may
  // still come.
  std::string bytes;
  const auto decodeFront = [&](std::size_t count) {
    const Cp936Decoded text = DecodeCp936(std::string_view(bytes).substr(0, count));
    read.invalidBytes += text.invalidBytes;
    fields.Feed(text.utf8);
    bytes.erase(0, count);
  };
  read.status = ReadFileInPieces(
      path,
      [&](std::string_view piece) {
        bytes += piece;
        decodeFront(Cp936CompletePrefix(bytes));
      },
      kMaxDataFileBytes, &read.version);
  if (read.status == FileStatus::Ok) {
    decodeFront(bytes.size());
    fields.Finish();
  }
  return read;
}

void AppendDataField(std::string& out, std::string_view text) {
  // A plain loop: find_first_of looks up the three characters for each byte.
  const bool plain = std::none_of(text.begin(), text.end(),
                                  [](char c) { return c == '"' || c == '\r' || c == '\n'; });
  if (plain) {
    AppendQuotedLine(out, text);
  } else {
    AppendQuotedLine(out, SanitizeField(text));
  }
}

ExportOutcome ExportDataFile(const std::string& source, const std::string& target,
                             const ExportText& make) {
  ExportOutcome outcome;
  const FieldsLoad load = LoadDataFields(source);
  if (load.status != FileStatus::Ok && load.status != FileStatus::NotFound) {
    outcome.error = "无法读取 " + source;
    return outcome;
  }
  if (!ReplaceFileContents(target, make(load.fields, &outcome.count), &outcome.error)) {
    outcome.error = "无法写入 " + target + "：" + outcome.error;
    return outcome;
  }
  outcome.ok = true;
  return outcome;
}

SaveOutcome SaveDataText(const std::string& path, std::string_view utf8Text) {
  SaveOutcome outcome;
  Cp936Encoded bytes = EncodeCp936(utf8Text);
  outcome.unmappable = bytes.unmappable;
  outcome.ok = ReplaceFileContents(path, bytes.bytes, &outcome.error);
  if (outcome.ok) outcome.written = VersionOfBytes(bytes.bytes);
  return outcome;
}

SaveOutcome SaveDataTextFrom(const std::string& path, const TextPieces& next) {
  SaveOutcome outcome;
  std::string text;
  Cp936Encoded bytes;
  FileVersion written{FileStatus::Ok};
  outcome.ok = ReplaceFileContentsFrom(
      path,
      [&](std::string_view* piece) {
        text.clear();
        if (!next(text)) return false;
        bytes = EncodeCp936(text);
        outcome.unmappable += bytes.unmappable;
        written.Add(bytes.bytes);
        *piece = bytes.bytes;
        return true;
      },
      &outcome.error);
  if (outcome.ok) outcome.written = written;
  return outcome;
}

}  // namespace quillet
