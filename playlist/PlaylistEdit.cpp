// Editing the playlist: choosing a file, adding it, deleting the selected
// entry. Every change reaches the list file before the handler returns.

#include "platform/framework/CFileDialog.h"
#include "playlist/ListFile.h"
#include "ui/CPlayerDlg.h"

void CPlayerDlg::OnSelectFile() {
  CFileDialog dialog(TRUE, "mid", "*.mid", OFN_HIDEREADONLY, "midiﾌｧｲﾙ(*.mid) | *.mid|");
  if (dialog.DoModal() != IDOK) return;
  m_strSelectedFile = dialog.GetPathName();
  UpdateData(FALSE);
  GetDlgItem(IDC_ADD)->EnableWindow(!m_strSelectedFile.IsEmpty());
}

void CPlayerDlg::OnAdd() {
  // An empty entry is never added: it would be a blank line in the list
  // file and a song that cannot play.
  if (m_strSelectedFile.IsEmpty()) return;
  ReadPlaylist();
  m_playlist.Add(m_strSelectedFile);
  ShowPlaylist();
  SavePlaylist();
}

void CPlayerDlg::OnDelete() {
  int index = m_listBox.GetCurSel();
  if (index == LB_ERR || index >= m_playlist.GetSize()) return;
  // The shortened list reaches the disk first; only then does the entry
  // leave memory and the screen, so a failure changes nothing anywhere.
  CStringArray shortened;
  for (int i = 0; i < m_playlist.GetSize(); ++i)
    if (i != index) shortened.Add(m_playlist[i]);
  WriteListFile(ListFilePath(), shortened);
  m_playlist = shortened;
  ShowPlaylist();
  GetDlgItem(IDC_DELETE)->EnableWindow(FALSE);
}

void CPlayerDlg::OnSelChangeList() { GetDlgItem(IDC_DELETE)->EnableWindow(TRUE); }
