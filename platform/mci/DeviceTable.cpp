#include "platform/mci/DeviceTable.h"

namespace mci {

std::string DeviceTable::Key(std::string_view alias) {
  std::string key(alias);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

const Device* DeviceTable::Find(std::string_view alias) const {
  const auto it = m_devices.find(Key(alias));
  return it == m_devices.end() ? nullptr : &it->second;
}

const Device* DeviceTable::Add(std::string_view alias, std::string path,
                               std::shared_ptr<const MidiSong> song) {
  const auto [it, added] = m_devices.try_emplace(Key(alias));
  if (!added) return nullptr;
  it->second = Device{++m_lastId, std::move(path), std::move(song)};
  return &it->second;
}

void DeviceTable::Remove(std::string_view alias) { m_devices.erase(Key(alias)); }

std::vector<std::string> DeviceTable::Aliases() const {
  std::vector<std::string> aliases;
  for (const auto& entry : m_devices) aliases.push_back(entry.first);
  return aliases;
}

}  // namespace mci
