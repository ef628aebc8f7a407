// Code page 936 (GBK, the ANSI code page of Simplified Chinese Windows) at
// the file boundary. Data files are decoded before parsing, because a GBK
// trail byte can look like an ASCII character ('@', '\\', letters); a
// large file is decoded in pieces cut where Cp936CompletePrefix allows.
//
// The mapping is the platform's own: codepage_winapi.cpp asks
// MultiByteToWideChar and WideCharToMultiByte with 936 on Windows,
// codepage_posix.cpp asks iconv "CP936" elsewhere. Both map the single
// bytes 0x00-0x80 and every GBK double-byte code; they differ only on the
// user-defined areas, which Windows maps to private-use characters and
// glibc rejects (its bytes are then kept as byte escapes, see below).
// codepage.cpp asks the platform once about every code and character and
// converts by table from then on, at memory speed.
//
// Bytes that are not code page 936 are kept, not replaced: each becomes a
// byte escape, the private-use character U+EF00 + byte, and a byte escape
// encodes back to its byte. So decoding and encoding again gives back every
// byte of any file, and a save never fails over bytes the user did not
// touch. Only bytes 0x81-0xFF can be invalid (0x00-0x7F are ASCII, 0x80 is
// the euro sign), so the escapes are U+EF81-U+EFFF. The block is reserved
// for this: code page 936 decodes into private use only in its
// user-defined areas, which Windows maps to U+E000-U+E765 and glibc not at
// all; the same block holds raw bytes in MirBSD's OPTU-8. A byte escape the
// user types in is written as its byte, unless that byte is a lead byte
// that would pair up with the next byte into another character (an edit
// next to an escape can do that): the escape is then unmappable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

struct Cp936Decoded {
  std::string utf8;
  // Bytes that are not code page 936. Each one became its byte escape in
  // utf8; the count lets the caller warn that the file holds odd bytes.
  std::size_t invalidBytes = 0;
};

struct Cp936Encoded {
  std::string bytes;
  // Characters code page 936 cannot hold (and malformed UTF-8 input). Each
  // one was written as '?'; a caller that must not lose text checks this.
  std::size_t unmappable = 0;
};

inline constexpr char32_t kFirstByteEscape = 0xEF80;
inline constexpr char32_t kLastByteEscape = 0xEFFF;
// The escape of a byte 0x80-0xFF, and the byte of an escape.
constexpr char32_t ByteEscape(unsigned char byte) { return kFirstByteEscape - 0x80 + byte; }
constexpr bool IsByteEscape(char32_t cp) { return cp >= kFirstByteEscape && cp <= kLastByteEscape; }
constexpr char EscapedByte(char32_t escape) {
  return static_cast<char>(static_cast<unsigned char>(escape - (kFirstByteEscape - 0x80)));
}

Cp936Decoded DecodeCp936(std::string_view bytes);
Cp936Encoded EncodeCp936(std::string_view utf8);

// For decoding a file piece by piece: the length of the longest start of
// bytes that decodes the same whatever bytes follow it, that is up to and
// including the last byte below 0x40 (0 if there is none). Such a byte
// (line ends, quotes, commas, blanks, digits) is never the second byte of a
// double-byte code, whose second bytes are 0x40-0xFE, so it always ends a
// character.
constexpr std::size_t Cp936CompletePrefix(std::string_view bytes) {
  for (std::size_t n = bytes.size(); n > 0; --n) {
    if (static_cast<unsigned char>(bytes[n - 1]) < 0x40) return n;
  }
  return 0;
}

// Backend primitives, implemented per platform: what its converter makes of
// each code. Not for use outside codepage.cpp, which calls each once.
namespace codepage_detail {
inline constexpr int kFirstLead = 0x81, kLastLead = 0xFE;     // lead bytes of double-byte codes
inline constexpr int kFirstTrail = 0x40, kLastTrail = 0xFE;   // their second bytes
// singles[b - 0x80]: the character of the byte b (0x80-0xFF) alone;
// pairs[(lead - kFirstLead) * 256 + trail]: the character of a double-byte
// code. 0 where the platform decodes no single BMP character.
void AskDecodings(char16_t* singles, char16_t* pairs);
// codes[c] for every character c from U+0080 to U+FFFF: the byte it
// encodes to (0x80-0xFF), or lead * 256 + trail, or 0 when it has none.
void AskEncodings(std::uint16_t* codes);
}  // namespace codepage_detail

}  // namespace quillet
