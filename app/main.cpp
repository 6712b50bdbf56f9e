// Start-up of the executable: a real window on the desktop, the program's
// resources, the sequencer warmed up in the background, then the application.

#include <cstdio>

#include "app/CPlayerApp.h"
#include "platform/host/gtk/GtkHost.h"
#include "platform/mci/Mci.h"
#include "platform/win/WindowSystem.h"
#include "res/Resources.h"

// The one application object, for the whole life of the process.
CPlayerApp theApp;

int main(int argc, char** argv) {
  auto host = host::GtkHost::Create(&argc, &argv);
  if (!host) {
    std::fprintf(stderr, "vusk: no display to show the window on\n");
    return 1;
  }
  win::RegisterResources(&VuskResources());
  win::InitWindowSystem(host.get());
  mci::SetNotificationPoster(&PostMessageA);
  mci::WarmUp();
  int code = AfxWinMain();
  // The window goes from the screen at once; then the sound stops with the
  // process (the audio server may take a moment to let go of the stream).
  host->Poll();
  mci::Shutdown();
  win::InitWindowSystem(nullptr);
  return code;
}
