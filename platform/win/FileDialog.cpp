// The file-open dialog: the current folder's path with a button one level
// up, a list of the folder's subfolders and of the files that match the
// chosen filter, the file-name field and the file-type box. A name typed in
// the field is taken in the current folder: a folder opens, a wildcard
// filters the list, anything else is the result, with the default
// extension added when it has none. Nothing is checked to exist unless the
// flags ask for it. The dialog's state lives on one OpenFileDialog object
// for the length of one GetOpenFileNameA call.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/CommonDialogs.h"
#include "platform/win/WindowSystem.h"

namespace win {

namespace {

// The reason the last dialog of this thread failed: it is the contract of
// CommDlgExtendedError, read right after the call returns.
thread_local DWORD t_lastError = 0;

DirectoryReader* g_reader = nullptr;

constexpr int kIdFolder = kFileDialogFolderId;
constexpr int kIdUp = kFileDialogUpId;
constexpr int kIdList = kFileDialogListId;
constexpr int kIdType = kFileDialogTypeId;
constexpr int kIdName = kFileDialogNameId;

constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | WS_GROUP;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP;

// Template order is tab order: the name field, the list, the file type,
// then the buttons. Each label comes just before the control its mnemonic
// gives the focus to.
constexpr DialogItemTemplate kItems[] = {
    {"STATIC", IDC_STATIC, kLabel, 0, 7, 9, 30, 8, "場所:"},
    {"STATIC", kIdFolder, WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_SUNKEN | WS_GROUP, 0, 38, 7, 182, 12, ""},
    {"STATIC", IDC_STATIC, kLabel, 0, 7, 143, 74, 8, "ファイル名(&N):"},
    {"EDIT", kIdName, WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 82, 141, 134, 12, ""},
    {"LISTBOX", kIdList, WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE, 7, 24, 266, 110, ""},
    {"STATIC", IDC_STATIC, kLabel, 0, 7, 161, 74, 8, "ファイルの種類(&T):"},
    {"LISTBOX", kIdType, WS_VISIBLE | WS_TABSTOP | WS_GROUP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE,
     82, 159, 134, 12, ""},
    {"BUTTON", IDOK, kButton | WS_GROUP | BS_DEFPUSHBUTTON, 0, 223, 140, 50, 14, "開く(&O)"},
    {"BUTTON", IDCANCEL, kButton | BS_PUSHBUTTON, 0, 223, 158, 50, 14, "キャンセル"},
    {"BUTTON", kIdUp, kButton | WS_GROUP | BS_PUSHBUTTON, 0, 223, 6, 50, 14, "上へ(&U)"},
};

constexpr DialogTemplate kTemplate = {
    0, false, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK, WS_EX_DLGMODALFRAME,
    0, 0, 280, 180, "", "ＭＳ Ｐゴシック", 9, 400, false, kItems};

constexpr const char* kDefaultTitle = "ファイルを開く";

// Paths.

// Collapses "//", "." and ".." of an absolute path by its text alone.
std::string Normalize(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t i = 0;
  while (i < path.size()) {
    size_t slash = path.find('/', i);
    if (slash == std::string_view::npos) slash = path.size();
    std::string_view part = path.substr(i, slash - i);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    i = slash + 1;
  }
  std::string result;
  for (std::string_view part : parts) {
    result += '/';
    result += part;
  }
  return result.empty() ? "/" : result;
}

std::string Join(const std::string& folder, std::string_view name) {
  return folder == "/" ? "/" + std::string(name) : folder + "/" + std::string(name);
}

std::string Parent(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

std::string LastComponent(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::string CurrentFolder() {
  std::vector<char> buffer(4096);
  while (!getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

// Patterns.

bool HasWildcard(std::string_view text) { return text.find_first_of("*?") != std::string_view::npos; }

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

size_t NextCharacter(std::string_view s, size_t i) {
  ++i;
  while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  return i;
}

// "*" matches any run of characters, "?" one character (a whole UTF-8
// sequence), everything else itself with ASCII letters in either case.
bool Matches(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") pattern = "*";  // the classic way to say "every file", dot or not
  size_t p = 0;
  size_t s = 0;
  size_t starP = std::string_view::npos;
  size_t starS = 0;
  while (s < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starS = s;
    } else if (p < pattern.size() && pattern[p] == '?') {
      ++p;
      s = NextCharacter(name, s);
    } else if (p < pattern.size() && Fold(pattern[p]) == Fold(name[s])) {
      ++p;
      ++s;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      starS = NextCharacter(name, starS);
      s = starS;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string_view TrimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// "*.mid; *.midi" gives the patterns without the blanks around them.
std::vector<std::string> SplitPatterns(std::string_view text) {
  std::vector<std::string> patterns;
  size_t i = 0;
  while (i <= text.size()) {
    size_t semicolon = text.find(';', i);
    if (semicolon == std::string_view::npos) semicolon = text.size();
    std::string_view one = TrimBlanks(text.substr(i, semicolon - i));
    if (!one.empty()) patterns.emplace_back(one);
    i = semicolon + 1;
  }
  return patterns;
}

std::string JoinPatterns(const std::vector<std::string>& patterns) {
  std::string text;
  for (const std::string& p : patterns) text += (text.empty() ? "" : ";") + p;
  return text;
}

struct Filter {
  std::string description;
  std::vector<std::string> patterns;
};

std::vector<Filter> ParseFilters(const char* list) {
  std::vector<Filter> filters;
  while (list && *list) {
    Filter filter;
    filter.description = list;
    list += filter.description.size() + 1;
    std::string patterns = list;
    filter.patterns = SplitPatterns(patterns);
    filters.push_back(std::move(filter));
    if (patterns.empty()) break;
    list += patterns.size() + 1;
  }
  return filters;
}

// Folders and files each in name order, ignoring the case of ASCII letters;
// names equal but for case keep a fixed order by their bytes.
bool NameLess(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    char x = Fold(a[i]);
    char y = Fold(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

std::string ReasonText(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return "アクセスが拒否されました。";
    case ENOENT:
    case ENOTDIR: return "フォルダーが見つかりません。";
    default: return {};
  }
}

class OpenFileDialog {
 public:
  explicit OpenFileDialog(OPENFILENAMEA* ofn) : m_ofn(ofn) {}
  BOOL Run();

 private:
  static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT FolderListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  void OnInit(HWND dialog);
  void OnCommand(int id, int code);
  void OnOk();
  void OnTypedName(const std::string& typed);
  void OnTypedPattern(const std::string& typed);
  void OnEntry(int index);
  void OnFilterChanged();
  void Choose(const std::string& path);

  bool ReadFolder(const std::string& path, std::vector<DirectoryEntry>& entries, bool report);
  bool OpenFolder(const std::string& path, const std::string& select = {});
  void Fill(const std::string& select);
  std::vector<std::string> Patterns() const;
  std::string PatternText() const;
  void SetName(const std::string& text);
  std::string Name() const;
  void Warn(const std::string& text, UINT icon);
  BOOL Finish();

  HWND Item(int id) const { return GetDlgItem(m_dialog, id); }

  OPENFILENAMEA* m_ofn;
  HWND m_dialog = nullptr;
  std::string m_title;
  std::vector<Filter> m_filters;
  size_t m_filterIndex = 0;
  std::vector<std::string> m_typedPatterns;  // a wildcard typed in the name field, in force until the type changes
  std::string m_folder;
  std::vector<DirectoryEntry> m_entries;  // the folder as last read
  std::vector<DirectoryEntry> m_shown;    // the list's lines, in order
  std::string m_result;
  bool m_done = false;
  bool m_confirmed = false;
};

BOOL OpenFileDialog::Run() {
  m_title = m_ofn->lpstrTitle && *m_ofn->lpstrTitle ? m_ofn->lpstrTitle : kDefaultTitle;
  m_filters = ParseFilters(m_ofn->lpstrFilter);
  if (m_ofn->nFilterIndex >= 1 && m_ofn->nFilterIndex <= m_filters.size()) m_filterIndex = m_ofn->nFilterIndex - 1;
  std::string initialName(m_ofn->lpstrFile, strnlen(m_ofn->lpstrFile, m_ofn->nMaxFile));
  if (HasWildcard(initialName) && initialName.find('/') == std::string::npos)
    m_typedPatterns = SplitPatterns(initialName);

  // The initial folder, else the current one; a folder that cannot be read
  // gives way to the next, so the dialog always opens somewhere.
  std::vector<std::string> candidates;
  std::string current = CurrentFolder();
  if (m_ofn->lpstrInitialDir && *m_ofn->lpstrInitialDir)
    candidates.push_back(Normalize(m_ofn->lpstrInitialDir[0] == '/' ? std::string(m_ofn->lpstrInitialDir)
                                                                   : Join(current, m_ofn->lpstrInitialDir)));
  if (!current.empty()) candidates.push_back(current);
  if (const char* home = std::getenv("HOME"); home && *home == '/') candidates.push_back(Normalize(home));
  candidates.push_back("/");
  for (const std::string& candidate : candidates) {
    if (ReadFolder(candidate, m_entries, false)) {
      m_folder = candidate;
      break;
    }
  }
  if (m_folder.empty()) m_folder = "/";

  HWND owner = m_ofn->hwndOwner ? GetTopLevel(m_ofn->hwndOwner) : GetActiveWindow();
  DialogTemplate tmpl = kTemplate;
  tmpl.caption = m_title.c_str();
  HWND dialog = CreateDialogIndirectParamA(&tmpl, owner, &OpenFileDialog::Proc, reinterpret_cast<LPARAM>(this));
  if (!dialog) {
    t_lastError = CDERR_INITIALIZATION;
    return FALSE;
  }
  // The dialog goes whichever way the loop ends, a test's script included.
  struct Destroy {
    HWND dialog;
    ~Destroy() { DestroyWindow(dialog); }
  } destroy{dialog};
  CenterWindowOver(dialog, owner);
  ShowWindow(dialog, SW_SHOW);
  RunSystemModalLoop(owner, dialog, &m_done);
  return m_confirmed ? Finish() : FALSE;
}

// Hands the chosen path to the caller, if it fits where the caller asked.
BOOL OpenFileDialog::Finish() {
  const std::string& path = m_result;
  size_t nameOffset = path.rfind('/') + 1;
  std::string name = path.substr(nameOffset);
  if (path.size() > 0xFFFF) {
    t_lastError = FNERR_INVALIDFILENAME;
    return FALSE;
  }
  bool wantsTitle = m_ofn->lpstrFileTitle && m_ofn->nMaxFileTitle > 0;
  if (path.size() + 1 > m_ofn->nMaxFile || (wantsTitle && name.size() + 1 > m_ofn->nMaxFileTitle)) {
    t_lastError = FNERR_BUFFERTOOSMALL;
    return FALSE;
  }
  std::memcpy(m_ofn->lpstrFile, path.c_str(), path.size() + 1);
  if (wantsTitle) std::memcpy(m_ofn->lpstrFileTitle, name.c_str(), name.size() + 1);
  size_t dot = name.rfind('.');
  m_ofn->nFileOffset = static_cast<WORD>(nameOffset);
  m_ofn->nFileExtension = static_cast<WORD>(dot == std::string::npos ? path.size() : nameOffset + dot + 1);
  if (!m_filters.empty()) m_ofn->nFilterIndex = static_cast<DWORD>(m_filterIndex + 1);
  // The folder may not exist (nothing asked for it to); the current folder
  // then simply stays where it is.
  if (!(m_ofn->Flags & OFN_NOCHANGEDIR)) (void)chdir(Parent(path).c_str());
  return TRUE;
}

LRESULT OpenFileDialog::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<OpenFileDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefDlgProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_INITDIALOG:
      self->OnInit(hwnd);
      return TRUE;
    case WM_COMMAND:
      self->OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    default:
      return DefDlgProcA(hwnd, message, wParam, lParam);
  }
}

// The folder list is a list box that also takes Backspace as "up one level".
LRESULT OpenFileDialog::FolderListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && wParam == VK_BACK) {
    HWND dialog = GetParent(hwnd);
    HWND up = GetDlgItem(dialog, kIdUp);
    if (IsWindowEnabled(up))
      SendMessageA(dialog, WM_COMMAND, MAKELONG(kIdUp, BN_CLICKED), reinterpret_cast<LPARAM>(up));
    return 0;
  }
  return ListBoxWindowProc(hwnd, message, wParam, lParam);
}

void OpenFileDialog::OnInit(HWND dialog) {
  m_dialog = dialog;
  SetWindowLongPtrA(Item(kIdList), GWLP_WNDPROC, reinterpret_cast<LPARAM>(&OpenFileDialog::FolderListProc));
  for (const Filter& filter : m_filters)
    SendMessageA(Item(kIdType), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(filter.description.c_str()));
  if (!m_filters.empty()) SendMessageA(Item(kIdType), LB_SETCURSEL, m_filterIndex, 0);
  SetName(std::string(m_ofn->lpstrFile, strnlen(m_ofn->lpstrFile, m_ofn->nMaxFile)));
  SetDlgItemTextA(m_dialog, kIdFolder, m_folder.c_str());
  EnableWindow(Item(kIdUp), m_folder != "/");
  Fill({});
}

void OpenFileDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDOK:
      OnOk();
      return;
    case IDCANCEL:
      m_done = true;
      return;
    case kIdUp:
      if (code == BN_CLICKED && m_folder != "/") OpenFolder(Parent(m_folder), LastComponent(m_folder));
      return;
    case kIdList: {
      int index = static_cast<int>(SendMessageA(Item(kIdList), LB_GETCURSEL, 0, 0));
      if (index < 0 || index >= static_cast<int>(m_shown.size())) return;
      if (code == LBN_SELCHANGE && !m_shown[static_cast<size_t>(index)].isDirectory)
        SetName(m_shown[static_cast<size_t>(index)].name);
      else if (code == LBN_DBLCLK)
        OnEntry(index);
      return;
    }
    case kIdType:
      if (code == LBN_SELCHANGE) OnFilterChanged();
      return;
    default:
      return;
  }
}

void OpenFileDialog::OnOk() {
  // Enter in the list acts on the line there, as a double click would.
  if (GetFocus() == Item(kIdList)) {
    int index = static_cast<int>(SendMessageA(Item(kIdList), LB_GETCURSEL, 0, 0));
    if (index >= 0 && index < static_cast<int>(m_shown.size())) {
      OnEntry(index);
      return;
    }
  }
  std::string typed = Name();
  if (typed.empty()) return;
  if (HasWildcard(typed)) OnTypedPattern(typed);
  else OnTypedName(typed);
}

void OpenFileDialog::OnTypedPattern(const std::string& typed) {
  // "sub/*.txt" opens sub and filters with "*.txt".
  size_t slash = typed.rfind('/');
  std::string folder = m_folder;
  if (slash != std::string::npos) {
    std::string part = typed.substr(0, slash + 1);
    folder = Normalize(part[0] == '/' ? part : Join(m_folder, part));
  }
  std::string pattern = typed.substr(slash == std::string::npos ? 0 : slash + 1);
  std::vector<std::string> previous = std::move(m_typedPatterns);
  m_typedPatterns = SplitPatterns(pattern);
  if (!OpenFolder(folder)) {
    m_typedPatterns = std::move(previous);
    return;
  }
  SetName(pattern);
}

void OpenFileDialog::OnTypedName(const std::string& typed) {
  std::string path = Normalize(typed[0] == '/' ? typed : Join(m_folder, typed));
  DirectoryReader::Kind kind = DirectoryReader::Current().KindOf(path);
  if (kind == DirectoryReader::Kind::Directory) {
    if (OpenFolder(path)) SetName(PatternText());
    return;
  }
  if (typed.back() == '/') {
    // A name that ends in a slash can only mean a folder, and there is none.
    std::vector<DirectoryEntry> unused;
    ReadFolder(path, unused, true);
    return;
  }
  std::string last = LastComponent(path);
  if (last.find('.') == std::string::npos && m_ofn->lpstrDefExt && *m_ofn->lpstrDefExt)
    path += std::string(".") + m_ofn->lpstrDefExt;
  Choose(path);
}

void OpenFileDialog::OnEntry(int index) {
  const DirectoryEntry entry = m_shown[static_cast<size_t>(index)];
  if (entry.isDirectory) OpenFolder(Join(m_folder, entry.name));
  else Choose(Join(m_folder, entry.name));
}

void OpenFileDialog::OnFilterChanged() {
  int index = static_cast<int>(SendMessageA(Item(kIdType), LB_GETCURSEL, 0, 0));
  if (index < 0 || index >= static_cast<int>(m_filters.size())) return;
  m_filterIndex = static_cast<size_t>(index);
  m_typedPatterns.clear();
  if (HasWildcard(Name())) SetName(PatternText());
  OpenFolder(m_folder);
}

// The checks the caller asked for, then the end of the dialog.
void OpenFileDialog::Choose(const std::string& path) {
  DirectoryReader& reader = DirectoryReader::Current();
  if ((m_ofn->Flags & OFN_PATHMUSTEXIST) && reader.KindOf(Parent(path)) != DirectoryReader::Kind::Directory) {
    Warn(Parent(path) + "\nパスが見つかりません。\nパスが正しいかどうか確認してください。", MB_ICONEXCLAMATION);
    return;
  }
  if ((m_ofn->Flags & OFN_FILEMUSTEXIST) && reader.KindOf(path) != DirectoryReader::Kind::File) {
    Warn(LastComponent(path) + "\nファイルが見つかりません。\nファイル名が正しいかどうか確認してください。",
         MB_ICONEXCLAMATION);
    return;
  }
  m_result = path;
  m_confirmed = true;
  m_done = true;
}

bool OpenFileDialog::ReadFolder(const std::string& path, std::vector<DirectoryEntry>& entries, bool report) {
  int error = 0;
  entries.clear();
  if (DirectoryReader::Current().List(path, entries, error)) return true;
  if (report) {
    std::string reason = ReasonText(error);
    Warn(path + "\nフォルダーを開けません。" + (reason.empty() ? "" : "\n" + reason), MB_ICONSTOP);
  }
  return false;
}

// Reads `path` and shows it; a folder that cannot be read is reported and
// the dialog stays as it was.
bool OpenFileDialog::OpenFolder(const std::string& path, const std::string& select) {
  std::vector<DirectoryEntry> entries;
  if (!ReadFolder(path, entries, true)) return false;
  m_folder = path;
  m_entries = std::move(entries);
  SetDlgItemTextA(m_dialog, kIdFolder, m_folder.c_str());
  HWND up = Item(kIdUp);
  bool canGoUp = m_folder != "/";
  // A button that loses its enabling takes the focus with it; the list keeps it.
  if (!canGoUp && GetFocus() == up) SetFocus(Item(kIdList));
  EnableWindow(up, canGoUp);
  Fill(select);
  return true;
}

void OpenFileDialog::Fill(const std::string& select) {
  std::vector<std::string> patterns = Patterns();
  std::vector<DirectoryEntry> folders;
  std::vector<DirectoryEntry> files;
  for (const DirectoryEntry& entry : m_entries) {
    if (entry.name.empty() || entry.name[0] == '.') continue;
    if (entry.isDirectory) {
      folders.push_back(entry);
    } else if (std::any_of(patterns.begin(), patterns.end(),
                           [&](const std::string& p) { return Matches(p, entry.name); })) {
      files.push_back(entry);
    }
  }
  auto byName = [](const DirectoryEntry& a, const DirectoryEntry& b) { return NameLess(a.name, b.name); };
  std::sort(folders.begin(), folders.end(), byName);
  std::sort(files.begin(), files.end(), byName);
  m_shown = std::move(folders);
  m_shown.insert(m_shown.end(), files.begin(), files.end());

  HWND list = Item(kIdList);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const DirectoryEntry& entry : m_shown) {
    std::string line = entry.isDirectory ? entry.name + "/" : entry.name;
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  for (size_t i = 0; i < m_shown.size() && !select.empty(); ++i) {
    if (m_shown[i].isDirectory && m_shown[i].name == select) SendMessageA(list, LB_SETCURSEL, i, 0);
  }
}

std::vector<std::string> OpenFileDialog::Patterns() const {
  if (!m_typedPatterns.empty()) return m_typedPatterns;
  if (m_filterIndex < m_filters.size() && !m_filters[m_filterIndex].patterns.empty())
    return m_filters[m_filterIndex].patterns;
  return {"*"};
}

std::string OpenFileDialog::PatternText() const { return JoinPatterns(Patterns()); }

void OpenFileDialog::SetName(const std::string& text) { SetDlgItemTextA(m_dialog, kIdName, text.c_str()); }

std::string OpenFileDialog::Name() const {
  HWND edit = Item(kIdName);
  std::string text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
  return text;
}

void OpenFileDialog::Warn(const std::string& text, UINT icon) { MessageBoxA(m_dialog, text.c_str(), m_title.c_str(), icon); }

}  // namespace

bool DirectoryReader::List(const std::string& path, std::vector<DirectoryEntry>& entries, int& error) {
  DIR* dir = opendir(path.c_str());
  if (!dir) {
    error = errno;
    return false;
  }
  for (;;) {
    errno = 0;
    dirent* entry = readdir(dir);
    if (!entry) break;
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool isDirectory = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      // The entry's own type is not known, or it is a link: ask where it leads.
      struct stat info;
      isDirectory = fstatat(dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
    }
    entries.push_back(DirectoryEntry{std::string(name), isDirectory});
  }
  int readError = errno;
  closedir(dir);
  if (readError != 0) {
    error = readError;
    return false;
  }
  return true;
}

DirectoryReader::Kind DirectoryReader::KindOf(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return Kind::Missing;
  return S_ISDIR(info.st_mode) ? Kind::Directory : Kind::File;
}

DirectoryReader& DirectoryReader::Current() {
  static DirectoryReader real;
  return g_reader ? *g_reader : real;
}

DirectoryReader* DirectoryReader::Exchange(DirectoryReader* next) {
  DirectoryReader* previous = g_reader;
  g_reader = next;
  return previous;
}

}  // namespace win

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn) {
  win::t_lastError = 0;
  if (!ofn || ofn->lStructSize != sizeof(OPENFILENAMEA)) {
    win::t_lastError = CDERR_STRUCTSIZE;
    return FALSE;
  }
  if (!ofn->lpstrFile || ofn->nMaxFile == 0) {
    win::t_lastError = CDERR_INITIALIZATION;
    return FALSE;
  }
  win::OpenFileDialog dialog(ofn);
  return dialog.Run();
}

DWORD CommDlgExtendedError() { return win::t_lastError; }
