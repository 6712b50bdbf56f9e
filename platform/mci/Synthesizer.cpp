#include "platform/mci/Synthesizer.h"

#include <fluidsynth.h>

#include <system_error>

namespace mci {
namespace {

// Debian's FluidSynth names this file; it is the system's chosen GM set.
constexpr const char* kFallbackSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";

}  // namespace

Synthesizer::~Synthesizer() { Destroy(); }

void Synthesizer::SetSoundFontPath(std::string path) {
  std::lock_guard lock(m_mutex);
  m_soundFontPath = std::move(path);
}

void Synthesizer::StartWarmUp() {
  std::lock_guard lock(m_mutex);
  if (m_state != State::Idle) return;
  m_state = State::Loading;
  try {
    m_thread = std::thread([this] { Create(); });
  } catch (const std::system_error&) {
    // No thread to be had: report the failure to whoever waits rather than
    // leave them waiting for a creation that never runs.
    m_state = State::Failed;
    m_error = Error::InternalError;
  }
}

Error Synthesizer::WaitReady() {
  StartWarmUp();
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [this] { return m_state == State::Ready || m_state == State::Failed; });
  return m_state == State::Ready ? Error::None : m_error;
}

void Synthesizer::Destroy() {
  std::thread thread;
  {
    std::lock_guard lock(m_mutex);
    thread = std::move(m_thread);
  }
  if (thread.joinable()) thread.join();
  std::lock_guard lock(m_mutex);
  if (m_synth != nullptr) delete_fluid_synth(m_synth);
  if (m_settings != nullptr) delete_fluid_settings(m_settings);
  m_synth = nullptr;
  m_settings = nullptr;
  m_state = State::Idle;
  m_error = Error::None;
}

std::string Synthesizer::DefaultSoundFont(fluid_settings_t* settings) {
  char* value = nullptr;
  std::string path;
  if (fluid_settings_dupstr(settings, "synth.default-soundfont", &value) == FLUID_OK &&
      value != nullptr) {
    path = value;
  }
  fluid_free(value);
  return path.empty() ? std::string(kFallbackSoundFont) : path;
}

void Synthesizer::Create() {
  std::string soundFont;
  {
    std::lock_guard lock(m_mutex);
    soundFont = m_soundFontPath;
  }
  Error error = Error::None;
  fluid_settings_t* settings = new_fluid_settings();
  fluid_synth_t* synth = nullptr;
  if (settings == nullptr) {
    error = Error::InternalError;
  } else {
    if (soundFont.empty()) soundFont = DefaultSoundFont(settings);
    // More than 16 channels overflows inside FluidSynth 2.3; loading samples
    // on demand stalls the first notes, so everything is loaded up front.
    fluid_settings_setint(settings, "synth.midi-channels", 16);
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 0);
    fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
    fluid_settings_setint(settings, "audio.period-size", kPeriodSize);
    fluid_settings_setint(settings, "audio.periods", kPeriods);
    synth = new_fluid_synth(settings);
    if (synth == nullptr) {
      error = Error::InternalError;
    } else if (fluid_synth_sfload(synth, soundFont.c_str(), 1) == FLUID_FAILED) {
      error = Error::NoSoundFont;
    }
  }
  double rate = kSampleRate;
  if (settings != nullptr) fluid_settings_getnum(settings, "synth.sample-rate", &rate);

  std::lock_guard lock(m_mutex);
  m_settings = settings;
  m_synth = synth;
  m_sampleRate = static_cast<int>(rate);
  m_error = error;
  m_state = error == Error::None ? State::Ready : State::Failed;
  m_changed.notify_all();
}

}  // namespace mci
