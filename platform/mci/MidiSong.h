#pragma once
// A song as the sequencer plays it: one list of channel messages and system
// exclusive messages, ordered by time, with the times already worked out from
// the file's tempo map. Built by SmfReader, read by Sequencer.

#include <cstdint>
#include <vector>

namespace mci {

struct MidiEvent {
  // Microseconds from the start of the song.
  std::int64_t timeUs = 0;
  // 0x80-0xEF: a channel message with data1 and data2 (data2 unused for
  // program change and channel pressure). 0xF0: a complete system exclusive
  // message whose bytes are sysex[extra].
  std::uint8_t status = 0;
  std::uint8_t data1 = 0;
  std::uint8_t data2 = 0;
  std::uint32_t extra = 0;
};

struct SysexSpan {
  // The message's bytes in MidiSong::sysexData, without the leading F0 and
  // the closing F7.
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
};

struct MidiSong {
  std::vector<MidiEvent> events;
  std::vector<SysexSpan> sysex;
  std::vector<std::uint8_t> sysexData;
  // The end of the song: the latest end of any track, which is never before
  // its last event. A song ends when playback reaches this time.
  std::int64_t lengthUs = 0;
};

}  // namespace mci
