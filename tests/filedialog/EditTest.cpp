// The edit control, in a small dialog driven through the headless host:
// keys, typing, the clipboard and pre-edit text as a table of scripts, then
// its messages, the mouse, sideways scrolling and the disabled state.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "platform/win/WindowSystem.h"

namespace {

constexpr int kEditId = 100;

// Counts the edit's EN_CHANGE notifications into the int its user data points to.
LRESULT CountingDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return TRUE;  // the first tab stop takes the focus
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == kEditId)
    ++*reinterpret_cast<int*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  return DefDlgProcA(hwnd, message, wParam, lParam);
}

class EditTest : public ::testing::Test {
 protected:
  EditTest() : m_driver(m_host) { win::InitWindowSystem(&m_host); }
  ~EditTest() override {
    if (m_dialog) DestroyWindow(m_dialog);
  }

  // A dialog with the edit, which gets the focus (and with it the whole
  // text selected) as the first tab stop.
  HWND MakeEdit(const char* text, short width = 120) {
    m_items = {
        {"EDIT", kEditId, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 7, 7, width, 12, text},
        {"BUTTON", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 7, 30, 50, 14, "OK"},
    };
    m_template = {1, false, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 10, 10, static_cast<short>(width + 14), 60,
                  "edit", "ＭＳ Ｐゴシック", 9, 400, false, m_items};
    m_dialog = CreateDialogIndirectParamA(&m_template, nullptr, CountingDialogProc, reinterpret_cast<LPARAM>(&m_changes));
    m_edit = GetDlgItem(m_dialog, kEditId);
    return m_edit;
  }

  win::Window* Record() const { return win::FromHandle(m_edit); }

  // Queues `script`: plain text is typed; <Key>, <S-Key> and <C-Key> are
  // keys alone, with Shift or with Control; {text} is pre-edit text of the
  // input method ({} ends it).
  void QueueScript(const std::string& script) {
    size_t i = 0;
    while (i < script.size()) {
      if (script[i] == '<') {
        size_t end = script.find('>', i);
        QueueKey(script.substr(i + 1, end - i - 1));
        i = end + 1;
      } else if (script[i] == '{') {
        size_t end = script.find('}', i);
        std::string preedit = script.substr(i + 1, end - i - 1);
        m_host.Then([this, preedit] { m_host.Sink()->HostPreedit(m_dialog, preedit); });
        i = end + 1;
      } else {
        size_t end = script.find_first_of("<{", i);
        std::string text = script.substr(i, end == std::string::npos ? std::string::npos : end - i);
        m_host.Then([this, text] { m_host.Text(m_dialog, text); });
        i += text.size();
      }
    }
  }

  void QueueKey(std::string name) {
    unsigned modifiers = 0;
    if (name.rfind("S-", 0) == 0) modifiers = host::kModShift;
    if (name.rfind("C-", 0) == 0) modifiers = host::kModControl;
    if (modifiers) name = name.substr(2);
    static const std::pair<const char*, UINT> kKeys[] = {
        {"Left", VK_LEFT}, {"Right", VK_RIGHT}, {"Home", VK_HOME}, {"End", VK_END}, {"Del", VK_DELETE},
        {"BS", VK_BACK},   {"Ins", VK_INSERT},  {"a", 'A'},        {"c", 'C'},      {"v", 'V'},
        {"x", 'X'},
    };
    UINT vk = 0;
    for (const auto& [keyName, code] : kKeys)
      if (name == keyName) vk = code;
    ASSERT_NE(vk, 0u) << name;
    m_host.Then([this, vk, modifiers] { m_host.Key(m_dialog, vk, modifiers); });
  }

  // Runs the dialog's loop until every queued step has been played.
  void RunScript() {
    bool done = false;
    m_host.Then([this, &done] {
      done = true;
      PostMessageA(m_dialog, WM_NULL, 0, 0);
    });
    RunSystemModalLoop(nullptr, m_dialog, &done);
  }

  host::HeadlessHost m_host;
  DialogDriver m_driver;
  std::vector<win::DialogItemTemplate> m_items;
  win::DialogTemplate m_template{};
  HWND m_dialog = nullptr;
  HWND m_edit = nullptr;
  int m_changes = 0;
};

struct ScriptCase {
  const char* name;
  const char* initial = "abcd";
  const char* script;
  const char* text;
  int caret;
  int anchor;
  int changes;
  const char* clipboardBefore = "";
  const char* clipboardAfter = nullptr;  // not looked at when null
  const char* preedit = "";
};

const ScriptCase kScripts[] = {
    {.name = "typing replaces the text selected on focus", .initial = "*.mid", .script = "x", .text = "x", .caret = 1, .anchor = 1, .changes = 1},
    {.name = "typing goes in at the caret", .script = "<End><Left><Left>XY", .text = "abXYcd", .caret = 4, .anchor = 4, .changes = 2},
    {.name = "backspace takes the character before", .script = "<End><BS><BS>", .text = "ab", .caret = 2, .anchor = 2, .changes = 2},
    {.name = "backspace at the start changes nothing", .script = "<Home><BS>", .text = "abcd", .caret = 0, .anchor = 0, .changes = 0},
    {.name = "delete takes the character after", .script = "<Home><Del>", .text = "bcd", .caret = 0, .anchor = 0, .changes = 1},
    {.name = "delete at the end changes nothing", .script = "<End><Del>", .text = "abcd", .caret = 4, .anchor = 4, .changes = 0},
    {.name = "shift+home selects back to the start", .script = "<End><S-Home>", .text = "abcd", .caret = 0, .anchor = 4, .changes = 0},
    {.name = "shift+end then typing replaces the lot", .script = "<Home><S-End>Z", .text = "Z", .caret = 1, .anchor = 1, .changes = 1},
    {.name = "shift+left extends, backspace deletes the selection", .script = "<End><S-Left><S-Left><BS>", .text = "ab", .caret = 2, .anchor = 2, .changes = 1},
    {.name = "left collapses a selection at its start", .script = "<Left>X", .text = "Xabcd", .caret = 1, .anchor = 1, .changes = 1},
    {.name = "right collapses a selection at its end", .script = "<Right>X", .text = "abcdX", .caret = 5, .anchor = 5, .changes = 1},
    {.name = "ctrl+a selects all", .script = "<Home><C-a>x", .text = "x", .caret = 1, .anchor = 1, .changes = 1},
    {.name = "ctrl+left moves by words", .initial = "one two", .script = "<End><C-Left>X", .text = "one Xtwo", .caret = 5, .anchor = 5, .changes = 1},
    {.name = "the caret steps over whole characters", .initial = "曲名", .script = "<End><Left><BS>", .text = "名", .caret = 0, .anchor = 0, .changes = 1},
    {.name = "shift+right selects a whole character", .initial = "曲名", .script = "<Home><S-Right><Del>", .text = "名", .caret = 0, .anchor = 0, .changes = 1},
    {.name = "typed characters are stored as UTF-8", .initial = "", .script = "é曲", .text = "é曲", .caret = 5, .anchor = 5, .changes = 2},
    {.name = "ctrl+c and ctrl+v copy and paste", .script = "<Home><S-Right><S-Right><C-c><End><C-v>", .text = "abcdab", .caret = 6, .anchor = 6, .changes = 1, .clipboardAfter = "ab"},
    {.name = "ctrl+x cuts", .script = "<Home><S-Right><C-x>", .text = "bcd", .caret = 0, .anchor = 0, .changes = 1, .clipboardAfter = "a"},
    {.name = "paste keeps the first line only", .script = "<End><C-v>", .text = "abcdone", .caret = 7, .anchor = 7, .changes = 1, .clipboardBefore = "one\ntwo", .clipboardAfter = "one\ntwo"},
    {.name = "shift+delete cuts and shift+insert pastes", .script = "<Home><S-Right><S-Del><End><S-Ins>", .text = "bcda", .caret = 4, .anchor = 4, .changes = 2, .clipboardAfter = "a"},
    {.name = "ctrl+insert copies", .script = "<Home><S-Right><C-Ins>", .text = "abcd", .caret = 1, .anchor = 0, .changes = 0, .clipboardAfter = "a"},
    {.name = "copy without a selection leaves the clipboard", .script = "<End><C-c>", .text = "abcd", .caret = 4, .anchor = 4, .changes = 0, .clipboardBefore = "keep", .clipboardAfter = "keep"},
    {.name = "pre-edit text is kept apart from the text", .script = "<End>{かな}", .text = "abcd", .caret = 4, .anchor = 4, .changes = 0, .preedit = "かな"},
    {.name = "pre-edit ends and the commit is typed", .script = "<End>{か}{}か", .text = "abcdか", .caret = 7, .anchor = 7, .changes = 1},
};

TEST_F(EditTest, ScriptsOfKeysTextAndClipboard) {
  for (const ScriptCase& c : kScripts) {
    SCOPED_TRACE(c.name);
    m_changes = 0;
    m_host.SetClipboardText(c.clipboardBefore);
    MakeEdit(c.initial);
    QueueScript(c.script);
    RunScript();
    win::Window* edit = Record();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text, c.text);
    EXPECT_EQ(edit->caret, c.caret);
    EXPECT_EQ(edit->anchor, c.anchor);
    EXPECT_EQ(edit->preedit, c.preedit);
    EXPECT_EQ(m_changes, c.changes);
    if (c.clipboardAfter) {
      EXPECT_EQ(m_host.GetClipboardText(), c.clipboardAfter);
    }
    DestroyWindow(m_dialog);
    m_dialog = nullptr;
  }
}

TEST_F(EditTest, SelectionMessages) {
  struct Case {
    const char* text;
    LPARAM start;
    LPARAM end;
    DWORD selStart;
    DWORD selEnd;
    int caret;
  };
  const Case cases[] = {
      {"abcd", 1, 3, 1, 3, 3},  {"abcd", 0, -1, 0, 4, 4}, {"abcd", 3, 1, 1, 3, 1},
      {"abcd", 2, 99, 2, 4, 4}, {"曲名", 1, 4, 0, 3, 3},  // inside a character: back to its start
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.start) + "," + std::to_string(c.end));
    HWND edit = MakeEdit(c.text);
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(c.start), c.end);
    DWORD start = 7, end = 7;
    LRESULT packed = SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, c.selStart);
    EXPECT_EQ(end, c.selEnd);
    EXPECT_EQ(packed, static_cast<LRESULT>(MAKELONG(static_cast<WORD>(c.selStart), static_cast<WORD>(c.selEnd))));
    EXPECT_EQ(Record()->caret, c.caret);
    DestroyWindow(m_dialog);
    m_dialog = nullptr;
  }
  // A start of -1 drops the selection where the caret is.
  HWND edit = MakeEdit("abcd");
  SendMessageA(edit, EM_SETSEL, 1, 3);
  SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(Record()->caret, 3);
  EXPECT_EQ(Record()->anchor, 3);
}

TEST_F(EditTest, SetTextPutsTheCaretAtTheStartAndReplaceSelNotifies) {
  HWND edit = MakeEdit("abcd");
  SetWindowTextA(edit, "new text");
  EXPECT_EQ(Record()->caret, 0);
  EXPECT_EQ(Record()->anchor, 0);
  EXPECT_EQ(m_changes, 0) << "the program set the text, not the user";
  SendMessageA(edit, EM_SETSEL, 0, 3);
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("old\nsecond line"));
  EXPECT_EQ(Record()->text, "old text");
  EXPECT_EQ(Record()->caret, 3);
  EXPECT_EQ(m_changes, 1);
  char buffer[5];
  EXPECT_EQ(GetWindowTextA(edit, buffer, sizeof buffer), 4);
  EXPECT_STREQ(buffer, "old ");
}

TEST_F(EditTest, ClipboardMessagesWorkLikeTheKeys) {
  HWND edit = MakeEdit("abcd");
  m_host.SetClipboardText("Z");
  SendMessageA(edit, EM_SETSEL, 1, 3);
  SendMessageA(edit, WM_COPY, 0, 0);
  EXPECT_EQ(m_host.GetClipboardText(), "bc");
  SendMessageA(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(Record()->text, "abcd");
  SendMessageA(edit, EM_SETSEL, 0, 1);
  SendMessageA(edit, WM_CUT, 0, 0);
  EXPECT_EQ(Record()->text, "bcd");
  EXPECT_EQ(m_host.GetClipboardText(), "a");
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(edit, WM_CLEAR, 0, 0);
  EXPECT_EQ(Record()->text, "");
  EXPECT_EQ(m_host.GetClipboardText(), "a");
  EXPECT_EQ(m_changes, 3);
}

TEST_F(EditTest, ADisabledEditTakesNoInput) {
  HWND edit = MakeEdit("abcd");
  m_host.SetClipboardText("Z");
  SendMessageA(edit, EM_SETSEL, 1, 3);
  EnableWindow(edit, FALSE);
  std::string preedit = "か";
  SendMessageA(edit, WM_CHAR, 'x', 1);
  SendMessageA(edit, WM_CHAR, 0x08, 1);
  SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 0);
  SendMessageA(edit, WM_PASTE, 0, 0);
  SendMessageA(edit, WM_CUT, 0, 0);
  SendMessageA(edit, WM_CLEAR, 0, 0);
  SendMessageA(edit, WM_IME_COMPOSITION, 0, reinterpret_cast<LPARAM>(&preedit));
  SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(Record()->text, "abcd");
  EXPECT_EQ(Record()->anchor, 1);
  EXPECT_EQ(Record()->caret, 3);
  EXPECT_EQ(Record()->preedit, "");
  EXPECT_NE(GetFocus(), edit);
  EXPECT_EQ(m_changes, 0);
}

TEST_F(EditTest, TheMousePlacesTheCaretSelectsByDraggingAndDoubleClickTakesAWord) {
  const std::string text = "one two three";
  HWND edit = MakeEdit(text.c_str(), 150);
  const render::Font& font = win::FontOf(Record());
  // The text starts inside the two-pixel edge and the one-pixel indent.
  auto xOf = [&](int offset) { return 3 + font.XAtOffset(text, offset); };
  RECT client;
  GetClientRect(edit, &client);
  const int y = client.bottom / 2;
  struct Seen {
    int caret, anchor;
  };
  std::vector<Seen> seen;
  auto record = [&] { seen.push_back({Record()->caret, Record()->anchor}); };
  m_host.Then([&] {
    m_driver.Mouse(edit, WM_LBUTTONDOWN, client.right - 4, y, MK_LBUTTON);
    m_driver.Mouse(edit, WM_LBUTTONUP, client.right - 4, y);
  });
  m_host.Then([&] {
    record();
    m_driver.Mouse(edit, WM_LBUTTONDOWN, xOf(4), y, MK_LBUTTON);
    m_driver.Mouse(edit, WM_LBUTTONUP, xOf(4), y);
  });
  m_host.Then([&] {
    record();
    m_driver.Mouse(edit, WM_LBUTTONDOWN, 3, y, MK_LBUTTON);
    m_driver.Mouse(edit, WM_MOUSEMOVE, xOf(7), y, MK_LBUTTON);
    m_driver.Mouse(edit, WM_LBUTTONUP, xOf(7), y);
  });
  m_host.Then([&] {
    record();
    int middle = (xOf(8) + xOf(9)) / 2;
    m_driver.Mouse(edit, WM_LBUTTONDOWN, middle, y, MK_LBUTTON);
    m_driver.Mouse(edit, WM_LBUTTONUP, middle, y);
    m_driver.Mouse(edit, WM_LBUTTONDBLCLK, middle, y, MK_LBUTTON);
    m_driver.Mouse(edit, WM_LBUTTONUP, middle, y);
  });
  m_host.Then([&] { record(); });
  RunScript();
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].caret, 13);  // past the end
  EXPECT_EQ(seen[0].anchor, 13);
  EXPECT_EQ(seen[1].caret, 4);
  EXPECT_EQ(seen[1].anchor, 4);
  EXPECT_EQ(seen[2].caret, 7);  // dragged from the start
  EXPECT_EQ(seen[2].anchor, 0);
  EXPECT_EQ(seen[3].anchor, 8);  // "three"
  EXPECT_EQ(seen[3].caret, 13);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EditTest, TheTextScrollsToKeepTheCaretInView) {
  const std::string text = "0123456789abcdefghijklmnopqrstuvwxyz0123456789";
  HWND edit = MakeEdit("", 40);
  const render::Font& font = win::FontOf(Record());
  RECT client;
  GetClientRect(edit, &client);
  const int visible = client.right - 4 - 2;  // inside the edge and the indents
  ASSERT_GT(font.XAtOffset(text, static_cast<int>(text.size())), visible) << "the text must not fit";
  std::vector<int> scrolls;
  auto caretInView = [&] {
    int x = font.XAtOffset(Record()->text, Record()->caret) - Record()->scrollX;
    return x >= 0 && x <= visible;
  };
  m_host.Then([&] { m_host.Text(m_dialog, text); });
  m_host.Then([&] {
    EXPECT_TRUE(caretInView());
    scrolls.push_back(Record()->scrollX);
    m_host.Key(m_dialog, VK_HOME);
  });
  m_host.Then([&] {
    EXPECT_TRUE(caretInView());
    scrolls.push_back(Record()->scrollX);
    m_host.Key(m_dialog, VK_END);
  });
  m_host.Then([&] {
    EXPECT_TRUE(caretInView());
    scrolls.push_back(Record()->scrollX);
    m_host.Key(m_dialog, VK_BACK);
  });
  m_host.Then([&] {
    // Deleting at the end pulls the text back: no blank room opens on the right.
    EXPECT_TRUE(caretInView());
    EXPECT_LT(Record()->scrollX, scrolls.back());
  });
  RunScript();
  ASSERT_EQ(scrolls.size(), 3u);
  EXPECT_GT(scrolls[0], 0);
  EXPECT_EQ(scrolls[1], 0);
  EXPECT_EQ(scrolls[2], scrolls[0]);
}

TEST_F(EditTest, TheDialogManagerSelectsAllOnTabAndKeepsItsKeys) {
  HWND edit = MakeEdit("abcd");
  EXPECT_EQ(SendMessageA(edit, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL);
  std::vector<HWND> focus;
  m_host.Then([&] { m_host.Key(m_dialog, VK_END); });
  m_host.Then([&] { m_host.Key(m_dialog, VK_TAB); });
  m_host.Then([&] {
    focus.push_back(GetFocus());
    m_host.Key(m_dialog, VK_TAB);
  });
  m_host.Then([&] { focus.push_back(GetFocus()); });
  RunScript();
  EXPECT_EQ(focus, (std::vector<HWND>{GetDlgItem(m_dialog, IDOK), edit}));
  EXPECT_EQ(Record()->anchor, 0);
  EXPECT_EQ(Record()->caret, 4);
}

}  // namespace
