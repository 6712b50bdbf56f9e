#include "tests/scenario/ProgramHarness.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <fstream>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "app/CPlayerApp.h"
#include "platform/framework/Afx.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/CWnd.h"
#include "platform/mci/Mci.h"
#include "platform/win/WindowSystem.h"
#include "res/Resources.h"
#include "ui/CPlayerDlg.h"

// The program finds its folder through its own executable's path.
class ProgramHarness::ExecutableAt : public FileSystem {
 public:
  explicit ExecutableAt(std::string exe) : m_exe(std::move(exe)) {}
  int Open(const char* path, int flags, mode_t mode) override {
    auto it = failOpen.find(path);
    if (it != failOpen.end()) {
      errno = it->second;
      return -1;
    }
    return FileSystem::Open(path, flags, mode);
  }
  int Readlink(const char* path, std::string& target) override {
    if (std::string(path) == "/proc/self/exe") {
      target = m_exe;
      return 0;
    }
    return FileSystem::Readlink(path, target);
  }

  std::map<std::string, int> failOpen;

 private:
  std::string m_exe;
};

ProgramHarness::ProgramHarness() {
  char pattern[] = "/tmp/vusk-scenario-XXXXXX";
  const char* made = mkdtemp(pattern);
  if (!made) throw std::runtime_error("cannot make a temporary folder");
  dir = std::string(made) + "/";
  listFile = dir + "MidiList.txt";
  m_fs = new ExecutableAt(dir + "vusk");
  // The file dialog starts in the current folder: the program's, here.
  char cwd[4096];
  if (getcwd(cwd, sizeof cwd)) m_oldCwd = cwd;
  if (chdir(dir.c_str()) != 0) throw std::runtime_error("cannot enter " + dir);
  m_scope = new ScopedFileSystem(*m_fs);
  win::RegisterResources(&VuskResources());
  win::InitWindowSystem(&host);
  mci::Shutdown();
  mci::testing::UseOfflineRendering(true);
  mci::testing::UseSoundFont("/usr/share/sounds/sf2/TimGM6mb.sf2");
  mci::SetNotificationPoster(&PostMessageA);
}

ProgramHarness::~ProgramHarness() {
  mci::Shutdown();
  // Messages a run left behind must not reach the next one.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  win::InitWindowSystem(nullptr);
  delete m_scope;
  delete m_fs;
  if (!m_oldCwd.empty() && chdir(m_oldCwd.c_str()) != 0) ADD_FAILURE() << "cannot go back to " << m_oldCwd;
  std::string command = "rm -rf '" + dir + "'";
  if (std::system(command.c_str()) != 0) ADD_FAILURE() << "could not remove " << dir;
}

void ProgramHarness::Run() {
  CPlayerApp app;
  AfxWinMain();
}

CPlayerDlg* ProgramHarness::Dialog() const {
  return dynamic_cast<CPlayerDlg*>(AfxGetMainWnd());
}

HWND ProgramHarness::Main() const {
  CPlayerDlg* dlg = Dialog();
  return dlg ? dlg->m_hWnd : nullptr;
}

std::string ProgramHarness::Caption(HWND top) const {
  int n = GetWindowTextLengthA(top);
  std::vector<char> buffer(static_cast<size_t>(n) + 1);
  GetWindowTextA(top, buffer.data(), n + 1);
  return std::string(buffer.data(), static_cast<size_t>(n));
}

std::string ProgramHarness::Text(int id, HWND dialog) const {
  return Caption(GetDlgItem(dialog ? dialog : Main(), id));
}

bool ProgramHarness::Enabled(int id, HWND dialog) const {
  return IsWindowEnabled(GetDlgItem(dialog ? dialog : Main(), id)) != FALSE;
}

std::string ProgramHarness::MessageBoxText() const {
  HWND box = Active();
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? Caption(text) : "";
}

bool ProgramHarness::IsAboutBox(HWND top) const { return top && Caption(top) == "Vuskバージョン情報と説明"; }

void ProgramHarness::Click(int id, HWND dialog) {
  HWND top = dialog ? dialog : Active();
  HWND control = GetDlgItem(top, id);
  ASSERT_NE(control, nullptr) << "no control " << id;
  RECT r, t;
  GetWindowRect(control, &r);
  GetWindowRect(top, &t);
  host.Click(top, (r.left + r.right) / 2 - t.left, (r.top + r.bottom) / 2 - t.top);
}

void ProgramHarness::ClickRow(int index) {
  HWND list = GetDlgItem(Main(), IDC_PLAYLIST);
  RECT r, t;
  GetWindowRect(list, &r);
  GetWindowRect(Main(), &t);
  int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  host.Click(Main(), r.left - t.left + 10, r.top - t.top + 2 + (index - top) * height + height / 2);
}

std::vector<std::string> ProgramHarness::Rows() const {
  std::vector<std::string> rows;
  HWND list = GetDlgItem(Main(), IDC_PLAYLIST);
  int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)), '\0');
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    rows.push_back(text);
  }
  return rows;
}

void ProgramHarness::Key(UINT vk, unsigned modifiers) { host.Key(Active(), vk, modifiers); }

void ProgramHarness::CloseBox(HWND top) { host.CloseRequest(top ? top : Active()); }

void ProgramHarness::Advance(double seconds) {
  int frames = static_cast<int>(seconds * mci::testing::SampleRate());
  constexpr int kChunk = 4096;
  while (frames > 0) {
    int n = frames < kChunk ? frames : kChunk;
    mci::testing::RenderFrames(n, nullptr, nullptr);
    frames -= n;
  }
}

void ProgramHarness::FailOpen(const std::string& path, int error) { m_fs->failOpen[path] = error; }

std::string ProgramHarness::ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void ProgramHarness::WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}
