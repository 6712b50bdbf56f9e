#pragma once
// Reads a whole MIDI file from disk and turns it into a MidiSong, mapping
// each way it can fail to the command interface's error for it.

#include "platform/mci/MciError.h"
#include "platform/mci/MidiSong.h"

#include <string>

namespace mci {

class MidiFileLoader {
 public:
  static Error Load(const std::string& path, MidiSong& song);
};

}  // namespace mci
