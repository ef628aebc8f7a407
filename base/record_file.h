// The data files of the work records and the reminders: a flat run of
// fields, one double-quoted field per line, in code page 936, read by the
// field rules of base/field_reader.h. This file adds what both subsystems
// need on top of those rules: the trimming of unquoted fields, loading a
// file into fields (whole, or field by field for large files), and saving
// fields safely.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_store.h"

namespace quillet {

// folder followed by the separator and the file name ("\schedule.dat" on
// Windows); nothing is trimmed from the folder. Unlike FileInFolder, a
// folder ending in a separator gets a second one: the data folder setting
// is used exactly as the user stored it.
std::string DataFilePath(const std::string& folder, std::string_view fileName);

// Every field of the text in order. Quoted fields keep their text exactly;
// unquoted fields lose their blanks at both ends.
std::vector<std::string> ReadDataFields(std::string_view text);

struct FieldsLoad {
  FileStatus status = FileStatus::NotFound;
  std::vector<std::string> fields;  // empty unless status is Ok
  std::size_t invalidBytes = 0;     // bytes that were not code page 936 (now byte escapes)
  FileVersion version;              // of the bytes read
};
FieldsLoad LoadDataFields(const std::string& path);

// The fields of the file as LoadDataFields finds them, each handed to take
// in order as soon as it is read: the file is read, decoded and split piece
// by piece, so neither its text nor its fields are ever held whole. A field
// is only valid during the call. When the status is not Ok, fields read
// before the fault may have been handed over already.
struct FieldsRead {
  FileStatus status = FileStatus::NotFound;
  std::size_t invalidBytes = 0;
  FileVersion version;  // of the bytes read
};
FieldsRead ForEachDataField(const std::string& path, const std::function<void(std::string_view)>& take);

// Appends one field as the writer stores it: made safe (see SanitizeField:
// '"' becomes '＂', each line break one blank) and quoted on its own line.
void AppendDataField(std::string& out, std::string_view text);

struct SaveOutcome {
  bool ok = false;
  std::string error;           // why the save failed (Chinese); the old file is intact
  std::size_t unmappable = 0;  // characters code page 936 cannot hold, written as '?'
  FileVersion written;         // of the file saved, when ok
};
// Encodes the UTF-8 text of a whole file and replaces the file with it in
// one step (temporary file, flush, replace).
SaveOutcome SaveDataText(const std::string& path, std::string_view utf8Text);
// What an export of a data file into another format came to.
struct ExportOutcome {
  bool ok = false;
  std::size_t count = 0;  // records or reminders written
  std::string error;      // why not (Chinese, names the file)
};
// Reads the data file source (a missing one has no fields) and replaces
// target with the text make writes of its fields, setting *count to the
// records it wrote; the outcome names the file that could not be read or
// written.
using ExportText = std::function<std::string(const std::vector<std::string>& fields, std::size_t* count)>;
ExportOutcome ExportDataFile(const std::string& source, const std::string& target,
                             const ExportText& make);

// The same with the text made piece by piece: next appends the next piece
// to text (given empty) and returns false when there is none. A piece must
// end between two characters (whole fields do). Each piece is encoded and
// written as it comes, so neither the whole text nor its bytes are held.

using TextPieces = std::function<bool(std::string& text)>;
SaveOutcome SaveDataTextFrom(const std::string& path, const TextPieces& next);

}  // namespace quillet
