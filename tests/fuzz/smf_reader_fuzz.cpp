// libFuzzer entry for the Standard MIDI File reader. Besides the sanitizers'
// checks on every read, it checks what the sequencer relies on in every song
// the reader accepts: events in time order, none after the song's end, no
// time past the cap, and every system exclusive reference inside its data.

#include "platform/mci/SmfReader.h"

#include <cstddef>
#include <cstdint>

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckSong(const mci::MidiSong& song) {
  Require(song.lengthUs >= 0 && song.lengthUs <= mci::SmfReader::kMaxTimeUs);
  std::int64_t previous = 0;
  for (const mci::MidiEvent& event : song.events) {
    Require(event.timeUs >= previous && event.timeUs <= song.lengthUs);
    previous = event.timeUs;
    if (event.status == 0xF0) {
      Require(event.extra < song.sysex.size());
      const mci::SysexSpan& span = song.sysex[event.extra];
      Require(span.offset <= song.sysexData.size() &&
              span.length <= song.sysexData.size() - span.offset);
    } else {
      Require(event.status >= 0x80 && event.status <= 0xEF);
      Require(event.data1 < 0x80 && event.data2 < 0x80);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mci::MidiSong song;
  if (mci::SmfReader::Read({data, size}, song) == mci::SmfStatus::Ok) {
    CheckSong(song);
  } else {
    Require(song.events.empty() && song.lengthUs == 0);
  }
  return 0;
}
