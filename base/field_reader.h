// Reader for the program's text data files (settings, work records,
// reminders): one field after another, each delimited as follows.
//   - Leading blanks (spaces and tabs) are skipped.
//   - A field that starts with a double quote runs to the next double quote
//     (line breaks included, so an unclosed quote runs to the end of the
//     text); what follows up to the next comma or line end is skipped.
//   - Any other field runs to the next comma or line end.
//   - The comma or line end (CR LF, lone CR or lone LF) after a field is
//     consumed with it.
// The quotes are not part of the value. A file written one quoted field per
// line, unquoted, or several comma-separated fields per line reads the same.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace quillet {

class FieldReader {
 public:
  // text is the whole file, already decoded from code page 936.
  explicit FieldReader(std::string_view text) : text_(text) {}

  // True when every byte has been consumed: no further field exists.
  bool AtEnd() const { return pos_ >= text_.size(); }
  // The next field, untrimmed except for the skipped leading blanks. At the
  // end of the text it returns an empty field.
  std::string Next() { return std::string(NextView()); }
  // The same as a view into the text.
  std::string_view NextView();
  // Reads the next field as NextView does only when the text holds all of
  // it and its delimiter, so that text appended later could not change it;
  // otherwise reads nothing and returns false (at the end, inside an
  // unclosed quote, before the delimiter, between a CR and a possible LF).
  bool NextIfComplete(std::string_view* field);
  // After NextIfComplete returned false: the characters of which text
  // appended later must hold one before that field can be complete (empty
  // when any character will do).
  std::string_view Awaited() const { return awaited_; }
  // Whether the field read last was enclosed in quotes (callers trim
  // unquoted fields, whose trailing blanks are not part of the value).
  bool LastFieldQuoted() const { return lastQuoted_; }
  // Byte offset of the next unread character.
  std::size_t Position() const { return pos_; }

 private:
  struct Span {
    std::size_t begin = 0, end = 0;  // the value
    std::size_t next = 0;            // after the delimiter
    bool quoted = false;
    bool complete = false;
    std::string_view awaited;  // see Awaited()
  };
  Span Scan() const;
  std::string_view Take(const Span& span);
  std::string_view text_;
  std::size_t pos_ = 0;
  bool lastQuoted_ = false;
  std::string_view awaited_;
};

// Reads the fields of a text that arrives in pieces (a file read and
// decoded piece by piece): each field is handed to take as soon as the text
// holds all of it, and only an unfinished field is kept between pieces. The
// fields are exactly those FieldReader finds in the whole text.
class FieldStream {
 public:
  using Take = std::function<void(std::string_view field, bool quoted)>;
  explicit FieldStream(Take take) : take_(std::move(take)) {}
  void Feed(std::string_view piece);
  // The text has ended: hands on the fields left.
  void Finish();

 private:
  Take take_;
  std::string pending_;  // text of the unfinished field
  // What could finish it (FieldReader::Awaited): pieces without any of
  // these are only appended, so a field longer than many pieces (an
  // unclosed quote) is not scanned again for each.
  std::string_view awaited_;
};

// Appends text as one quoted line: '"' + text + '"' + CR LF. The text is
// written as it is; callers that must guarantee a round trip pass it
// through SanitizeField first.
void AppendQuotedLine(std::string& out, std::string_view text);

// Makes a text safe for one quoted field: each '"' becomes the full-width
// '＂' and each line break (CR LF, CR or LF) one blank. Text without those
// characters is returned unchanged.
std::string SanitizeField(std::string_view text);

// Blanks (spaces and tabs) removed from both ends.
std::string Trim(std::string_view text);
std::string_view TrimmedView(std::string_view text);

}  // namespace quillet
