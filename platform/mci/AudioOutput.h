#pragma once
// The audio output: a FluidSynth audio driver that calls our own render
// function for every period. It is opened when playback starts and closed
// when it stops, so that nothing is rendered while nothing plays. The
// drivers are tried in order and the first that opens wins.
//
// Opening takes a few milliseconds, but deleting a PulseAudio driver waits
// for the server to take the driver's last write, which was measured at
// 0.7-1.7 s. So Close only detaches the driver, at once, and a small closer
// thread deletes it in the background; the UI never waits for it.

#include "platform/mci/MciError.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

namespace mci {

class AudioOutput {
 public:
  using RenderFn = int (*)(void* data, int len, int nfx, float* fx[], int nout, float* out[]);

  AudioOutput() = default;
  ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // Does nothing if already open. The render function starts being called
  // on the driver's thread before this returns.
  Error Open(fluid_settings_t* settings, RenderFn render, void* data,
             const std::vector<std::string>& drivers);
  // Detaches the driver: once this returns, the render function is not
  // running and will not be called again through it. The driver itself is
  // deleted in the background.
  void Close();
  // Closes, then waits until every detached driver has been deleted.
  void Drain();
  bool IsOpen() const { return m_open != nullptr; }
  const std::string& DriverName() const { return m_driverName; }

 private:
  // What a driver's thread calls through; detaching it under its mutex is
  // what lets Close return without waiting for the driver.
  struct Link {
    RenderFn render = nullptr;
    void* data = nullptr;
    std::mutex mutex;
    bool detached = false;
    fluid_audio_driver_t* driver = nullptr;
  };

  static int Callback(void* link, int len, int nfx, float* fx[], int nout, float* out[]);
  void CloserLoop();

  std::unique_ptr<Link> m_open;
  std::string m_driverName;

  std::mutex m_closerMutex;
  std::condition_variable m_closerWake;
  std::condition_variable m_closerIdle;
  std::vector<std::unique_ptr<Link>> m_toDelete;
  bool m_closerBusy = false;
  bool m_closerQuit = false;
  std::thread m_closer;
};

}  // namespace mci
