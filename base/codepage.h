// Code page 936 (GBK, the ANSI code page of Simplified Chinese Windows) at
// the file boundary. Data files are decoded whole before parsing, because a
// GBK trail byte can look like an ASCII character ('\\', '"', '@'...).
//
// Backends: codepage_winapi.cpp (MultiByteToWideChar with 936) on Windows,
// codepage_posix.cpp (iconv "CP936") elsewhere. Both map the single bytes
// 0x00-0x80 and every GBK double-byte code; they differ only on the
// user-defined areas, which Windows maps to private-use characters and
// glibc rejects.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillet {

struct Cp936Decoded {
  std::string utf8;
  // Bytes that are not code page 936. Each one became U+FFFD in utf8, so
  // nothing vanishes and the count tells the caller that the text changed.
  std::size_t invalidBytes = 0;
};

struct Cp936Encoded {
  std::string bytes;
  // Characters code page 936 cannot hold (and malformed UTF-8 input). Each
  // one was written as '?'; a caller that must not lose text checks this.
  std::size_t unmappable = 0;
};

Cp936Decoded DecodeCp936(std::string_view bytes);
Cp936Encoded EncodeCp936(std::string_view utf8);

}  // namespace quillet
