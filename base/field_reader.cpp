#include "base/field_reader.h"

namespace quillet {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::string FieldReader::Next() {
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  std::string field;
  lastQuoted_ = pos_ < text_.size() && text_[pos_] == '"';
  if (lastQuoted_) {
    const std::size_t start = pos_ + 1;
    const std::size_t close = text_.find('"', start);
    const std::size_t end = close == std::string_view::npos ? text_.size() : close;
    field.assign(text_.substr(start, end - start));
    pos_ = close == std::string_view::npos ? text_.size() : close + 1;
    // Whatever stands between the closing quote and the delimiter is ignored.
    while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
  } else {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
    field.assign(text_.substr(start, pos_ - start));
  }
  SkipDelimiter();
  return field;
}

void FieldReader::SkipDelimiter() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == ',') {
    ++pos_;
  } else if (text_[pos_] == '\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  } else if (text_[pos_] == '\n') {
    ++pos_;
  }
}

void AppendQuotedLine(std::string& out, std::string_view text) {
  out += '"';
  out += text;
  out += "\"\r\n";
}

std::string SanitizeField(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      out += "\xEF\xBC\x82";  // U+FF02 FULLWIDTH QUOTATION MARK
    } else if (c == '\r') {
      out += ' ';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

std::string Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

}  // namespace quillet
