#include "base/codepage.h"

#include <array>
#include <vector>

#include "base/utf8.h"

namespace quillet {
namespace {

namespace d = codepage_detail;

constexpr std::size_t kPairRows = d::kLastLead - d::kFirstLead + 1;

// What the platform makes of each code, asked once (thread-safe static
// initialisation). 64 KiB.
struct DecodeTable {
  std::array<char16_t, 0x80> singles{};  // bytes 0x80-0xFF
  std::vector<char16_t> pairs = std::vector<char16_t>(kPairRows * 256, 0);
  DecodeTable() { d::AskDecodings(singles.data(), pairs.data()); }
};
const DecodeTable& Decodings() {
  static const DecodeTable table;
  return table;
}

// 128 KiB, asked when the first text is encoded.
struct EncodeTable {
  std::vector<std::uint16_t> codes = std::vector<std::uint16_t>(0x10000, 0);
  EncodeTable() { d::AskEncodings(codes.data()); }
};
const EncodeTable& Encodings() {
  static const EncodeTable table;
  return table;
}

// Collects output in a small buffer and appends it to the string in runs,
// sparing a capacity check per byte.
class Output {
 public:
  explicit Output(std::string& to) : to_(to) {}
  ~Output() { Flush(); }
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;
  void Byte(char c) {
    if (used_ == sizeof buffer_) Flush();
    buffer_[used_++] = c;
  }
  void Utf8(char32_t cp) {  // a character of the BMP, not a surrogate
    if (used_ + 3 > sizeof buffer_) Flush();
    if (cp < 0x80) {
      buffer_[used_++] = static_cast<char>(cp);
    } else if (cp < 0x800) {
      buffer_[used_++] = static_cast<char>(0xC0 | (cp >> 6));
      buffer_[used_++] = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      buffer_[used_++] = static_cast<char>(0xE0 | (cp >> 12));
      buffer_[used_++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      buffer_[used_++] = static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  void Flush() {
    to_.append(buffer_, used_);
    used_ = 0;
  }

 private:
  std::string& to_;
  char buffer_[4096];
  std::size_t used_ = 0;
};

}  // namespace

Cp936Decoded DecodeCp936(std::string_view bytes) {
  Cp936Decoded result;
  result.utf8.reserve(bytes.size() * 3 / 2);
  const DecodeTable& table = Decodings();
  Output out(result.utf8);
  const auto byteAt = [bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  for (std::size_t i = 0; i < bytes.size();) {
    const unsigned char b = byteAt(i);
    if (b < 0x80) {
      out.Byte(static_cast<char>(b));
      ++i;
      continue;
    }
    // A lead byte and its trail make one character if the platform says so;
    // otherwise the byte stands alone, and where it means nothing alone it
    // becomes its escape and the next byte starts afresh.
    if (b >= d::kFirstLead && b <= d::kLastLead && i + 1 < bytes.size()) {
      const unsigned char trail = byteAt(i + 1);
      const char16_t c = trail >= d::kFirstTrail && trail <= d::kLastTrail
                             ? table.pairs[(b - d::kFirstLead) * 256u + trail]
                             : char16_t{0};
      if (c != 0) {
        out.Utf8(c);
        i += 2;
        continue;
      }
    }
    const char16_t single = table.singles[b - 0x80u];
    if (single != 0) {
      out.Utf8(single);
    } else {
      out.Utf8(ByteEscape(b));
      ++result.invalidBytes;
    }
    ++i;
  }
  return result;
}

Cp936Encoded EncodeCp936(std::string_view utf8) {
  Cp936Encoded result;
  result.bytes.reserve(utf8.size());
  const EncodeTable& table = Encodings();
  Output out(result.bytes);
  for (std::size_t pos = 0; pos < utf8.size();) {
    if (static_cast<unsigned char>(utf8[pos]) < 0x80) {  // ASCII is itself
      out.Byte(utf8[pos++]);
      continue;
    }
    bool valid = false;
    const char32_t cp = NextCodePoint(utf8, pos, &valid);
    const std::uint16_t code = valid && cp < 0x10000 ? table.codes[cp] : 0;
    if (valid && IsByteEscape(cp)) {
      out.Byte(EscapedByte(cp));
    } else if (code > 0xFF) {
      out.Byte(static_cast<char>(code >> 8));
      out.Byte(static_cast<char>(code & 0xFF));
    } else if (code != 0) {
      out.Byte(static_cast<char>(code));
    } else {
      out.Byte('?');
      ++result.unmappable;
    }
  }
  return result;
}

}  // namespace quillet
