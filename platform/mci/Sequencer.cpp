#include "platform/mci/Sequencer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>

namespace mci {
namespace {

// After the song has ended the synthesizer is still rendered while voices
// release and the reverb dies away; this long after the last voice, the
// output is silence and synthesis stops.
constexpr int kTailSeconds = 3;
constexpr int kMaxBuffers = 16;

}  // namespace

void Sequencer::Attach(fluid_synth_t* synth, int sampleRate) {
  std::lock_guard lock(m_mutex);
  m_synth = synth;
  m_sampleRate = sampleRate > 0 ? sampleRate : 44100;
}

void Sequencer::Detach() {
  std::lock_guard lock(m_mutex);
  m_synth = nullptr;
}

std::int64_t Sequencer::FrameOf(std::int64_t us) const {
  // Split so that the product cannot overflow for any time the reader makes.
  return (us / 1000000) * m_sampleRate + (us % 1000000) * m_sampleRate / 1000000;
}

bool Sequencer::EndsAtOnce(const MidiSong& song) const {
  std::lock_guard lock(m_mutex);
  return song.events.empty() && FrameOf(song.lengthUs) == 0;
}

void Sequencer::Play(std::shared_ptr<const MidiSong> song, DWORD deviceId, HWND notifyWindow,
                     std::vector<Notice>& notices) {
  std::lock_guard lock(m_mutex);
  if (m_song != nullptr && m_deviceId == deviceId && m_playing) {
    if (notifyWindow != nullptr) {
      if (m_notifyWindow != nullptr) {
        notices.push_back({m_notifyWindow, MCI_NOTIFY_SUPERSEDED, static_cast<LPARAM>(deviceId)});
      }
      m_notifyWindow = notifyWindow;
    }
    return;
  }
  if (m_song != nullptr) StopLocked(notices);

  m_song = std::move(song);
  m_deviceId = deviceId;
  m_nextEvent = 0;
  m_frame = 0;
  m_endFrame = FrameOf(m_song->lengthUs);
  m_quietFrames = 0;
  // Each song starts from the synthesizer's initial state: programs,
  // controllers and pitch bend of the song before do not carry over.
  if (m_synth != nullptr) fluid_synth_system_reset(m_synth);
  if (m_song->events.empty() && m_endFrame == 0) {
    if (notifyWindow != nullptr) {
      notices.push_back({notifyWindow, MCI_NOTIFY_SUCCESSFUL, static_cast<LPARAM>(deviceId)});
    }
    return;
  }
  m_playing = true;
  m_notifyWindow = notifyWindow;
}

void Sequencer::StopLocked(std::vector<Notice>& notices) {
  if (m_notifyWindow != nullptr) {
    notices.push_back({m_notifyWindow, MCI_NOTIFY_ABORTED, static_cast<LPARAM>(m_deviceId)});
    m_notifyWindow = nullptr;
  }
  m_playing = false;
  m_nextEvent = 0;
  m_frame = 0;
  // The system reset clears the reverb and chorus and resets the channels,
  // but it only releases the voices; cutting every sound after it silences
  // them at once. In the other order FluidSynth 2.3 lets the voices ring on.
  if (m_synth != nullptr) {
    fluid_synth_system_reset(m_synth);
    fluid_synth_all_sounds_off(m_synth, -1);
  }
}

void Sequencer::Stop(DWORD deviceId, std::vector<Notice>& notices) {
  std::lock_guard lock(m_mutex);
  if (m_song == nullptr || m_deviceId != deviceId) return;
  StopLocked(notices);
}

void Sequencer::Unload(DWORD deviceId, std::vector<Notice>& notices) {
  std::lock_guard lock(m_mutex);
  if (m_song == nullptr || m_deviceId != deviceId) return;
  StopLocked(notices);
  m_song.reset();
  m_deviceId = 0;
}

bool Sequencer::IsPlaying() const {
  std::lock_guard lock(m_mutex);
  return m_playing;
}

bool Sequencer::IsPlaying(DWORD deviceId) const {
  std::lock_guard lock(m_mutex);
  return m_playing && m_deviceId == deviceId;
}

std::int64_t Sequencer::PositionUs(DWORD deviceId) const {
  std::lock_guard lock(m_mutex);
  if (m_song == nullptr || m_deviceId != deviceId) return 0;
  return (m_frame / m_sampleRate) * 1000000 + (m_frame % m_sampleRate) * 1000000 / m_sampleRate;
}

int Sequencer::RenderCallback(void* data, int len, int nfx, float* fx[], int nout, float* out[]) {
  static_cast<Sequencer*>(data)->Render(len, nfx, fx, nout, out);
  return FLUID_OK;
}

void Sequencer::Send(const MidiEvent& event) {
  const int channel = event.status & 0x0F;
  switch (event.status & 0xF0) {
    case 0x80:
      fluid_synth_noteoff(m_synth, channel, event.data1);
      break;
    case 0x90:
      fluid_synth_noteon(m_synth, channel, event.data1, event.data2);
      break;
    case 0xA0:
      fluid_synth_key_pressure(m_synth, channel, event.data1, event.data2);
      break;
    case 0xB0:
      fluid_synth_cc(m_synth, channel, event.data1, event.data2);
      break;
    case 0xC0:
      fluid_synth_program_change(m_synth, channel, event.data1);
      break;
    case 0xD0:
      fluid_synth_channel_pressure(m_synth, channel, event.data1);
      break;
    case 0xE0:
      fluid_synth_pitch_bend(m_synth, channel, event.data1 | (event.data2 << 7));
      break;
    case 0xF0:
      if (event.status == 0xF0 && event.extra < m_song->sysex.size()) {
        const SysexSpan& span = m_song->sysex[event.extra];
        fluid_synth_sysex(m_synth,
                          reinterpret_cast<const char*>(m_song->sysexData.data() + span.offset),
                          static_cast<int>(span.length), nullptr, nullptr, nullptr, 0);
      }
      break;
    default:
      break;
  }
}

void Sequencer::Synthesize(int offset, int len, int nfx, float* fx[], int nout, float* out[]) {
  if (len <= 0 || nout < 2) return;
  std::array<float*, kMaxBuffers> outs{};
  std::array<float*, kMaxBuffers> effects{};
  const int outCount = std::min(nout, kMaxBuffers) & ~1;
  for (int i = 0; i < outCount; ++i) outs[i] = out[i] + offset;
  int effectCount = std::min(nfx, kMaxBuffers) & ~1;
  if (effectCount > 0) {
    for (int i = 0; i < effectCount; ++i) effects[i] = fx[i] + offset;
  } else {
    // Drivers without effect buffers get reverb and chorus mixed into the
    // dry pair; FluidSynth wraps the effect channels around onto it.
    effects[0] = outs[0];
    effects[1] = outs[1];
    effectCount = 2;
  }
  fluid_synth_process(m_synth, len, effectCount, effects.data(), outCount, outs.data());
}

void Sequencer::Render(int len, int nfx, float* fx[], int nout, float* out[]) {
  Notice ended;
  {
    std::lock_guard lock(m_mutex);
    if (m_synth == nullptr || len <= 0) return;
    int done = 0;
    if (m_playing) {
      m_quietFrames = 0;
      const std::vector<MidiEvent>& events = m_song->events;
      for (;;) {
        while (m_nextEvent < events.size() && FrameOf(events[m_nextEvent].timeUs) <= m_frame) {
          Send(events[m_nextEvent++]);
        }
        if (m_nextEvent == events.size() && m_frame >= m_endFrame) {
          m_playing = false;
          if (m_notifyWindow != nullptr) {
            ended = {m_notifyWindow, MCI_NOTIFY_SUCCESSFUL, static_cast<LPARAM>(m_deviceId)};
            m_notifyWindow = nullptr;
          }
          break;
        }
        if (done == len) break;
        // Render up to the next event or the end, whichever comes first;
        // events never lie past the end, so the step is at least a frame.
        std::int64_t target = m_endFrame;
        if (m_nextEvent < events.size()) {
          target = std::min(target, FrameOf(events[m_nextEvent].timeUs));
        }
        const int step =
            static_cast<int>(std::clamp<std::int64_t>(target - m_frame, 1, len - done));
        Synthesize(done, step, nfx, fx, nout, out);
        done += step;
        m_frame += step;
      }
    }
    if (done < len) {
      if (fluid_synth_get_active_voice_count(m_synth) > 0) m_quietFrames = 0;
      if (m_quietFrames < std::int64_t{kTailSeconds} * m_sampleRate) {
        Synthesize(done, len - done, nfx, fx, nout, out);
        m_quietFrames += len - done;
      }
    }
  }
  if (const Observer observer = m_observer.load(); observer != nullptr && nout >= 2) {
    observer(out[0], out[1], len);
  }
  if (ended.window != nullptr && m_sink != nullptr) m_sink(ended);
}

}  // namespace mci
