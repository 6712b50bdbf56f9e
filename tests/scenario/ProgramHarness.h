#pragma once
// Runs the whole program headless: the real application object and main
// dialog on the headless host, installed (as far as it can tell) in a fresh
// temporary folder, with the sequencer rendering offline on a virtual clock.
// A test queues steps with Then(); each step runs when the program waits for
// input, and helpers act on the windows as a user would.

#include <functional>
#include <string>
#include <vector>

#include "platform/framework/FileSystem.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win/WinApi.h"

class CPlayerDlg;

class ProgramHarness {
 public:
  ProgramHarness();
  ~ProgramHarness();

  host::HeadlessHost host;
  std::string dir;       // the program's folder, ending in "/"
  std::string listFile;  // dir + "MidiList.txt"

  void Then(std::function<void()> step) { host.Then(std::move(step)); }
  // Runs the program until it ends; the steps must end it.
  void Run();

  // The main dialog while the program runs.
  CPlayerDlg* Dialog() const;
  HWND Main() const;
  HWND Active() const { return GetActiveWindow(); }
  std::string Caption(HWND top) const;
  std::string Text(int id, HWND dialog = nullptr) const;
  bool Enabled(int id, HWND dialog = nullptr) const;
  // The text of a message box that is up, or "" if the active window is none.
  std::string MessageBoxText() const;
  bool IsAboutBox(HWND top) const;

  void Click(int id, HWND dialog = nullptr);
  // Clicks line `index` of the main dialog's playlist.
  void ClickRow(int index);
  std::vector<std::string> Rows() const;
  void Key(UINT vk, unsigned modifiers = 0);
  void CloseBox(HWND top = nullptr);

  // Plays the sequencer's virtual clock forward by `seconds`.
  void Advance(double seconds);

  // Makes opening `path` fail with `error` (as a permission the test's
  // user would bypass as root).
  void FailOpen(const std::string& path, int error);

  static std::string ReadFile(const std::string& path);
  static void WriteFile(const std::string& path, const std::string& bytes);

 private:
  class ExecutableAt;
  ExecutableAt* m_fs;
  std::string m_oldCwd;
  ScopedFileSystem* m_scope;
};
