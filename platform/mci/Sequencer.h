#pragma once
// Plays one MidiSong at a time on the synthesizer, driven by the audio
// clock: the render function is called for every audio period (by the audio
// driver's thread, or by a test on its own thread), sends each event when
// the period reaches its time and renders the synthesizer in between, so the
// song's clock is the number of frames rendered. FluidSynth starts what an
// event changes at its next internal block of 64 frames, so an event sounds
// at most 1.5 ms after its time. When playback reaches the end of the song,
// the pending notification is handed to the notice sink.
//
// The control side (commands) and the render side share the state below
// under one mutex; the control side holds it only for short updates.
// Everything a caller must post is returned as notices, or handed to the
// sink by the render side after it has let go of the mutex.

#include "platform/mci/MidiSong.h"
#include "platform/win/WinTypes.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

typedef struct _fluid_synth_t fluid_synth_t;

namespace mci {

struct Notice {
  HWND window = nullptr;
  WPARAM flag = 0;
  LPARAM deviceId = 0;
};

class Sequencer {
 public:
  using NoticeSink = void (*)(const Notice& notice);

  explicit Sequencer(NoticeSink sink) : m_sink(sink) {}

  using Observer = void (*)(const float* left, const float* right, int frames);

  void Attach(fluid_synth_t* synth, int sampleRate);
  // Sees every rendered period; for benchmarks and tests.
  void SetObserver(Observer observer) { m_observer.store(observer); }
  void Detach();

  // Whether a song would end the moment it starts: nothing to send and no
  // length, so it needs no audio at all.
  bool EndsAtOnce(const MidiSong& song) const;

  // Starts the device's song from its beginning, or lets it go on if that
  // device is already playing. A play of another device aborts the one that
  // was playing. A notify window replaces a pending notification, which is
  // then superseded; without one, a pending notification stays.
  void Play(std::shared_ptr<const MidiSong> song, DWORD deviceId, HWND notifyWindow,
            std::vector<Notice>& notices);
  // Stops the device if its song is loaded: every sound is cut at once, the
  // synthesizer's channels are reset and the song rewinds to its start. A
  // pending notification is aborted.
  void Stop(DWORD deviceId, std::vector<Notice>& notices);
  // Stops the device and forgets its song.
  void Unload(DWORD deviceId, std::vector<Notice>& notices);

  bool IsPlaying() const;
  bool IsPlaying(DWORD deviceId) const;
  std::int64_t PositionUs(DWORD deviceId) const;

  // The audio output's render function; data is the Sequencer.
  static int RenderCallback(void* data, int len, int nfx, float* fx[], int nout, float* out[]);
  // Renders len frames into the buffers, which the caller has zeroed.
  void Render(int len, int nfx, float* fx[], int nout, float* out[]);

 private:
  std::int64_t FrameOf(std::int64_t us) const;
  void Send(const MidiEvent& event);
  void Synthesize(int offset, int len, int nfx, float* fx[], int nout, float* out[]);
  void StopLocked(std::vector<Notice>& notices);

  const NoticeSink m_sink;
  std::atomic<Observer> m_observer{nullptr};
  mutable std::mutex m_mutex;
  fluid_synth_t* m_synth = nullptr;
  int m_sampleRate = 44100;

  std::shared_ptr<const MidiSong> m_song;
  DWORD m_deviceId = 0;
  bool m_playing = false;
  std::size_t m_nextEvent = 0;
  std::int64_t m_frame = 0;
  std::int64_t m_endFrame = 0;
  // Frames rendered since playback ended with no voice sounding; past a few
  // seconds the reverb has died away and synthesis is skipped.
  std::int64_t m_quietFrames = 0;
  HWND m_notifyWindow = nullptr;
};

}  // namespace mci
