// Figures of the sequencer, one per line as "sequencer_name: value unit":
//   soundfont_load_ms        creating the synthesizer and loading the system's
//                            default SoundFont (what WarmUp does at start-up)
//   real_audio_output        1 if an audio driver opened, 0 if the figures
//                            below come from offline rendering
//   play_command_ms          the play command itself (opens the audio driver)
//   play_to_first_sound_ms   from sending play to the first non-silent sample
//                            leaving the render function, plus the output
//                            buffer (period x periods / rate). Without a real
//                            driver the periods are rendered offline as fast
//                            as possible, so this is the command, the
//                            rendering up to the note and the buffer.
//   output_buffer_ms         period x periods / rate
//   playing_cpu_percent      process CPU over 5 s of a song of about 30
//                            voices; through the real driver, or offline the
//                            CPU needed per second of audio
//   stop_command_ms          the stop command (real driver only; the driver
//                            is deleted in the background)
//   stopped_cpu_percent      process CPU over 2 s after stop (real driver only:
//                            the driver is closed, so this should be ~0)
//   close_open_play_ms       the three commands the program sends between two
//                            songs (real driver only)
// The song is built here; nothing is read from outside but the SoundFont.

#include "platform/mci/Mci.h"
#include "platform/mci/Synthesizer.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& out, std::initializer_list<int> bytes) {
  for (int b : bytes) out.push_back(static_cast<std::uint8_t>(b));
}

void PutVarLen(Bytes& out, std::uint32_t value) {
  Bytes reversed{static_cast<std::uint8_t>(value & 0x7F)};
  while ((value >>= 7) != 0) reversed.push_back(static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
  out.insert(out.end(), reversed.rbegin(), reversed.rend());
}

void Put32(Bytes& out, std::uint32_t v) { Put(out, {int(v >> 24), int(v >> 16 & 255), int(v >> 8 & 255), int(v & 255)}); }

// Twelve seconds at 120 bpm: strings, piano chords, bass and drums, held so
// that about thirty voices sound at once.
Bytes BenchSong() {
  Bytes track;
  const auto event = [&](std::uint32_t delta, std::initializer_list<int> bytes) {
    PutVarLen(track, delta);
    Put(track, bytes);
  };
  event(0, {0xC0, 48});
  event(0, {0xC1, 0});
  event(0, {0xC2, 33});
  const int chords[4][3] = {{60, 64, 67}, {57, 60, 64}, {53, 57, 60}, {55, 59, 62}};
  for (int bar = 0; bar < 6; ++bar) {
    const int* chord = chords[bar % 4];
    for (int n = 0; n < 3; ++n) event(0, {0x90, chord[n], 70});
    event(0, {0x92, chord[0] - 24, 100});
    for (int beat = 0; beat < 4; ++beat) {
      for (int n = 0; n < 3; ++n) event(0, {0x91, chord[n] + 12, 90});
      event(0, {0x99, beat % 2 == 0 ? 36 : 38, 110});
      event(0, {0x99, 42, 80});
      event(240, {0x99, 42, 70});
      for (int n = 0; n < 3; ++n) event(n == 0 ? 240 : 0, {0x81, chord[n] + 12, 0});
    }
    for (int n = 0; n < 3; ++n) event(0, {0x80, chord[n], 0});
    event(0, {0x82, chord[0] - 24, 0});
  }
  event(0, {0xFF, 0x2F, 0x00});

  Bytes file;
  Put(file, {'M', 'T', 'h', 'd'});
  Put32(file, 6);
  Put(file, {0, 0, 0, 1, 480 >> 8, 480 & 255});
  Put(file, {'M', 'T', 'r', 'k'});
  Put32(file, static_cast<std::uint32_t>(track.size()));
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double ProcessCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// The first non-silent sample, seen from the render function's thread.
std::mutex g_mutex;
std::condition_variable g_heard;
bool g_sounded = false;
Clock::time_point g_soundedAt;

void Observe(const float* left, const float* right, int frames) {
  for (int i = 0; i < frames; ++i) {
    if (std::fabs(left[i]) > 1e-4f || std::fabs(right[i]) > 1e-4f) {
      std::lock_guard lock(g_mutex);
      if (!g_sounded) {
        g_sounded = true;
        g_soundedAt = Clock::now();
        g_heard.notify_all();
      }
      return;
    }
  }
}

void Print(const char* name, double value, const char* unit) {
  // Prefixed, so that these figures of the sequencer alone stand apart
  // from the whole program's figures of the same name.
  std::printf("sequencer_%s: %.2f %s\n", name, value, unit);
}

}  // namespace

int main() {
  char path[] = "/tmp/sequencer_bench_XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return 1;
  close(fd);
  const Bytes song = BenchSong();
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(song.data()), static_cast<std::streamsize>(song.size()));
  const std::string open = std::string("open \"") + path + "\" type sequencer alias bench";

  const auto loadStart = Clock::now();
  mci::WarmUp();
  // A play of a song that ends at once waits for the warm-up and nothing else.
  if (mciSendStringA(open.c_str(), nullptr, 0, nullptr) != 0) return 1;
  mci::testing::UseOfflineRendering(true);
  mciSendStringA("play bench", nullptr, 0, nullptr);
  mciSendStringA("stop bench", nullptr, 0, nullptr);
  mci::testing::UseOfflineRendering(false);
  Print("soundfont_load_ms", Ms(Clock::now() - loadStart), "ms");

  const double bufferMs = 1000.0 * mci::Synthesizer::kPeriodSize * mci::Synthesizer::kPeriods /
                          mci::testing::SampleRate();
  mci::testing::ObserveRendering(&Observe);

  const auto playStart = Clock::now();
  const MCIERROR played = mciSendStringA("play bench", nullptr, 0, nullptr);
  const auto playReturned = Clock::now();
  if (played == 0) {
    Print("real_audio_output", 1, "flag");
    Print("play_command_ms", Ms(playReturned - playStart), "ms");
    {
      std::unique_lock lock(g_mutex);
      g_heard.wait_for(lock, std::chrono::seconds(5), [] { return g_sounded; });
    }
    Print("play_to_first_sound_ms", Ms(g_soundedAt - playStart) + bufferMs, "ms");
    Print("output_buffer_ms", bufferMs, "ms");
    const double cpu0 = ProcessCpuSeconds();
    const auto wall0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(5));
    Print("playing_cpu_percent",
          100.0 * (ProcessCpuSeconds() - cpu0) / (Ms(Clock::now() - wall0) / 1000.0), "%");
    const auto stopStart = Clock::now();
    mciSendStringA("stop bench", nullptr, 0, nullptr);
    Print("stop_command_ms", Ms(Clock::now() - stopStart), "ms");
    const double cpu1 = ProcessCpuSeconds();
    const auto wall1 = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    Print("stopped_cpu_percent",
          100.0 * (ProcessCpuSeconds() - cpu1) / (Ms(Clock::now() - wall1) / 1000.0), "%");
    // What the program sends between two songs.
    const auto changeStart = Clock::now();
    mciSendStringA("close bench", nullptr, 0, nullptr);
    mciSendStringA(open.c_str(), nullptr, 0, nullptr);
    mciSendStringA("play bench", nullptr, 0, nullptr);
    Print("close_open_play_ms", Ms(Clock::now() - changeStart), "ms");
    mciSendStringA("stop bench", nullptr, 0, nullptr);
  } else {
    // No audio output here: the same render function, run offline.
    Print("real_audio_output", 0, "flag");
    mci::testing::UseOfflineRendering(true);
    const auto start = Clock::now();
    mciSendStringA("play bench", nullptr, 0, nullptr);
    Print("play_command_ms", Ms(Clock::now() - start), "ms");
    while (!g_sounded) mci::testing::RenderFrames(mci::Synthesizer::kPeriodSize, nullptr, nullptr);
    Print("play_to_first_sound_ms", Ms(g_soundedAt - start) + bufferMs, "ms");
    Print("output_buffer_ms", bufferMs, "ms");
    const int rate = mci::testing::SampleRate();
    const double cpu0 = ProcessCpuSeconds();
    for (int i = 0; i < 5 * rate / mci::Synthesizer::kPeriodSize; ++i) {
      mci::testing::RenderFrames(mci::Synthesizer::kPeriodSize, nullptr, nullptr);
    }
    Print("playing_cpu_percent", 100.0 * (ProcessCpuSeconds() - cpu0) / 5.0, "%");
    mciSendStringA("stop bench", nullptr, 0, nullptr);
  }
  mci::testing::ObserveRendering(nullptr);
  mciSendStringA("close bench", nullptr, 0, nullptr);
  mci::Shutdown();
  unlink(path);
  return 0;
}
