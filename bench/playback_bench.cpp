// Figures of continuous playback in the whole program, one a line as
// "name: value unit". The real application object and main dialog run on
// this process's main thread on a host whose wait blocks, with the real
// audio output; a second thread clicks the buttons as a user would and
// measures. Built as playback_measure and run by playback_bench.sh, which
// gives it a PulseAudio server with a null sink.
//   real_audio_output            1 when the sound went to PulseAudio and the
//                                figures below are of it; 0 when no server
//                                was given and the songs were rendered on a
//                                real-time clock of our own instead
//   play_to_first_sound_ms       from the click on Play to the first
//                                non-silent sample leaving the render
//                                function, plus the output buffer (period x
//                                periods / rate)
//   gap_between_songs_ms         the median over six song changes of the
//                                time from the last event of one song to the
//                                first event of the next as heard on the
//                                sink's monitor (offline: on our clock), while
//                                the program's own Play loop moves on; below
//                                0 when the next song starts before the end
//                                of the last one has left the output buffer
//   song_change_ms               the median, over the same changes, of the
//                                time from the end-of-song notification to
//                                the rendering of the next song's first event:
//                                the loop's pump, close, open and play
//   playing_cpu_percent          process CPU while the songs play (less the
//                                thread that reads the monitor)
//   waiting_loop_cpu_percent     CPU of the UI thread over the same time; it
//                                waits for messages, so it should be ~0
//   rss_playing_mb               resident memory while the songs play
//   idle_after_stop_cpu_percent  process CPU over 3 s after Stop; the audio
//                                output is closed, so 0 is expected
//
// Every song begins with a note on the right channel alone, at time 0, and
// half a second before its end sounds the same note on the left channel
// alone; the note's release at the end is the song's last event. In between
// a few voices of music sound. The onsets of the two notes are found in the
// recording on the sink's one clock, whichever output stream carried them,
// and the end of a song is its left note's onset plus half a second (the end
// itself cannot be heard: closing the song silences it). The note's attack
// is the same at both ends and drops out of the difference.
//
// Usage: playback_measure [--monitor <PulseAudio source>]

#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <future>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/CPlayerApp.h"
#include "bench/BlockingHost.h"
#include "platform/framework/Afx.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/CWnd.h"
#include "platform/framework/FileSystem.h"
#include "platform/mci/Mci.h"
#include "platform/mci/Synthesizer.h"
#include "platform/win/WinApi.h"
#include "platform/win/WindowSystem.h"
#include "res/Resources.h"
#include "res/resource.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

constexpr int kRate = 44100;
// 480 ticks a quarter note at the default 120 beats a minute.
constexpr std::uint32_t kTicksPerSecond = 960;
constexpr std::uint32_t kLateMarkerTicks = 1920;  // 2.0 s
constexpr std::uint32_t kSongTicks = 2400;        // 2.5 s
constexpr int kLateMarkerFrames = kLateMarkerTicks * kRate / kTicksPerSecond;
constexpr int kSongFrames = kSongTicks * kRate / kTicksPerSecond;
constexpr int kSongChanges = 6;
// A marker note is this loud at once; the other channel's leak stays far
// below it.
constexpr float kMarkerLevel = 0.02f;
constexpr float kSilence = 1e-4f;
// FluidSynth starts a note at its next internal block of this many frames,
// so each marker may sound up to a block late, which makes each gap exact to
// within a block either way.
constexpr int kSynthBlock = 64;

// ---- The songs ----

struct TimedEvent {
  std::uint32_t tick;
  Bytes bytes;
};

void PutVarLen(Bytes& out, std::uint32_t value) {
  Bytes reversed{static_cast<std::uint8_t>(value & 0x7F)};
  while ((value >>= 7) != 0) reversed.push_back(static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
  out.insert(out.end(), reversed.rbegin(), reversed.rend());
}

void Put32(Bytes& out, std::uint32_t v) {
  for (int shift : {24, 16, 8, 0}) out.push_back(static_cast<std::uint8_t>(v >> shift & 0xFF));
}

// A format 0 file of the events; the end of the track comes with the last.
Bytes Smf(std::vector<TimedEvent> events) {
  std::stable_sort(events.begin(), events.end(),
                   [](const TimedEvent& a, const TimedEvent& b) { return a.tick < b.tick; });
  Bytes track;
  std::uint32_t now = 0;
  for (const TimedEvent& event : events) {
    PutVarLen(track, event.tick - now);
    now = event.tick;
    track.insert(track.end(), event.bytes.begin(), event.bytes.end());
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  Bytes file{'M', 'T', 'h', 'd'};
  Put32(file, 6);
  file.insert(file.end(), {0, 0, 0, 1, 480 >> 8, 480 & 0xFF, 'M', 'T', 'r', 'k'});
  Put32(file, static_cast<std::uint32_t>(track.size()));
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

// Channel 1 carries the start marker, panned hard right, channel 0 the late
// marker, hard left; both play the slap bass, whose samples are mono and
// whose attack is sharp. Strings, piano, bass and drums sound in the middle
// and have died away before the late marker.
Bytes Song(int variant) {
  std::vector<TimedEvent> e;
  const auto at = [&e](std::uint32_t tick, std::initializer_list<int> bytes) {
    Bytes data;
    for (int b : bytes) data.push_back(static_cast<std::uint8_t>(b));
    e.push_back({tick, std::move(data)});
  };
  for (int channel : {0, 1}) {
    at(0, {0xB0 | channel, 10, channel == 0 ? 0 : 127});
    at(0, {0xC0 | channel, 36});
  }
  for (int channel : {0, 1, 2, 3, 4, 9}) {
    at(0, {0xB0 | channel, 91, 0});
    at(0, {0xB0 | channel, 93, 0});
  }
  at(0, {0xC2, 48});
  at(0, {0xC3, 0});
  at(0, {0xC4, 33});
  at(0, {0x91, 60, 127});
  at(144, {0x81, 60, 0});

  const int chords[2][4][3] = {{{60, 64, 67}, {57, 60, 64}, {53, 57, 60}, {55, 59, 62}},
                               {{57, 60, 64}, {53, 57, 60}, {55, 59, 62}, {60, 64, 67}}};
  constexpr std::uint32_t kMusicStart = 240;
  constexpr std::uint32_t kBeat = 300;
  const int (*progression)[3] = chords[variant % 2];
  for (int n = 0; n < 3; ++n) {
    at(kMusicStart, {0x92, progression[0][n], 80});
    at(kMusicStart + 4 * kBeat, {0x82, progression[0][n], 0});
  }
  for (std::uint32_t beat = 0; beat < 4; ++beat) {
    const std::uint32_t t = kMusicStart + beat * kBeat;
    for (int n = 0; n < 3; ++n) {
      at(t, {0x93, progression[beat][n] + 12, 90});
      at(t + kBeat - 40, {0x83, progression[beat][n] + 12, 0});
    }
    at(t, {0x94, progression[beat][0] - 24, 100});
    at(t + kBeat - 40, {0x84, progression[beat][0] - 24, 0});
    at(t, {0x99, beat % 2 == 0 ? 36 : 38, 110});
    at(t, {0x99, 42, 80});
    at(t + kBeat / 2, {0x99, 42, 70});
  }
  at(kLateMarkerTicks, {0x90, 60, 127});
  at(kSongTicks, {0x80, 60, 0});
  return Smf(std::move(e));
}

// ---- Finding the markers ----

// The frames, on one clock, at which each song's markers begin to sound: a
// loud sample on a channel after a quiet stretch. The right channel must
// have been quiet for half a second, which only the start marker finds, as
// the music follows it at once; the late marker is the left onset that comes
// where it is due.
class MarkerTimeline {
 public:
  void Feed(const float* left, const float* right, int frames) {
    std::lock_guard lock(m_mutex);
    for (int i = 0; i < frames; ++i) Look(left[i], right[i]);
    m_changed.notify_all();
  }
  void FeedS16(const std::int16_t* frames, int count) {
    std::lock_guard lock(m_mutex);
    for (int i = 0; i < count; ++i) Look(frames[2 * i] / 32768.0f, frames[2 * i + 1] / 32768.0f);
    m_changed.notify_all();
  }
  // Waits until `count` songs have started; false on the timeout.
  bool WaitStarts(std::size_t count, std::chrono::seconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_onsets[kRight].size() >= count; });
  }
  // The frames from the end of each song to the start of the next. A song
  // whose late marker is missing or not where it is due has no gap, and
  // is reported on standard error.
  std::vector<std::int64_t> Gaps() {
    std::lock_guard lock(m_mutex);
    const std::vector<std::int64_t>& starts = m_onsets[kRight];
    std::vector<std::int64_t> gaps;
    for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
      const std::int64_t due = starts[k] + kLateMarkerFrames;
      const auto late = std::find_if(m_onsets[kLeft].begin(), m_onsets[kLeft].end(),
                                     [&](std::int64_t f) { return std::llabs(f - due) < kRate / 5; });
      if (late == m_onsets[kLeft].end()) {
        std::fprintf(stderr, "playback_measure: song %zu: its late marker was not heard\n", k + 1);
        continue;
      }
      if (std::llabs(*late - due) > kSynthBlock + kRate / 2000) {
        // More than the synthesizer's block apart: the stream fell behind
        // (or skipped) within the song, so its end cannot be told from its
        // late marker.
        std::fprintf(stderr, "playback_measure: song %zu: the late marker came %.1f ms off\n",
                     k + 1, 1000.0 * static_cast<double>(*late - due) / kRate);
        continue;
      }
      gaps.push_back(starts[k + 1] - (*late + (kSongFrames - kLateMarkerFrames)));
    }
    return gaps;
  }

 private:
  static constexpr int kLeft = 0;
  static constexpr int kRight = 1;

  void Look(float left, float right) {
    const float levels[2] = {std::fabs(left), std::fabs(right)};
    const std::int64_t quiet[2] = {kRate / 5, kRate / 2};
    for (int side : {kLeft, kRight}) {
      if (levels[side] <= kMarkerLevel) continue;
      if (m_frame - m_lastLoud[side] > quiet[side]) m_onsets[side].push_back(m_frame);
      m_lastLoud[side] = m_frame;
    }
    ++m_frame;
  }

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::int64_t m_frame = 0;
  std::int64_t m_lastLoud[2] = {-kRate, -kRate};
  std::vector<std::int64_t> m_onsets[2];
};

double Median(std::vector<double> values) {
  if (values.empty()) return std::nan("");
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// ---- What the program's sequencer shows us ----

MarkerTimeline g_timeline;
std::atomic<bool> g_rendersOnOurClock{false};
std::atomic<bool> g_listening{false};
std::mutex g_soundMutex;
std::condition_variable g_heard;
bool g_sounded = false;
Clock::time_point g_soundedAt;
// Set by an end-of-song notification, cleared by the next song's first
// sound; the times between are the song changes.
std::mutex g_changeMutex;
std::optional<Clock::time_point> g_songEndedAt;
std::vector<double> g_songChangesMs;

// The notifications go to the program as always; the end of a song is noted
// on the way.
BOOL PostNotification(HWND window, UINT message, WPARAM flag, LPARAM device) {
  if (message == MM_MCINOTIFY && flag == MCI_NOTIFY_SUCCESSFUL) {
    std::lock_guard lock(g_changeMutex);
    g_songEndedAt = Clock::now();
  }
  return PostMessageA(window, message, flag, device);
}

bool AnyAbove(const float* samples, int frames, float level) {
  return std::any_of(samples, samples + frames, [level](float v) { return std::fabs(v) > level; });
}

void Observe(const float* left, const float* right, int frames) {
  const Clock::time_point now = Clock::now();
  if (g_listening.load() && (AnyAbove(left, frames, kSilence) || AnyAbove(right, frames, kSilence))) {
    std::lock_guard lock(g_soundMutex);
    if (!g_sounded) {
      g_sounded = true;
      g_soundedAt = now;
      g_listening = false;
      g_heard.notify_all();
    }
  }
  {
    std::lock_guard lock(g_changeMutex);
    if (g_songEndedAt && AnyAbove(right, frames, kMarkerLevel)) {
      g_songChangesMs.push_back(std::chrono::duration<double, std::milli>(now - *g_songEndedAt).count());
      g_songEndedAt.reset();
    }
  }
  if (g_rendersOnOurClock.load()) g_timeline.Feed(left, right, frames);
}

// ---- The sink's monitor, read through parec ----

class MonitorRecorder {
 public:
  ~MonitorRecorder() { Stop(); }

  bool Start(const std::string& source) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    const std::string device = "--device=" + source;
    const char* argv[] = {"parec",          device.c_str(),   "--raw", "--format=s16le",
                          "--rate=44100",   "--channels=2",   "--latency-msec=10", nullptr};
    const int spawned = posix_spawnp(&m_pid, "parec", &actions, nullptr,
                                     const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
      close(fds[0]);
      m_pid = -1;
      return false;
    }
    m_fd = fds[0];
    m_reader = std::thread([this] { Read(); });
    return true;
  }

  // An idle null sink hands its monitor's first block over only after a
  // while; what sounds before that would be lost.
  bool WaitFirstFrames(std::chrono::seconds timeout) {
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, timeout, [this] { return m_frames > 0 || m_ended; });
    return m_frames > 0;
  }

  double ReaderCpuSeconds() {
    std::lock_guard lock(m_mutex);
    return m_readerCpu;
  }

  void Stop() {
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
      m_pid = -1;
    }
    if (m_reader.joinable()) m_reader.join();
    if (m_fd >= 0) close(m_fd);
    m_fd = -1;
  }

 private:
  void Read() {
    clockid_t clock;
    pthread_getcpuclockid(pthread_self(), &clock);
    std::vector<std::int16_t> buffer(4096 * 2);
    std::size_t pending = 0;  // bytes of a frame split between two reads
    for (;;) {
      auto* bytes = reinterpret_cast<char*>(buffer.data());
      const ssize_t n = read(m_fd, bytes + pending, buffer.size() * 2 - pending);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      const std::size_t have = pending + static_cast<std::size_t>(n);
      const int frames = static_cast<int>(have / 4);
      g_timeline.FeedS16(buffer.data(), frames);
      pending = have % 4;
      std::memmove(bytes, bytes + have - pending, pending);
      timespec ts{};
      clock_gettime(clock, &ts);
      std::lock_guard lock(m_mutex);
      m_frames += frames;
      m_readerCpu = static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
      m_changed.notify_all();
    }
    std::lock_guard lock(m_mutex);
    m_ended = true;
    m_changed.notify_all();
  }

  pid_t m_pid = -1;
  int m_fd = -1;
  std::thread m_reader;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::int64_t m_frames = 0;
  bool m_ended = false;
  double m_readerCpu = 0;
};

// ---- Without PulseAudio: our own real-time clock renders the periods ----

class PeriodClock {
 public:
  ~PeriodClock() { Stop(); }
  void Start() {
    m_thread = std::thread([this] {
      const auto period = std::chrono::duration_cast<Clock::duration>(
          std::chrono::duration<double>(static_cast<double>(mci::Synthesizer::kPeriodSize) / kRate));
      Clock::time_point next = Clock::now();
      while (!m_quit.load()) {
        mci::testing::RenderFrames(mci::Synthesizer::kPeriodSize, nullptr, nullptr);
        next += period;
        std::this_thread::sleep_until(next);
      }
    });
  }
  void Stop() {
    m_quit = true;
    if (m_thread.joinable()) m_thread.join();
  }

 private:
  std::atomic<bool> m_quit{false};
  std::thread m_thread;
};

// ---- The program's folder ----

// The program keeps its playlist beside its executable, which it finds
// through /proc/self/exe; here that is a temporary folder.
class ProgramFolder : public FileSystem {
 public:
  explicit ProgramFolder(std::string exe) : m_exe(std::move(exe)) {}
  int Readlink(const char* path, std::string& target) override {
    if (std::strcmp(path, "/proc/self/exe") == 0) {
      target = m_exe;
      return 0;
    }
    return FileSystem::Readlink(path, target);
  }

 private:
  std::string m_exe;
};

// ---- Measuring ----

double Seconds(const timespec& ts) {
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double CpuSeconds(clockid_t clock) {
  timespec ts{};
  clock_gettime(clock, &ts);
  return Seconds(ts);
}

double RssMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  }
  return 0;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void Print(const char* name, double value, const char* unit) {
  std::printf("%s: %.2f %s\n", name, value, unit);
  std::fflush(stdout);
}

struct Run {
  std::string dir;  // the program's folder, ending in "/"
  BlockingHost* host = nullptr;
  clockid_t uiClock{};
  MonitorRecorder* recorder = nullptr;
  PeriodClock* periods = nullptr;
};

void RemoveFolder(const std::string& dir) {
  if (std::system(("rm -rf '" + dir + "'").c_str()) != 0) {
    std::fprintf(stderr, "playback_measure: could not remove %s\n", dir.c_str());
  }
}

[[noreturn]] void Fail(const Run& run, const std::string& what) {
  std::fprintf(stderr, "playback_measure: %s\n", what.c_str());
  std::fflush(stdout);
  if (run.recorder != nullptr) run.recorder->Stop();
  RemoveFolder(run.dir);
  std::_Exit(1);
}

// Clicks button `id` of the main dialog on the UI thread and returns when
// the click has been handed over, with the time it was.
Clock::time_point ClickButton(const Run& run, int id, const char* name) {
  auto done = std::make_shared<std::promise<std::pair<bool, Clock::time_point>>>();
  std::future<std::pair<bool, Clock::time_point>> clicked = done->get_future();
  BlockingHost* host = run.host;
  host->Post([host, id, done] {
    CWnd* main = AfxGetMainWnd();
    HWND button = main != nullptr ? GetDlgItem(main->m_hWnd, id) : nullptr;
    if (button == nullptr || !IsWindowEnabled(button)) {
      done->set_value({false, Clock::now()});
      return;
    }
    RECT r{};
    RECT t{};
    GetWindowRect(button, &r);
    GetWindowRect(main->m_hWnd, &t);
    const Clock::time_point now = Clock::now();
    host->Click(main->m_hWnd, (r.left + r.right) / 2 - t.left, (r.top + r.bottom) / 2 - t.top);
    done->set_value({true, now});
  });
  if (clicked.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    Fail(run, std::string("the program did not take the click on ") + name);
  }
  const auto [ok, at] = clicked.get();
  if (!ok) Fail(run, std::string("the button ") + name + " is not there or not enabled");
  return at;
}

void Measure(const Run& run) {
  if (!run.host->WaitShown(std::chrono::seconds(20))) Fail(run, "the main window did not appear");
  if (const MCIERROR error = mci::testing::WaitForSynthesizer(); error != 0) {
    Fail(run, "the synthesizer could not be created (error " + std::to_string(error) + ")");
  }
  Print("real_audio_output", run.recorder != nullptr ? 1 : 0, "flag");

  g_listening = true;
  const Clock::time_point pressed = ClickButton(run, IDC_PLAY, "Play");
  Clock::time_point sounded;
  {
    std::unique_lock lock(g_soundMutex);
    if (!g_heard.wait_for(lock, std::chrono::seconds(10), [] { return g_sounded; })) {
      Fail(run, "no sound after Play");
    }
    sounded = g_soundedAt;
  }
  const double bufferMs =
      1000.0 * mci::Synthesizer::kPeriodSize * mci::Synthesizer::kPeriods / kRate;
  Print("play_to_first_sound_ms", Ms(sounded - pressed) + bufferMs, "ms");

  // CPU from half a second into the first song until the last change.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const double process0 = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
  const double ui0 = CpuSeconds(run.uiClock);
  const double reader0 = run.recorder != nullptr ? run.recorder->ReaderCpuSeconds() : 0;
  const Clock::time_point wall0 = Clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(2));
  const double rss = RssMegabytes();
  if (!g_timeline.WaitStarts(kSongChanges + 1, std::chrono::seconds(40))) {
    Fail(run, "the songs did not change " + std::to_string(kSongChanges) + " times");
  }
  const double process1 = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
  const double ui1 = CpuSeconds(run.uiClock);
  const double reader1 = run.recorder != nullptr ? run.recorder->ReaderCpuSeconds() : 0;
  const double wall = Ms(Clock::now() - wall0) / 1000.0;

  std::vector<double> gaps;
  for (std::int64_t frames : g_timeline.Gaps()) gaps.push_back(1000.0 * static_cast<double>(frames) / kRate);
  std::vector<double> changes;
  {
    std::lock_guard lock(g_changeMutex);
    changes = g_songChangesMs;
  }
  std::fprintf(stderr, "playback_measure: gaps (ms):");
  for (double gap : gaps) std::fprintf(stderr, " %.2f", gap);
  std::fprintf(stderr, "; song changes (ms):");
  for (double change : changes) std::fprintf(stderr, " %.2f", change);
  std::fprintf(stderr, "\n");
  if (gaps.empty()) Fail(run, "no song change could be measured");
  Print("gap_between_songs_ms", Median(gaps), "ms");
  Print("song_change_ms", Median(changes), "ms");
  Print("playing_cpu_percent", 100.0 * ((process1 - process0) - (reader1 - reader0)) / wall, "%");
  Print("waiting_loop_cpu_percent", 100.0 * (ui1 - ui0) / wall, "%");
  Print("rss_playing_mb", rss, "MB");

  ClickButton(run, IDC_STOP, "Stop");
  // Our own readers and renderers stop first, so that only the program is
  // measured.
  if (run.recorder != nullptr) run.recorder->Stop();
  if (run.periods != nullptr) run.periods->Stop();
  const double idle0 = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
  const Clock::time_point idleStart = Clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(3));
  const double idle = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - idle0;
  Print("idle_after_stop_cpu_percent", 100.0 * idle / (Ms(Clock::now() - idleStart) / 1000.0), "%");

  ClickButton(run, IDOK, "Exit");
}

}  // namespace

int main(int argc, char** argv) {
  std::string monitor;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--monitor") == 0 && i + 1 < argc) {
      monitor = argv[++i];
    } else {
      std::fprintf(stderr, "usage: %s [--monitor <PulseAudio source>]\n", argv[0]);
      return 2;
    }
  }

  char pattern[] = "/tmp/vusk-playback-bench-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  const std::string dir = std::string(pattern) + "/";
  std::string list;
  for (int variant : {0, 1}) {
    const std::string path = dir + "song" + std::to_string(variant + 1) + ".mid";
    const Bytes song = Song(variant);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(song.data()), static_cast<std::streamsize>(song.size()));
    list += path + "\n";
  }
  std::ofstream(dir + "MidiList.txt", std::ios::binary) << list;

  ProgramFolder folder(dir + "vusk");
  ScopedFileSystem scope(folder);
  BlockingHost host;
  win::RegisterResources(&VuskResources());
  win::InitWindowSystem(&host);
  mci::SetNotificationPoster(&PostNotification);
  mci::testing::ObserveRendering(&Observe);

  Run run;
  run.dir = dir;
  run.host = &host;
  pthread_getcpuclockid(pthread_self(), &run.uiClock);
  MonitorRecorder recorder;
  PeriodClock periods;
  if (!monitor.empty()) {
    // Only PulseAudio: falling back on another output would measure that.
    mci::testing::UseAudioDrivers({"pulseaudio"});
    if (!recorder.Start(monitor)) Fail(run, "cannot run parec");
    run.recorder = &recorder;
    if (!recorder.WaitFirstFrames(std::chrono::seconds(10))) Fail(run, "the monitor gave no sound");
  } else {
    std::fprintf(stderr,
                 "playback_measure: no PulseAudio monitor given; the songs are rendered on a "
                 "real-time clock of our own and no audio output is opened\n");
    mci::testing::UseOfflineRendering(true);
    g_rendersOnOurClock = true;
    periods.Start();
    run.periods = &periods;
  }
  mci::WarmUp();

  std::thread measuring([&run] { Measure(run); });
  {
    CPlayerApp app;
    AfxWinMain();
  }
  measuring.join();

  periods.Stop();
  recorder.Stop();
  mci::testing::ObserveRendering(nullptr);
  mci::Shutdown();
  win::InitWindowSystem(nullptr);
  RemoveFolder(dir);
  return 0;
}
