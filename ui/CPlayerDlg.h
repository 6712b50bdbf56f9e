#pragma once
// The main dialog: the playlist, the chosen file, the line of the song now
// playing and eight buttons. It owns the playlist and the playback state;
// its handlers live with the subsystem they belong to (playlist/, playback/).

#include "platform/framework/CDialog.h"
#include "platform/framework/CListBox.h"
#include "platform/framework/CStringArray.h"
#include "platform/framework/DataExchange.h"
#include "res/resource.h"

class CPlayerDlg : public CDialog {
 public:
  explicit CPlayerDlg(CWnd* parent = nullptr);

  CString m_strProgramDir;   // the executable's directory, ending in "/"
  CStringArray m_playlist;   // full paths of MIDI files, in play order
  int m_nNextSong = 0;       // index of the entry to play next
  BOOL m_bContinue = FALSE;  // TRUE while continuous playback is wanted
  CListBox m_listBox;        // control 1004
  CString m_strSelectedFile; // shown in control 1003
  CString m_strNowPlaying;   // shown in control 1007
  HICON m_hIcon = nullptr;   // the program icon

  // The playlist store.
  CString GetProgramDir();
  CString ListFilePath() const;
  void LoadPlaylist();
  void SavePlaylist();
  // Takes at most one message from the queue and dispatches it; waits for
  // one when the queue is empty.
  void PumpOneMessage();
  // What every completion notification does, once: close the alias and
  // end the wait for the song.
  void SongNotified();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  void OnSysCommand(UINT id, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnSelectFile();
  void OnPlay();
  void OnStop();
  void OnExplain();
  void OnAdd();
  void OnDelete();
  void OnSelChangeList();
  LRESULT OnMciNotify(WPARAM wParam, LPARAM lParam);

  static const afx::MessageEntry kMessageEntries[];
  static const afx::MessageMap messageMap;
  const afx::MessageMap* GetMessageMap() const override;

 private:
  // Reads the list file into m_playlist.
  void ReadPlaylist();
  // Refills the list box from m_playlist and shows the fields.
  void ShowPlaylist();
  // Opens `path` under the sequencer alias; false if it cannot be opened.
  bool OpenSong(const CString& path);
  bool m_aliasOpen = false;  // "myseq" is open and not yet closed
};
