#pragma once
// The devices that are open, by alias. Aliases compare without regard to
// ASCII case. Each open device gets a number of its own, which notifications
// carry; numbers are not reused while the process runs.

#include "platform/mci/MidiSong.h"
#include "platform/win/WinTypes.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mci {

struct Device {
  DWORD id = 0;
  std::string path;
  std::shared_ptr<const MidiSong> song;
};

class DeviceTable {
 public:
  const Device* Find(std::string_view alias) const;
  // Returns null if the alias is taken.
  const Device* Add(std::string_view alias, std::string path, std::shared_ptr<const MidiSong> song);
  void Remove(std::string_view alias);
  std::vector<std::string> Aliases() const;

 private:
  static std::string Key(std::string_view alias);

  std::map<std::string, Device> m_devices;
  DWORD m_lastId = 0;
};

}  // namespace mci
