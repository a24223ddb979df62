// Small PCM WAV files written by the tests themselves, with sample values the
// tests can recognise in what was played.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// 16-bit samples counting up from `first`, one per frame of a mono sound: the
// ramp makes order and continuity of playing visible sample by sample.
inline std::vector<int16_t> Ramp(int first, int count) {
  std::vector<int16_t> samples;
  samples.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    samples.push_back(static_cast<int16_t>(first + i));
  }
  return samples;
}

// Writes a PCM WAV file of `data` (interleaved frames of `channels` samples of
// `bits` bits, little-endian) at `rate` frames per second.
inline void WriteWav(const std::filesystem::path& path, int rate, int channels, int bits,
                     const std::vector<uint8_t>& data) {
  std::vector<uint8_t> file;
  // Byte by byte: GCC 12 under ThreadSanitizer misjudges a range insert into
  // the empty vector as an overflow.
  const auto text = [&](const char* s) {
    for (int i = 0; i < 4; ++i) {
      file.push_back(static_cast<uint8_t>(s[i]));
    }
  };
  const auto number = [&](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      file.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
  };
  const auto frameBytes = static_cast<uint32_t>(channels * bits / 8);
  const auto size = static_cast<uint32_t>(data.size());
  text("RIFF");
  number(36 + size, 4);
  text("WAVE");
  text("fmt ");
  number(16, 4);
  number(1, 2);  // PCM
  number(static_cast<uint32_t>(channels), 2);
  number(static_cast<uint32_t>(rate), 4);
  number(static_cast<uint32_t>(rate) * frameBytes, 4);
  number(frameBytes, 2);
  number(static_cast<uint32_t>(bits), 2);
  text("data");
  number(size, 4);
  file.insert(file.end(), data.begin(), data.end());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

// A mono 16-bit WAV file of `samples`.
inline void WriteWav16(const std::filesystem::path& path, int rate,
                       const std::vector<int16_t>& samples) {
  std::vector<uint8_t> data;
  for (int16_t sample : samples) {
    const auto bits = static_cast<uint16_t>(sample);
    data.push_back(static_cast<uint8_t>(bits));
    data.push_back(static_cast<uint8_t>(bits >> 8));
  }
  WriteWav(path, rate, 1, 16, data);
}
