#include "platform/mci/AudioOutput.h"

#include <fluidsynth.h>

#include <algorithm>
#include <system_error>

namespace mci {

AudioOutput::~AudioOutput() {
  Drain();
  {
    std::lock_guard lock(m_closerMutex);
    m_closerQuit = true;
  }
  m_closerWake.notify_all();
  if (m_closer.joinable()) m_closer.join();
}

Error AudioOutput::Open(fluid_settings_t* settings, RenderFn render, void* data,
                        const std::vector<std::string>& drivers) {
  if (m_open != nullptr) return Error::None;
  if (settings == nullptr) return Error::InternalError;
  auto link = std::make_unique<Link>();
  link->render = render;
  link->data = data;
  for (const std::string& name : drivers) {
    if (fluid_settings_setstr(settings, "audio.driver", name.c_str()) != FLUID_OK) continue;
    link->driver = new_fluid_audio_driver2(settings, &AudioOutput::Callback, link.get());
    if (link->driver != nullptr) {
      m_open = std::move(link);
      m_driverName = name;
      return Error::None;
    }
  }
  return Error::NoAudioOutput;
}

int AudioOutput::Callback(void* data, int len, int nfx, float* fx[], int nout, float* out[]) {
  Link* link = static_cast<Link*>(data);
  // Not every driver hands over zeroed buffers, and rendering adds to them.
  for (int i = 0; i < nout; ++i) std::fill(out[i], out[i] + len, 0.0f);
  for (int i = 0; i < nfx; ++i) std::fill(fx[i], fx[i] + len, 0.0f);
  std::lock_guard lock(link->mutex);
  if (link->detached) return FLUID_OK;
  return link->render(link->data, len, nfx, fx, nout, out);
}

void AudioOutput::Close() {
  if (m_open == nullptr) return;
  {
    // Waits for a render in progress, including any notification it posts.
    std::lock_guard lock(m_open->mutex);
    m_open->detached = true;
  }
  m_driverName.clear();
  std::lock_guard lock(m_closerMutex);
  m_toDelete.push_back(std::move(m_open));
  if (!m_closer.joinable()) {
    try {
      m_closer = std::thread([this] { CloserLoop(); });
    } catch (const std::system_error&) {
      // Without a thread the deletion happens here, slow as it may be.
      for (const std::unique_ptr<Link>& link : m_toDelete) delete_fluid_audio_driver(link->driver);
      m_toDelete.clear();
      return;
    }
  }
  m_closerWake.notify_all();
}

void AudioOutput::Drain() {
  Close();
  std::unique_lock lock(m_closerMutex);
  m_closerIdle.wait(lock, [this] { return m_toDelete.empty() && !m_closerBusy; });
}

void AudioOutput::CloserLoop() {
  std::unique_lock lock(m_closerMutex);
  for (;;) {
    m_closerWake.wait(lock, [this] { return m_closerQuit || !m_toDelete.empty(); });
    if (m_toDelete.empty()) return;
    std::vector<std::unique_ptr<Link>> batch = std::move(m_toDelete);
    m_toDelete.clear();
    m_closerBusy = true;
    lock.unlock();
    for (const std::unique_ptr<Link>& link : batch) delete_fluid_audio_driver(link->driver);
    batch.clear();
    lock.lock();
    m_closerBusy = false;
    m_closerIdle.notify_all();
  }
}

}  // namespace mci
