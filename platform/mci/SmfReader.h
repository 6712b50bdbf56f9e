#pragma once
// Reads a Standard MIDI File held in memory into a MidiSong, checking every
// length against the bytes that are really there: nothing in the file can
// make the reader read past its end or allocate more than the file's own
// size warrants. Any fault refuses the whole file; the status says which.
//
// What is accepted:
// - An "MThd" chunk of at least 6 bytes (longer headers are skipped over);
//   formats 0, 1 and 2; a metrical division (ticks per quarter note, not 0)
//   or an SMPTE division (frames per second times ticks per frame, 29 meaning
//   29.97 frames per second).
// - Exactly as many "MTrk" chunks as the header declares; chunks of other
//   types are skipped by their length, and bytes after the last track are
//   ignored. Fewer tracks than declared is a truncated file.
// - Formats 0 and 1 are merged into one timeline with a shared tempo map
//   (tempo changes in any track apply to all). Format 2 tracks are
//   independent songs played one after another, each with its own tempo map.
// - A track that ends without an end-of-track event ends at its last event;
//   bytes after an end-of-track event are ignored.
// - Running status carries on across meta and system exclusive events; a
//   data byte with no channel status before it in the track is malformed.
// - A tempo event of fewer than 3 data bytes, or with a tempo of 0, is
//   malformed: a zero tempo would put the rest of the song at one instant.
// - Only complete system exclusive messages (F0 ... F7 in one event) are
//   kept; continuation packets (F7 events) and meta events other than tempo
//   and end of track are dropped.

#include "platform/mci/MidiSong.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace mci {

enum class SmfStatus {
  Ok,
  TooLarge,           // larger than kMaxFileSize
  NotMidi,            // does not start with an "MThd" chunk
  BadHeader,          // header shorter than 6 bytes, or no tracks declared
  UnsupportedFormat,  // format above 2
  BadDivision,        // zero ticks per quarter note or per frame
  Truncated,          // a chunk or an event runs past the end of what holds it
  MissingTracks,      // fewer track chunks than the header declares
  BadVarLen,          // a variable-length number longer than four bytes
  NoRunningStatus,    // a data byte where a status byte is needed
  BadEvent,           // a status byte where a data byte is needed, or F1-FE
  BadTempo,           // tempo event too short, or a tempo of 0
};

class SmfReader {
 public:
  // The largest file accepted. Real songs are far smaller; the cap bounds the
  // memory a hostile file can make the reader use (a few times this size).
  static constexpr std::size_t kMaxFileSize = 8u << 20;
  // Times are clamped here (about 35 years) so that no arithmetic on them can
  // overflow, whatever deltas and tempos a file declares.
  static constexpr std::int64_t kMaxTimeUs = std::int64_t{1} << 50;

  static SmfStatus Read(std::span<const std::uint8_t> bytes, MidiSong& song);

 private:
  explicit SmfReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

  SmfStatus ReadFile(MidiSong& song);
  SmfStatus ReadTrack(std::size_t begin, std::size_t end, MidiSong& song);
  SmfStatus ReadVarLen(std::size_t& pos, std::size_t end, std::uint32_t& value) const;
  std::int64_t ConvertTimes(std::size_t begin, std::size_t end, std::int64_t startUs);

  std::span<const std::uint8_t> m_bytes;
  // While tracks are read, MidiEvent::timeUs holds the tick; ConvertTimes
  // turns ticks into microseconds in place.
  std::vector<MidiEvent> m_events;
  std::vector<std::size_t> m_trackStarts;
  bool m_smpte = false;
  std::uint32_t m_ticksPerQuarter = 0;
  double m_usPerTickSmpte = 0.0;
};

}  // namespace mci
