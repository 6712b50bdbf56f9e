#include "platform/mci/AudioOutput.h"

#include <fluidsynth.h>

#include <algorithm>
#include <system_error>

namespace mci {

AudioOutput::~AudioOutput() {
  Drain();
  {
    std::lock_guard lock(m_mutex);
    m_closerQuit = true;
  }
  m_closerWake.notify_all();
  if (m_closer.joinable()) m_closer.join();
}

Error AudioOutput::Open(fluid_settings_t* settings, RenderFn render, void* data,
                        const std::vector<std::string>& drivers) {
  // Holding the lock while the driver is made keeps the closer thread from
  // seeing a half-opened output; the driver's thread never takes it.
  std::lock_guard lock(m_mutex);
  m_closeAt.reset();
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

void AudioOutput::OpenWithoutDriver() {
  std::lock_guard lock(m_mutex);
  m_closeAt.reset();
  if (m_open != nullptr) return;
  m_open = std::make_unique<Link>();
  m_driverName = kNoDriverName;
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

void AudioOutput::DetachLocked() {
  if (m_open == nullptr) return;
  {
    // Waits for a render in progress, including any notification it posts.
    std::lock_guard linkLock(m_open->mutex);
    m_open->detached = true;
  }
  m_driverName.clear();
  std::unique_ptr<Link> link = std::move(m_open);
  if (link->driver != nullptr) {
    m_toDelete.push_back(std::move(link));
    m_closerWake.notify_all();
  }
  m_closerDone.notify_all();
}

bool AudioOutput::StartCloserLocked() {
  if (m_closer.joinable()) return true;
  try {
    m_closer = std::thread([this] { CloserLoop(); });
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void AudioOutput::DeleteQueued(std::unique_lock<std::mutex>& lock) {
  std::vector<std::unique_ptr<Link>> batch = std::move(m_toDelete);
  m_toDelete.clear();
  lock.unlock();
  for (const std::unique_ptr<Link>& link : batch) delete_fluid_audio_driver(link->driver);
  batch.clear();
  lock.lock();
}

void AudioOutput::Close() {
  std::unique_lock lock(m_mutex);
  m_closeAt.reset();
  DetachLocked();
  // Without a closer thread the deletion happens here, slow as it may be.
  if (!m_toDelete.empty() && !StartCloserLocked()) DeleteQueued(lock);
}

void AudioOutput::CloseAfter(Clock::duration grace) {
  {
    std::lock_guard lock(m_mutex);
    if (m_open == nullptr) return;
    // The timed close needs the closer thread; without one the output
    // closes at once rather than staying open with nobody to close it.
    if (grace > Clock::duration::zero() && StartCloserLocked()) {
      m_closeAt = Clock::now() + grace;
      m_closerWake.notify_all();
      return;
    }
  }
  Close();
}

bool AudioOutput::ExpireGrace() {
  std::unique_lock lock(m_mutex);
  if (!m_closeAt) return false;
  m_closeAt = Clock::now();
  m_closerWake.notify_all();
  m_closerDone.wait(lock, [this] { return !m_closeAt; });
  return true;
}

bool AudioOutput::WaitClosed(Clock::duration limit) {
  std::unique_lock lock(m_mutex);
  return m_closerDone.wait_for(lock, limit, [this] { return m_open == nullptr; });
}

void AudioOutput::Drain() {
  Close();
  std::unique_lock lock(m_mutex);
  m_closerDone.wait(lock, [this] { return m_toDelete.empty() && !m_closerBusy; });
}

bool AudioOutput::IsOpen() const {
  std::lock_guard lock(m_mutex);
  return m_open != nullptr;
}

std::string AudioOutput::DriverName() const {
  std::lock_guard lock(m_mutex);
  return m_driverName;
}

void AudioOutput::CloserLoop() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    if (!m_toDelete.empty()) {
      std::vector<std::unique_ptr<Link>> batch = std::move(m_toDelete);
      m_toDelete.clear();
      m_closerBusy = true;
      lock.unlock();
      for (const std::unique_ptr<Link>& link : batch) delete_fluid_audio_driver(link->driver);
      batch.clear();
      lock.lock();
      m_closerBusy = false;
      m_closerDone.notify_all();
      continue;
    }
    if (m_closerQuit) return;
    if (!m_closeAt) {
      m_closerWake.wait(lock);
      continue;
    }
    // The deadline is read afresh after every wake: an Open or Close may
    // have cancelled it, and a later CloseAfter may have moved it. What is
    // decided here is decided under the same lock as Open, so a play that
    // took the output over is never left without it.
    const Clock::time_point due = *m_closeAt;
    if (Clock::now() < due) {
      m_closerWake.wait_until(lock, due);
      continue;
    }
    m_closeAt.reset();
    DetachLocked();
    m_closerDone.notify_all();
  }
}

}  // namespace mci
