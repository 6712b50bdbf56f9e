#include "platform/mci/MciSystem.h"

#include "platform/mci/MidiFileLoader.h"

#include <cstring>
#include <exception>
#include <string_view>

namespace mci {
namespace {

void CopyResult(std::string_view text, char* buffer, UINT length) {
  if (buffer == nullptr || length == 0) return;
  const std::size_t count = std::min<std::size_t>(text.size(), length - 1);
  if (count > 0) std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
}

}  // namespace

MciSystem& MciSystem::Instance() {
  static MciSystem instance;
  return instance;
}

MciSystem::MciSystem() : m_sequencer(&MciSystem::PostFromSequencer) {}

MciSystem::~MciSystem() {
  // At process exit the program's windows and queue may already be gone, so
  // the notifications that closing would give are dropped.
  std::vector<Notice> dropped;
  std::lock_guard lock(m_mutex);
  Teardown(dropped);
}

void MciSystem::PostFromSequencer(const Notice& notice) { Instance().Post({notice}); }

void MciSystem::Post(const std::vector<Notice>& notices) const {
  const PostFn post = m_poster.load();
  if (post == nullptr) return;
  for (const Notice& notice : notices) {
    if (notice.window != nullptr) post(notice.window, MM_MCINOTIFY, notice.flag, notice.deviceId);
  }
}

MCIERROR MciSystem::Execute(const char* text, char* returnBuffer, UINT returnLength,
                            HWND callback) {
  CopyResult({}, returnBuffer, returnLength);
  std::string result;
  std::vector<Notice> notices;
  Error error = Error::None;
  try {
    Command command;
    error = CommandParser::Parse(text, command);
    if (error == Error::None) {
      std::lock_guard lock(m_mutex);
      switch (command.verb) {
        case Verb::Open:
          error = Open(command, callback, notices);
          break;
        case Verb::Play:
          error = Play(command, callback, notices);
          break;
        case Verb::Stop:
          error = Stop(command, callback, notices);
          break;
        case Verb::Close:
          error = Close(command, callback, notices);
          break;
        case Verb::Status:
          error = Status(command, result);
          break;
      }
    }
  } catch (const std::exception&) {
    // Only running out of memory can throw here; the command fails and
    // whatever it had finished stays valid.
    error = Error::InternalError;
  }
  // Posting happens outside the lock so that a poster may do as it likes.
  Post(notices);
  if (error == Error::None) CopyResult(result, returnBuffer, returnLength);
  return ToNumber(error);
}

Error MciSystem::Open(const Command& command, HWND callback, std::vector<Notice>& notices) {
  if (command.Has(Keyword::Type) && !EqualsIgnoringCase(command.Value(Keyword::Type), "sequencer")) {
    return Error::UnsupportedDeviceType;
  }
  const std::string& alias = command.Has(Keyword::Alias) ? command.Value(Keyword::Alias)
                                                          : command.device;
  if (alias.empty()) return Error::MissingArgument;
  if (m_devices.Find(alias) != nullptr) return Error::DuplicateAlias;

  auto song = std::make_shared<MidiSong>();
  if (const Error error = MidiFileLoader::Load(command.device, *song); error != Error::None) {
    return error;
  }
  const Device* device = m_devices.Add(alias, command.device, std::move(song));
  if (device == nullptr) return Error::InternalError;
  if (command.Has(Keyword::Notify)) {
    notices.push_back({callback, MCI_NOTIFY_SUCCESSFUL, static_cast<LPARAM>(device->id)});
  }
  return Error::None;
}

Error MciSystem::EnsureSynthesizer() {
  if (const Error error = m_synthesizer.WaitReady(); error != Error::None) return error;
  m_sequencer.Attach(m_synthesizer.Synth(), m_synthesizer.SampleRate());
  return Error::None;
}

Error MciSystem::Play(const Command& command, HWND callback, std::vector<Notice>& notices) {
  const Device* device = m_devices.Find(command.device);
  if (device == nullptr) return Error::UnknownAlias;
  if (const Error error = EnsureSynthesizer(); error != Error::None) return error;

  // The output opens before the song starts, so a failure leaves nothing
  // half started; until the song starts, the output renders only what may
  // still be sounding from before. An output kept open after the last song
  // is taken over here.
  if (!m_sequencer.EndsAtOnce(*device->song)) {
    if (m_offline) {
      m_output.OpenWithoutDriver();
    } else if (const Error error = m_output.Open(m_synthesizer.Settings(),
                                                 &Sequencer::RenderCallback, &m_sequencer,
                                                 m_drivers);
               error != Error::None) {
      CloseOutputIfIdle();
      return error;
    }
  }
  m_sequencer.Play(device->song, device->id,
                   command.Has(Keyword::Notify) ? callback : nullptr, notices);
  // A song that ended at once is a song change like any other: the next
  // song may follow at once.
  CloseOutputLaterIfIdle();
  return Error::None;
}

Error MciSystem::Stop(const Command& command, HWND callback, std::vector<Notice>& notices) {
  const Device* device = m_devices.Find(command.device);
  if (device == nullptr) return Error::UnknownAlias;
  m_sequencer.Stop(device->id, notices);
  CloseOutputIfIdle();
  if (command.Has(Keyword::Notify)) {
    notices.push_back({callback, MCI_NOTIFY_SUCCESSFUL, static_cast<LPARAM>(device->id)});
  }
  return Error::None;
}

Error MciSystem::Close(const Command& command, HWND callback, std::vector<Notice>& notices) {
  const Device* device = m_devices.Find(command.device);
  if (device == nullptr) return Error::UnknownAlias;
  const DWORD id = device->id;
  m_sequencer.Unload(id, notices);
  m_devices.Remove(command.device);
  CloseOutputLaterIfIdle();
  if (command.Has(Keyword::Notify)) {
    notices.push_back({callback, MCI_NOTIFY_SUCCESSFUL, static_cast<LPARAM>(id)});
  }
  return Error::None;
}

Error MciSystem::Status(const Command& command, std::string& result) {
  const Device* device = m_devices.Find(command.device);
  if (device == nullptr) return Error::UnknownAlias;
  if (command.Has(Keyword::Mode)) {
    result = m_sequencer.IsPlaying(device->id) ? "playing" : "stopped";
  } else if (command.Has(Keyword::Length)) {
    result = std::to_string(device->song->lengthUs / 1000);
  } else {
    result = std::to_string(m_sequencer.PositionUs(device->id) / 1000);
  }
  return Error::None;
}

void MciSystem::CloseOutputIfIdle() {
  // Closing waits for the driver's thread to leave the render function, so
  // any notification it was posting has been posted when this returns.
  if (!m_sequencer.IsPlaying()) m_output.Close();
}

void MciSystem::CloseOutputLaterIfIdle() {
  if (!m_sequencer.IsPlaying()) m_output.CloseAfter(m_outputCloseGrace);
}

void MciSystem::Teardown(std::vector<Notice>& notices) {
  for (const std::string& alias : m_devices.Aliases()) {
    if (const Device* device = m_devices.Find(alias)) m_sequencer.Unload(device->id, notices);
    m_devices.Remove(alias);
  }
  // Every driver must be gone before the synthesizer and its settings are.
  m_output.Drain();
  m_sequencer.Detach();
  m_synthesizer.Destroy();
}

void MciSystem::WarmUp() {
  std::lock_guard lock(m_mutex);
  m_synthesizer.StartWarmUp();
}

void MciSystem::Shutdown() {
  std::vector<Notice> notices;
  {
    std::lock_guard lock(m_mutex);
    Teardown(notices);
  }
  Post(notices);
}

void MciSystem::UseSoundFont(const std::string& path) {
  std::lock_guard lock(m_mutex);
  m_synthesizer.SetSoundFontPath(path);
}

void MciSystem::UseOfflineRendering(bool offline) {
  std::lock_guard lock(m_mutex);
  // An output of the other kind, kept open after a song, must not be taken
  // over by the next play.
  if (offline != m_offline) m_output.Close();
  m_offline = offline;
}

void MciSystem::UseOutputCloseGrace(std::optional<std::chrono::milliseconds> grace) {
  std::lock_guard lock(m_mutex);
  m_outputCloseGrace = grace.value_or(kOutputCloseGrace);
}

void MciSystem::UseAudioDrivers(const std::vector<std::string>& drivers) {
  std::lock_guard lock(m_mutex);
  m_drivers = drivers.empty() ? DefaultDrivers() : drivers;
}

void MciSystem::RenderFrames(int frames, float* left, float* right) {
  if (frames <= 0) return;
  std::vector<float> scratchLeft;
  std::vector<float> scratchRight;
  if (left == nullptr) {
    scratchLeft.resize(static_cast<std::size_t>(frames));
    left = scratchLeft.data();
  }
  if (right == nullptr) {
    scratchRight.resize(static_cast<std::size_t>(frames));
    right = scratchRight.data();
  }
  std::fill(left, left + frames, 0.0f);
  std::fill(right, right + frames, 0.0f);
  float* out[2] = {left, right};
  m_sequencer.Render(frames, 0, nullptr, 2, out);
}

int MciSystem::SampleRate() {
  std::lock_guard lock(m_mutex);
  return m_synthesizer.SampleRate();
}

std::string MciSystem::OpenAudioDriver() {
  std::lock_guard lock(m_mutex);
  return m_output.DriverName();
}

}  // namespace mci
