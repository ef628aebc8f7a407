#include "base/field_reader.h"

#include <algorithm>

namespace quillet {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

FieldReader::Span FieldReader::Scan() const {
  Span span;
  const std::size_t size = text_.size();
  std::size_t pos = pos_;
  while (pos < size && IsBlank(text_[pos])) ++pos;
  span.quoted = pos < size && text_[pos] == '"';
  bool closed = true;
  if (span.quoted) {
    span.begin = pos + 1;
    const std::size_t close = text_.find('"', span.begin);
    closed = close != std::string_view::npos;
    span.end = closed ? close : size;
    pos = closed ? close + 1 : size;
    // Whatever stands between the closing quote and the delimiter is ignored.
    while (pos < size && text_[pos] != ',' && !IsLineEnd(text_[pos])) ++pos;
  } else {
    span.begin = pos;
    while (pos < size && text_[pos] != ',' && !IsLineEnd(text_[pos])) ++pos;
    span.end = pos;
  }
  span.complete = closed && pos < size && (text_[pos] != '\r' || pos + 1 < size);
  if (!closed) {
    span.awaited = "\"";
  } else if (pos < size) {
    span.awaited = {};  // a CR at the very end: whatever follows decides
  } else {
    span.awaited = ",\r\n";
  }
  // The comma or line end (CR LF, lone CR, lone LF) goes with the field.
  if (pos < size) {
    const char delimiter = text_[pos++];
    if (delimiter == '\r' && pos < size && text_[pos] == '\n') ++pos;
  }
  span.next = pos;
  return span;
}

std::string_view FieldReader::Take(const Span& span) {
  pos_ = span.next;
  lastQuoted_ = span.quoted;
  return text_.substr(span.begin, span.end - span.begin);
}

std::string_view FieldReader::NextView() { return Take(Scan()); }

bool FieldReader::NextIfComplete(std::string_view* field) {
  const Span span = Scan();
  if (!span.complete) {
    awaited_ = span.awaited;
    return false;
  }
  *field = Take(span);
  return true;
}

void FieldStream::Feed(std::string_view piece) {
  const bool mayFinish = pending_.empty() || awaited_.empty() ||
                         std::any_of(piece.begin(), piece.end(), [this](char c) {
                           return awaited_.find(c) != std::string_view::npos;
                         });
  pending_ += piece;
  if (!mayFinish) return;
  FieldReader reader(pending_);
  std::string_view field;
  while (reader.NextIfComplete(&field)) take_(field, reader.LastFieldQuoted());
  awaited_ = reader.Awaited();
  pending_.erase(0, reader.Position());
}

void FieldStream::Finish() {
  FieldReader reader(pending_);
  while (!reader.AtEnd()) {
    const std::string_view field = reader.NextView();
    take_(field, reader.LastFieldQuoted());
  }
  pending_.clear();
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

std::string_view TrimmedView(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string Trim(std::string_view text) { return std::string(TrimmedView(text)); }

}  // namespace quillet
