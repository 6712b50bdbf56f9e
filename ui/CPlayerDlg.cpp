#include "ui/CPlayerDlg.h"

#include "app/CPlayerApp.h"
#include "platform/framework/Afx.h"
#include "ui/CAboutDlg.h"

const afx::MessageEntry CPlayerDlg::kMessageEntries[] = {
    afx::Message(WM_SYSCOMMAND, &CPlayerDlg::OnSysCommand),
    afx::Message(WM_PAINT, &CPlayerDlg::OnPaint),
    afx::Message(WM_QUERYDRAGICON, &CPlayerDlg::OnQueryDragIcon),
    afx::Command(IDC_SELECT_FILE, &CPlayerDlg::OnSelectFile),
    afx::Command(IDC_PLAY, &CPlayerDlg::OnPlay),
    afx::Command(IDC_STOP, &CPlayerDlg::OnStop),
    afx::Command(IDCANCEL, &CPlayerDlg::OnExplain),
    afx::Command(IDC_ADD, &CPlayerDlg::OnAdd),
    afx::Command(IDC_DELETE, &CPlayerDlg::OnDelete),
    afx::ControlNotify(LBN_SELCHANGE, IDC_PLAYLIST, &CPlayerDlg::OnSelChangeList),
    // Completion notifications dispatched by loops that neither the playback
    // wait nor the application's pre-filter sees (message boxes, the file
    // dialog, the window menu) still end the song.
    afx::Message(MM_MCINOTIFY, &CPlayerDlg::OnMciNotify),
};

const afx::MessageMap CPlayerDlg::messageMap = {&CDialog::messageMap, kMessageEntries};

const afx::MessageMap* CPlayerDlg::GetMessageMap() const { return &messageMap; }

CPlayerDlg::CPlayerDlg(CWnd* parent) : CDialog(IDD_PLAYER_DIALOG, parent) {
  m_strSelectedFile = "";
  m_strNowPlaying = "";
  m_hIcon = LoadIconA(IDR_MAINFRAME);
}

void CPlayerDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_PLAYLIST, m_listBox);
  DDX_Text(dx, IDC_SELECTED_FILE, m_strSelectedFile);
  DDX_Text(dx, IDC_NOW_PLAYING, m_strNowPlaying);
}

BOOL CPlayerDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  CString aboutMenu;
  aboutMenu.LoadString(IDS_ABOUTBOX);
  if (!aboutMenu.IsEmpty()) {
    if (CMenu* sysMenu = GetSystemMenu(FALSE)) {
      sysMenu->AppendMenu(MF_SEPARATOR);
      sysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutMenu);
    }
  }

  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);

  m_strProgramDir = GetProgramDir();
  m_strSelectedFile.Empty();

  GetDlgItem(IDC_STOP)->EnableWindow(FALSE);
  GetDlgItem(IDC_DELETE)->EnableWindow(FALSE);
  GetDlgItem(IDC_ADD)->EnableWindow(FALSE);

  LoadPlaylist();
  SavePlaylist();
  return TRUE;
}

void CPlayerDlg::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg about;
    about.DoModal();
  } else {
    CDialog::OnSysCommand(id, lParam);
  }
}

void CPlayerDlg::OnPaint() {
  if (IsIconic()) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    int cxIcon = GetSystemMetrics(SM_CXICON);
    int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    int x = (rect.right - rect.left - cxIcon + 1) / 2;
    int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &ps);
  } else {
    CDialog::OnPaint();
  }
}

HCURSOR CPlayerDlg::OnQueryDragIcon() { return m_hIcon; }

void CPlayerDlg::OnExplain() {
  CAboutDlg about;
  about.DoModal();
}

void CPlayerDlg::OnOK() {
  m_bContinue = FALSE;
  CDialog::OnOK();
}
