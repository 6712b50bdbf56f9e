#pragma once
// The audio output: a FluidSynth audio driver that calls our own render
// function for every period. It is opened when playback starts and closed
// when it stops, so that nothing is rendered while nothing plays; opening
// costs a few milliseconds. The drivers are tried in order and the first
// that opens wins.

#include "platform/mci/MciError.h"

#include <string>
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
  // Returns once the driver's thread has left the render function for good.
  void Close();
  bool IsOpen() const { return m_driver != nullptr; }
  const std::string& DriverName() const { return m_driverName; }

 private:
  fluid_audio_driver_t* m_driver = nullptr;
  std::string m_driverName;
};

}  // namespace mci
