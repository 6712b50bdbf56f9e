#pragma once
// The one FluidSynth synthesizer of the process and its settings. Creating it
// and loading the SoundFont takes from a fraction of a second to a few
// seconds, so StartWarmUp does it on a background thread at program start and
// WaitReady blocks (on a condition variable) until it is done. The
// synthesizer is kept across songs; rendering it is left to Sequencer and
// sending its audio out to AudioOutput.

#include "platform/mci/MciError.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace mci {

class Synthesizer {
 public:
  // Frames per audio period and periods in the output buffer: 512 x 2 frames
  // at 44.1 kHz is 23 ms of buffering, well inside the first-sound target,
  // and costs a fraction of the CPU of FluidSynth's 64-frame default.
  static constexpr int kPeriodSize = 512;
  static constexpr int kPeriods = 2;
  static constexpr double kSampleRate = 44100.0;

  Synthesizer() = default;
  ~Synthesizer();
  Synthesizer(const Synthesizer&) = delete;
  Synthesizer& operator=(const Synthesizer&) = delete;

  // Names the SoundFont to load instead of FluidSynth's default one; an
  // empty path means the default. Takes effect at the next creation.
  void SetSoundFontPath(std::string path);

  // Starts creating the synthesizer in the background unless that has begun.
  void StartWarmUp();
  // Starts the creation if needed and waits until it has finished.
  Error WaitReady();
  // Waits for a running creation, then frees the synthesizer and settings.
  void Destroy();

  // Valid after WaitReady returned Error::None, until Destroy.
  fluid_settings_t* Settings() const { return m_settings; }
  fluid_synth_t* Synth() const { return m_synth; }
  int SampleRate() const { return m_sampleRate; }

 private:
  enum class State { Idle, Loading, Ready, Failed };

  void Create();
  static std::string DefaultSoundFont(fluid_settings_t* settings);

  std::mutex m_mutex;
  std::condition_variable m_changed;
  State m_state = State::Idle;
  Error m_error = Error::None;
  std::thread m_thread;
  std::string m_soundFontPath;
  fluid_settings_t* m_settings = nullptr;
  fluid_synth_t* m_synth = nullptr;
  int m_sampleRate = static_cast<int>(kSampleRate);
};

}  // namespace mci
