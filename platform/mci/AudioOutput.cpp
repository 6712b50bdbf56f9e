#include "platform/mci/AudioOutput.h"

#include <fluidsynth.h>

namespace mci {

AudioOutput::~AudioOutput() { Close(); }

Error AudioOutput::Open(fluid_settings_t* settings, RenderFn render, void* data,
                        const std::vector<std::string>& drivers) {
  if (m_driver != nullptr) return Error::None;
  if (settings == nullptr) return Error::InternalError;
  for (const std::string& name : drivers) {
    if (fluid_settings_setstr(settings, "audio.driver", name.c_str()) != FLUID_OK) continue;
    m_driver = new_fluid_audio_driver2(settings, render, data);
    if (m_driver != nullptr) {
      m_driverName = name;
      return Error::None;
    }
  }
  return Error::NoAudioOutput;
}

void AudioOutput::Close() {
  if (m_driver == nullptr) return;
  delete_fluid_audio_driver(m_driver);
  m_driver = nullptr;
  m_driverName.clear();
}

}  // namespace mci
