// Continuous repeat playback: Play plays every entry in turn through the
// sequencer and starts again at the top, keeping the window alive with its
// own message pump while a song sounds; Stop ends it. The sequencer reports
// the end of a song by posting MM_MCINOTIFY to the main dialog.

#include "app/CPlayerApp.h"
#include "platform/framework/Afx.h"
#include "platform/mci/Mci.h"
#include "ui/CPlayerDlg.h"

namespace {

CPlayerApp* App() { return static_cast<CPlayerApp*>(AfxGetApp()); }

void ReportOpenFailure() { AfxMessageBox("Midiファイルがオープンできません.", MB_ICONSTOP); }

}  // namespace

bool CPlayerDlg::OpenSong(const CString& path) {
  // The path goes in double quotes so that blanks are part of it; a path
  // with a double quote of its own cannot be written in the command.
  if (path.Find('"') >= 0) return false;
  CString command;
  command.Format("open \"%s\" type sequencer alias myseq", static_cast<const char*>(path));
  char result[60] = {};
  if (mciSendStringA(command, result, sizeof result, nullptr) != 0) return false;
  m_aliasOpen = true;
  return true;
}

void CPlayerDlg::OnPlay() {
  m_nNextSong = 0;
  if (m_playlist.GetSize() == 0) return;
  SavePlaylist();
  LoadPlaylist();
  if (m_playlist.GetSize() == 0) return;
  m_bContinue = TRUE;
  CPlayerApp* app = App();
  while (true) {
    int count = m_playlist.GetSize();
    if (count == 0) return;
    int index = m_nNextSong;
    if (index >= count) index = 0;
    CString path = m_playlist[index];

    m_strNowPlaying.Format("%d/%d  ", index + 1, count);
    m_strNowPlaying += path;
    UpdateData(FALSE);

    m_nNextSong = index + 1;
    if (m_nNextSong >= count) m_nNextSong = 0;

    if (!OpenSong(path)) {
      ReportOpenFailure();
      return;
    }
    if (mciSendStringA("play myseq notify", nullptr, 0, m_hWnd) != 0) {
      mciSendStringA("close myseq", nullptr, 0, nullptr);
      m_aliasOpen = false;
      ReportOpenFailure();
      return;
    }
    GetDlgItem(IDC_PLAY)->EnableWindow(FALSE);
    GetDlgItem(IDC_STOP)->EnableWindow(TRUE);
    app->m_bSounding = TRUE;

    while (app->m_bSounding && m_bContinue) PumpOneMessage();
    if (!m_bContinue) return;
  }
}

void CPlayerDlg::PumpOneMessage() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    // Nothing to do until the next message: wait for it instead of
    // asking again and again.
    WaitMessage();
    return;
  }
  if (msg.message == MM_MCINOTIFY) SongNotified();
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void CPlayerDlg::SongNotified() {
  if (m_aliasOpen) {
    mciSendStringA("close myseq", nullptr, 0, nullptr);
    m_aliasOpen = false;
  }
  App()->m_bSounding = FALSE;
}

LRESULT CPlayerDlg::OnMciNotify(WPARAM, LPARAM) {
  SongNotified();
  return 0;
}

void CPlayerDlg::OnStop() {
  CWnd* stop = GetDlgItem(IDC_STOP);
  if (!stop || !stop->IsWindowEnabled()) return;
  MCIERROR error = mciSendStringA("stop myseq", nullptr, 0, nullptr);
  App()->m_bSounding = FALSE;
  m_bContinue = FALSE;
  if (error != 0) AfxMessageBox("停止コマンドエラー", MB_ICONSTOP);
  m_strSelectedFile.Empty();
  UpdateData(FALSE);
  GetDlgItem(IDC_PLAY)->EnableWindow(TRUE);
  GetDlgItem(IDC_STOP)->EnableWindow(FALSE);
  // The chosen-file field is empty now, and Add never adds an empty entry.
  GetDlgItem(IDC_ADD)->EnableWindow(FALSE);
}

BOOL CPlayerApp::PreTranslateMessage(MSG* msg) {
  if (msg->message == MM_MCINOTIFY) {
    if (auto* dlg = dynamic_cast<CPlayerDlg*>(m_pMainWnd)) dlg->SongNotified();
    else m_bSounding = FALSE;
  }
  return CWinApp::PreTranslateMessage(msg);
}
