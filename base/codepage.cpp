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

// Writes the UTF-8 form of a character of the BMP other than a surrogate
// (1 to 3 bytes) at o and returns the end.
char* PutUtf8(char* o, char32_t cp) {
  if (cp < 0x80) {
    *o++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *o++ = static_cast<char>(0xC0 | (cp >> 6));
    *o++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *o++ = static_cast<char>(0xE0 | (cp >> 12));
    *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *o++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return o;
}

// NextCodePoint, with the three-byte sequences of most Chinese characters
// taken inline: leads E1-EC and EE-EF with two continuation bytes are always
// valid (E0 could be overlong, ED a surrogate).
char32_t ThreeByteCharacter(std::string_view text, std::size_t& pos, bool* valid) {
  const auto byteAt = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byteAt(pos);
  if (lead >= 0xE1 && lead <= 0xEF && lead != 0xED && pos + 2 < text.size() &&
      (byteAt(pos + 1) & 0xC0) == 0x80 && (byteAt(pos + 2) & 0xC0) == 0x80) {
    const char32_t cp = (lead & 0x0Fu) << 12 | (byteAt(pos + 1) & 0x3Fu) << 6 | (byteAt(pos + 2) & 0x3Fu);
    pos += 3;
    *valid = true;
    return cp;
  }
  return NextCodePoint(text, pos, valid);
}

}  // namespace

Cp936Decoded DecodeCp936(std::string_view bytes) {
  Cp936Decoded result;
  const DecodeTable& table = Decodings();
  const char16_t* const singles = table.singles.data();
  const char16_t* const pairs = table.pairs.data();
  // One byte gives at most 3 bytes of UTF-8 (an escape), a pair 3 (1.5 a
  // byte): room for 1.5 a byte first, more when escapes use it up.
  std::string& utf8 = result.utf8;
  utf8.resize(bytes.size() * 3 / 2 + 3);
  char* o = utf8.data();
  const char* end = o + utf8.size();
  const auto byteAt = [bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  for (std::size_t i = 0; i < bytes.size();) {
    if (end - o < 3) {
      const std::size_t used = static_cast<std::size_t>(o - utf8.data());
      utf8.resize(used + (bytes.size() - i) * 3);
      o = utf8.data() + used;
      end = utf8.data() + utf8.size();
    }
    const unsigned char b = byteAt(i);
    if (b < 0x80) {
      *o++ = static_cast<char>(b);
      ++i;
      continue;
    }
    // A lead byte and its trail make one character if the platform says so;
    // otherwise the byte stands alone, and where it means nothing alone it
    // becomes its escape and the next byte starts afresh.
    if (b >= d::kFirstLead && b <= d::kLastLead && i + 1 < bytes.size()) {
      const unsigned char trail = byteAt(i + 1);
      const char16_t c = trail >= d::kFirstTrail && trail <= d::kLastTrail
                             ? pairs[(b - d::kFirstLead) * 256u + trail]
                             : char16_t{0};
      if (c != 0) {
        o = PutUtf8(o, c);
        i += 2;
        continue;
      }
    }
    const char16_t single = singles[b - 0x80u];
    if (single == 0) ++result.invalidBytes;
    o = PutUtf8(o, single != 0 ? char32_t{single} : ByteEscape(b));
    ++i;
  }
  utf8.resize(static_cast<std::size_t>(o - utf8.data()));
  return result;
}

Cp936Encoded EncodeCp936(std::string_view utf8) {
  Cp936Encoded result;
  const std::uint16_t* const codes = Encodings().codes.data();
  // No character gives more bytes than its UTF-8 form: 1 for 1, at most 2
  // for 2 or 3, '?' for 4 and for a malformed byte.
  std::string& bytes = result.bytes;
  bytes.resize(utf8.size());
  char* o = bytes.data();
  char* escapedLead = nullptr;  // a lead byte written for its escape, just before o
  for (std::size_t pos = 0; pos < utf8.size();) {
    char* const at = o;
    bool escapeOfLead = false;
    if (static_cast<unsigned char>(utf8[pos]) < 0x80) {  // ASCII is itself
      *o++ = utf8[pos++];
    } else {
      bool valid = false;
      const char32_t cp = ThreeByteCharacter(utf8, pos, &valid);
      const std::uint16_t code = valid && cp < 0x10000 ? codes[cp] : 0;
      if (valid && IsByteEscape(cp)) {
        *o++ = EscapedByte(cp);
        const auto byte = static_cast<unsigned char>(EscapedByte(cp));
        escapeOfLead = byte >= d::kFirstLead && byte <= d::kLastLead;
      } else if (code > 0xFF) {
        *o++ = static_cast<char>(code >> 8);
        *o++ = static_cast<char>(code & 0xFF);
      } else if (code != 0) {
        *o++ = static_cast<char>(code);
      } else {
        *o++ = '?';
        ++result.unmappable;
      }
    }
    // An escaped lead byte must not pair up with the byte after it, or the
    // two would read back as another character. Decoded text never holds
    // such a neighbour (the decoder would have paired them); an edit next
    // to the escape can, and the escape then cannot be held.
    if (escapedLead) {
      const auto lead = static_cast<unsigned char>(*escapedLead);
      const auto trail = static_cast<unsigned char>(*at);
      if (trail >= d::kFirstTrail && trail <= d::kLastTrail &&
          Decodings().pairs[(lead - d::kFirstLead) * 256u + trail] != 0) {
        *escapedLead = '?';
        ++result.unmappable;
      }
    }
    escapedLead = escapeOfLead ? at : nullptr;
  }
  bytes.resize(static_cast<std::size_t>(o - bytes.data()));
  return result;
}

}  // namespace quillet
