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
//
// Between two songs the output should stay open, so that the next song is
// rendered in the same stream right after the last one instead of in a new
// stream that overlaps the old one's buffered end. CloseAfter therefore
// leaves the output open for a grace period and lets the closer thread close
// it when the period has passed; an Open before then takes the output over
// and cancels that close, and Close cancels it by closing at once.
//
// Open, OpenWithoutDriver, Close, CloseAfter and Drain are called by one
// thread at a time (the command interface's, under its lock). The closer
// thread only carries out a timed close and deletes drivers. Lock order:
// m_mutex, then a Link's mutex; the driver's thread takes only the latter.

#include "platform/mci/MciError.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

namespace mci {

class AudioOutput {
 public:
  using RenderFn = int (*)(void* data, int len, int nfx, float* fx[], int nout, float* out[]);
  using Clock = std::chrono::steady_clock;

  // The name an output opened by OpenWithoutDriver goes by.
  static constexpr const char* kNoDriverName = "offline";

  AudioOutput() = default;
  ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // If already open, only cancels a pending timed close: the open output
  // goes on rendering for the new song. Otherwise the render function starts
  // being called on the driver's thread before this returns.
  Error Open(fluid_settings_t* settings, RenderFn render, void* data,
             const std::vector<std::string>& drivers);
  // Opens an output with no driver behind it, for offline rendering: nothing
  // calls the render function (the caller runs it itself), but the output
  // opens, stays open and closes exactly as a real one does. Like Open, it
  // only cancels a pending timed close if an output is open.
  void OpenWithoutDriver();
  // Detaches the driver: once this returns, the render function is not
  // running and will not be called again through it. The driver itself is
  // deleted in the background. Cancels a pending timed close.
  void Close();
  // Leaves the output open and rendering for `grace`, then closes it as
  // Close does, unless Open, Close or another CloseAfter comes first. A
  // grace of zero or less closes at once. Does nothing if nothing is open.
  void CloseAfter(Clock::duration grace);
  // Lets a pending timed close happen now, on the closer thread as it would
  // when its time came, and returns once it has; false if none was pending.
  bool ExpireGrace();
  // Waits until no output is open, or until the limit; true if none is.
  bool WaitClosed(Clock::duration limit);
  // Closes, then waits until every detached driver has been deleted.
  void Drain();
  bool IsOpen() const;
  std::string DriverName() const;

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
  // Detaches the open output, if any, and queues its driver for deletion.
  // The caller holds m_mutex.
  void DetachLocked();
  // Starts the closer thread unless it runs; false if it cannot be started.
  // The caller holds m_mutex.
  bool StartCloserLocked();
  // Deletes every queued driver on the calling thread, for when the closer
  // thread cannot be started.
  void DeleteQueued(std::unique_lock<std::mutex>& lock);
  void CloserLoop();

  mutable std::mutex m_mutex;
  std::unique_ptr<Link> m_open;
  std::string m_driverName;
  std::optional<Clock::time_point> m_closeAt;

  // Wakes the closer: a driver to delete, a new deadline, or the end.
  std::condition_variable m_closerWake;
  // Tells waiters that the closer has finished something: a deletion, a
  // timed close.
  std::condition_variable m_closerDone;
  std::vector<std::unique_ptr<Link>> m_toDelete;
  bool m_closerBusy = false;
  bool m_closerQuit = false;
  std::thread m_closer;
};

}  // namespace mci
