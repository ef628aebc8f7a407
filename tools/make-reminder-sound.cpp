// Writes the delivered reminder sound: make-reminder-sound OUT_PATH writes a
// soft two-note chime (E6 then C6, a falling major third, each a decaying
// sine with a quieter octave above it) as a WAV file, 16-bit mono PCM at
// 22050 Hz, 1.2 s long: shorter than the pop-up's two-second rhythm, so the
// rhythm never cuts a note off. Synthesised here, from nothing but these
// numbers.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/little_endian.h"

namespace {

constexpr int kRate = 22050;           // samples per second
constexpr double kLength = 1.2;        // seconds
constexpr double kPeak = 0.45;         // of full scale: a soft sound
constexpr double kPi = 3.14159265358979323846;

struct Note {
  double start;      // seconds
  double frequency;  // Hz
  double gain;
};
// E6 and C6 in equal temperament from A4 = 440 Hz.
constexpr Note kNotes[] = {{0.0, 1318.51, 1.0}, {0.22, 1046.50, 0.9}};

double NoteSample(const Note& note, double t) {
  const double s = t - note.start;
  if (s < 0) return 0;
  const double attack = s < 0.008 ? s / 0.008 : 1.0;  // 8 ms: no click
  const double fundamental = std::exp(-s / 0.28) * std::sin(2 * kPi * note.frequency * s);
  const double octave = 0.25 * std::exp(-s / 0.12) * std::sin(4 * kPi * note.frequency * s);
  return note.gain * attack * (fundamental + octave);
}

std::vector<double> Synthesise() {
  const int count = static_cast<int>(kLength * kRate);
  std::vector<double> samples(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    double v = 0;
    for (const Note& note : kNotes) v += NoteSample(note, t);
    // The last 60 ms fade to silence so the sound ends without a click.
    const double left = kLength - t;
    if (left < 0.06) v *= left / 0.06;
    samples[static_cast<std::size_t>(i)] = v;
  }
  return samples;
}

using quillet::tools::Put16;
using quillet::tools::Put32;

// RIFF/WAVE with one fmt chunk (PCM) and one data chunk, little-endian.
std::string WaveFile(const std::vector<double>& samples) {
  double peak = 0;
  for (double v : samples) peak = std::fmax(peak, std::fabs(v));
  const double scale = peak > 0 ? kPeak * 32767 / peak : 0;
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::string out = "RIFF";
  Put32(out, 36 + dataBytes);
  out += "WAVEfmt ";
  Put32(out, 16);         // fmt chunk size
  Put16(out, 1);          // PCM
  Put16(out, 1);          // mono
  Put32(out, kRate);
  Put32(out, kRate * 2);  // bytes per second
  Put16(out, 2);          // bytes per sample frame
  Put16(out, 16);         // bits per sample
  out += "data";
  Put32(out, dataBytes);
  for (double v : samples) {
    const long s = std::lround(v * scale);
    Put16(out, static_cast<unsigned>(static_cast<std::uint16_t>(static_cast<std::int16_t>(s))));
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-reminder-sound OUT_PATH\n");
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << WaveFile(Synthesise());
  out.close();
  if (!out) {
    std::fprintf(stderr, "make-reminder-sound: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
