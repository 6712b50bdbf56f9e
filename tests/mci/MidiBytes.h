#pragma once
// A tiny writer of Standard MIDI File bytes for tests: chunks, headers,
// variable-length numbers, and a temporary file that holds the result.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <unistd.h>
#include <vector>

namespace miditest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

inline Bytes VarLen(std::uint32_t value) {
  Bytes reversed{static_cast<std::uint8_t>(value & 0x7F)};
  while ((value >>= 7) != 0) reversed.push_back(static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
  return Bytes(reversed.rbegin(), reversed.rend());
}

inline Bytes BigEndian(std::uint32_t value, int count) {
  Bytes bytes;
  for (int i = count - 1; i >= 0; --i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  return bytes;
}

inline Bytes ChunkWithLength(const char* tag, std::uint32_t length, const Bytes& body) {
  return Cat({Bytes(tag, tag + 4), BigEndian(length, 4), body});
}

inline Bytes Chunk(const char* tag, const Bytes& body) {
  return ChunkWithLength(tag, static_cast<std::uint32_t>(body.size()), body);
}

inline Bytes Header(std::uint16_t format, std::uint16_t tracks, std::uint16_t division) {
  return Chunk("MThd", Cat({BigEndian(format, 2), BigEndian(tracks, 2), BigEndian(division, 2)}));
}

inline Bytes Track(const Bytes& events) { return Chunk("MTrk", events); }

// One event: the delta time followed by the event's bytes.
inline Bytes Ev(std::uint32_t delta, const Bytes& event) { return Cat({VarLen(delta), event}); }

inline Bytes EndOfTrack(std::uint32_t delta = 0) { return Ev(delta, {0xFF, 0x2F, 0x00}); }

inline Bytes Tempo(std::uint32_t delta, std::uint32_t usPerQuarter) {
  return Ev(delta, Cat({{0xFF, 0x51, 0x03}, BigEndian(usPerQuarter, 3)}));
}

// A file in the test's temporary directory, removed when the object goes.
class TempFile {
 public:
  explicit TempFile(const Bytes& bytes, const std::string& name = "song.mid") {
    static int counter = 0;
    m_dir = std::filesystem::path(::testing::TempDir()) /
            ("vusk_mci_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(m_dir);
    m_path = (m_dir / name).string();
    std::ofstream out(m_path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  ~TempFile() {
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& Path() const { return m_path; }

 private:
  std::filesystem::path m_dir;
  std::string m_path;
};

// A format 0 song of one note: program 0, middle C from 0 to 480 ticks,
// end of track 480 ticks later; 480 ticks per quarter at the default tempo,
// so the note lasts 0.5 s and the song 1 s.
inline Bytes OneNoteSong() {
  return Cat({Header(0, 1, 480),
              Track(Cat({Ev(0, {0xC0, 0x00}), Ev(0, {0x90, 60, 100}), Ev(480, {0x80, 60, 0}),
                         EndOfTrack(480)}))});
}

}  // namespace miditest
