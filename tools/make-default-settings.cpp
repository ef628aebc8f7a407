// Writes the delivered settings file: make-default-settings OUT_PATH writes
// the first-run settings (settings/default_settings.h) as paramter.dat, 51
// quoted lines, CR LF, code page 936. The data folder stays empty: the
// program fills in its own folder when it starts.
#include <cstdio>
#include <fstream>

#include "base/codepage.h"
#include "settings/default_settings.h"
#include "settings/parameters.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-default-settings OUT_PATH\n");
    return 2;
  }
  const quillet::Cp936Encoded bytes =
      quillet::EncodeCp936(quillet::FormatParameters(quillet::DefaultSettings("")));
  if (bytes.unmappable != 0) {
    std::fprintf(stderr, "make-default-settings: %zu characters not in code page 936\n",
                 bytes.unmappable);
    return 1;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << bytes.bytes;
  out.close();
  if (!out) {
    std::fprintf(stderr, "make-default-settings: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
