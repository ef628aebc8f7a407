#include <cerrno>
#include <iconv.h>
#include <stdexcept>

#include "base/codepage.h"
#include "base/utf8.h"

namespace quillet {
namespace {

// One iconv descriptor per conversion; closed on scope exit.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Iconv() { iconv_close(cd_); }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  // Converts as much of [in, in+inLeft) as is valid, appending to out.
  // Returns false when it stopped at an invalid or incomplete sequence.
  bool Convert(const char*& in, std::size_t& inLeft, std::string& out) {
    char buffer[4096];
    while (inLeft > 0) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t rc = iconv(cd_, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
      out.append(buffer, outPtr);
      if (rc == static_cast<std::size_t>(-1)) {
        if (errno == E2BIG) continue;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // reset shift state
        return false;
      }
    }
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace

Cp936Decoded DecodeCp936(std::string_view bytes) {
  Cp936Decoded result;
  result.utf8.reserve(bytes.size() * 3 / 2);
  Iconv conv("UTF-8", "CP936");
  const char* in = bytes.data();
  std::size_t left = bytes.size();
  while (!conv.Convert(in, left, result.utf8)) {
    AppendUtf8(result.utf8, ByteEscape(static_cast<unsigned char>(*in)));
    ++result.invalidBytes;
    ++in;
    --left;
  }
  return result;
}

Cp936Encoded EncodeCp936(std::string_view utf8) {
  Cp936Encoded result;
  result.bytes.reserve(utf8.size());
  Iconv conv("CP936", "UTF-8");
  // Convert one code point at a time only after a failure: the fast path
  // takes the whole text in one call.
  const char* in = utf8.data();
  std::size_t left = utf8.size();
  while (!conv.Convert(in, left, result.bytes)) {
    std::size_t pos = static_cast<std::size_t>(in - utf8.data());
    bool valid = false;
    const char32_t cp = NextCodePoint(utf8, pos, &valid);  // the offending character (or byte)
    if (valid && IsByteEscape(cp)) {
      result.bytes += EscapedByte(cp);
    } else {
      result.bytes += '?';
      ++result.unmappable;
    }
    left -= static_cast<std::size_t>(utf8.data() + pos - in);
    in = utf8.data() + pos;
  }
  return result;
}

}  // namespace quillet
