// The main dialog's side of the playlist store: where the list file is, and
// moving the playlist between the file, memory and the list box.

#include "platform/framework/CFileException.h"
#include "playlist/ListFile.h"
#include "ui/CPlayerDlg.h"

CString CPlayerDlg::GetProgramDir() { return ::GetProgramDir(); }

CString CPlayerDlg::ListFilePath() const { return m_strProgramDir + kListFileName; }

void CPlayerDlg::ReadPlaylist() {
  // A list file that exists but cannot be read throws here and leaves the
  // playlist in memory as it was, so nothing overwrites it.
  m_playlist = ReadListFile(ListFilePath());
}

void CPlayerDlg::LoadPlaylist() {
  ReadPlaylist();
  ShowPlaylist();
}

void CPlayerDlg::SavePlaylist() { WriteListFile(ListFilePath(), m_playlist); }

void CPlayerDlg::ShowPlaylist() {
  m_listBox.ResetContent();
  for (const CString& entry : m_playlist) m_listBox.AddString(entry);
  UpdateData(FALSE);
}
