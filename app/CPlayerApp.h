#pragma once
// The application object: runs the main dialog for the whole life of the
// program, and carries the flag and the pre-filter that playback relies on
// while the framework's own modal loops run.

#include "platform/framework/CWinApp.h"

class CPlayerApp : public CWinApp {
 public:
  CPlayerApp();

  BOOL InitInstance() override;
  // Closes the sequencer alias when a song's completion notification passes
  // through a framework modal loop, then does the standard pre-translation.
  BOOL PreTranslateMessage(MSG* msg) override;

  // TRUE from the successful start of a song until its completion
  // notification has been seen or Stop was pressed.
  BOOL m_bSounding = FALSE;
};
