#pragma once
// Carries out the commands of the string interface: one instance per process
// owns the device table, the synthesizer, the sequencer and the audio output,
// and runs one command at a time. Opening the audio output when playback
// starts and closing it when playback stops is decided here.
//
// Stop closes the output at once, so that a stopped program renders nothing.
// Close, which is how a program moves from one song to the next, leaves the
// output open for a short grace period instead: the next song's play takes
// it over and its first event is rendered in the same stream right after
// the last song's end. Every play that needs sound opens the output before
// the song starts, which cancels a pending close, so the timed close never
// takes the output from a song.

#include "platform/mci/AudioOutput.h"
#include "platform/mci/CommandParser.h"
#include "platform/mci/DeviceTable.h"
#include "platform/mci/Mci.h"
#include "platform/mci/Sequencer.h"
#include "platform/mci/Synthesizer.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace mci {

class MciSystem {
 public:
  // How long the output stays open after a close with nothing playing. A
  // program's song change (the notification reaching its loop, then close,
  // open and play) takes a few milliseconds, and reading a large file at
  // open some tens more; a quarter of a second covers that with room to
  // spare, and costs only that much rendering of silence after the last song.
  static constexpr std::chrono::milliseconds kOutputCloseGrace{250};

  static MciSystem& Instance();

  MCIERROR Execute(const char* command, char* returnBuffer, UINT returnLength, HWND callback);
  void SetPoster(PostFn post) { m_poster.store(post); }
  void WarmUp();
  void Shutdown();

  void UseSoundFont(const std::string& path);
  void UseOfflineRendering(bool offline);
  void UseAudioDrivers(const std::vector<std::string>& drivers);
  void RenderFrames(int frames, float* left, float* right);
  int SampleRate();
  std::string OpenAudioDriver();
  void UseOutputCloseGrace(std::optional<std::chrono::milliseconds> grace);
  bool ExpireOutputGrace() { return m_output.ExpireGrace(); }
  bool WaitForOutputClosed(std::chrono::milliseconds limit) { return m_output.WaitClosed(limit); }
  Error WaitForSynthesizer() { return m_synthesizer.WaitReady(); }
  void ObserveRendering(testing::RenderObserver observer) { m_sequencer.SetObserver(observer); }

 private:
  MciSystem();
  ~MciSystem();

  Error Open(const Command& command, HWND callback, std::vector<Notice>& notices);
  Error Play(const Command& command, HWND callback, std::vector<Notice>& notices);
  Error Stop(const Command& command, HWND callback, std::vector<Notice>& notices);
  Error Close(const Command& command, HWND callback, std::vector<Notice>& notices);
  Error Status(const Command& command, std::string& result);
  Error EnsureSynthesizer();
  // Closes the output at once, or after the grace period, if nothing plays.
  void CloseOutputIfIdle();
  void CloseOutputLaterIfIdle();
  void Teardown(std::vector<Notice>& notices);
  void Post(const std::vector<Notice>& notices) const;

  static void PostFromSequencer(const Notice& notice);

  std::mutex m_mutex;
  std::atomic<PostFn> m_poster{nullptr};
  DeviceTable m_devices;
  Synthesizer m_synthesizer;
  Sequencer m_sequencer;
  AudioOutput m_output;
  bool m_offline = false;
  std::chrono::milliseconds m_outputCloseGrace = kOutputCloseGrace;
  // PulseAudio first (PipeWire desktops serve it too), then ALSA, then SDL.
  // FluidSynth's SDL driver opens only in a process that has initialised
  // SDL's audio itself, which this program does not; it is tried last so
  // that a build whose host does so gets it without a change here.
  static std::vector<std::string> DefaultDrivers() { return {"pulseaudio", "alsa", "sdl2"}; }
  std::vector<std::string> m_drivers = DefaultDrivers();
};

}  // namespace mci
