// The main dialog as a user meets it: its state after start-up, the ways in
// and out of the About box, Enter and Exit, the window menu and the help key.

#include <cairo.h>

#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "platform/framework/Afx.h"
#include "platform/framework/CWinApp.h"
#include "platform/render/Font.h"
#include "platform/win/WindowSystem.h"
#include "res/Resources.h"
#include "tests/scenario/ProgramHarness.h"
#include "ui/CPlayerDlg.h"

namespace {

int MulDiv(int a, int b, int c) { return (a * b + c / 2) / c; }

RECT ClientOnScreen(HWND top) {
  RECT r;
  GetWindowRect(top, &r);
  return r;
}

TEST(MainDialog, StartsWithTheInitialStateAndEnterEndsIt) {
  ProgramHarness p;
  bool checked = false;
  p.Then([&] {
    HWND main = p.Main();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(p.Caption(main), "Vusk-MIDI連続繰り返し再生");
    for (int id : {IDOK, IDCANCEL, IDC_PLAY, IDC_SELECT_FILE}) EXPECT_TRUE(p.Enabled(id)) << id;
    for (int id : {IDC_STOP, IDC_ADD, IDC_DELETE}) EXPECT_FALSE(p.Enabled(id)) << id;
    EXPECT_EQ(p.Text(IDC_SELECTED_FILE), "");
    EXPECT_EQ(p.Text(IDC_NOW_PLAYING), "");
    EXPECT_EQ(GetFocus(), GetDlgItem(main, IDOK));

    HMENU menu = GetSystemMenu(main, FALSE);
    int n = GetMenuItemCount(menu);
    ASSERT_GE(n, 2);
    EXPECT_EQ(GetMenuItemID(menu, n - 2), 0u);  // the separator
    EXPECT_EQ(GetMenuItemID(menu, n - 1), IDM_ABOUTBOX);
    char text[64] = {};
    GetMenuStringA(menu, IDM_ABOUTBOX, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "ﾊﾞｰｼﾞｮﾝ情報(Vusk) (&A)...");

    // Centred in the work area.
    RECT work = p.host.WorkArea();
    RECT r = ClientOnScreen(main);
    EXPECT_EQ(r.left, work.left + ((work.right - work.left) - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, work.top + ((work.bottom - work.top) - (r.bottom - r.top)) / 2);

    // The window carries the program icon, both sizes.
    const auto* shown = p.host.Find(main);
    ASSERT_NE(shown, nullptr);
    ASSERT_NE(shown->bigIcon, nullptr);
    ASSERT_NE(shown->smallIcon, nullptr);
    EXPECT_EQ(shown->bigIcon->width, 32);
    EXPECT_EQ(shown->smallIcon->width, 16);
    EXPECT_TRUE(shown->info.appWindow);
    EXPECT_TRUE(shown->info.minimizeBox);
    checked = true;
    p.Key(VK_RETURN);
  });
  p.Run();
  EXPECT_TRUE(checked);
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

// Each way of asking for the About box, and the program still running after.
struct AboutWay {
  const char* name;
  std::vector<std::function<void(ProgramHarness&)>> steps;
};

TEST(MainDialog, EscapeCloseAltF4MenuAndExplainOpenTheAboutBox) {
  const AboutWay ways[] = {
      {"Escape", {[](ProgramHarness& p) { p.Key(VK_ESCAPE); }}},
      {"close box", {[](ProgramHarness& p) { p.CloseBox(p.Main()); }}},
      {"Alt+F4", {[](ProgramHarness& p) { p.Key(VK_F4, host::kModAlt); }}},
      {"Explain button", {[](ProgramHarness& p) { p.Click(IDCANCEL); }}},
      {"window menu Close by right click",
       {[](ProgramHarness& p) { p.host.RightClick(p.Main(), 3, 3); }, [](ProgramHarness& p) { p.Key('C'); }}},
      {"window menu Close by Shift+F10",
       {[](ProgramHarness& p) { p.Key(VK_F10, host::kModShift); }, [](ProgramHarness& p) { p.Key('C'); }}},
      {"window menu About by Alt+Space",
       {[](ProgramHarness& p) { p.Key(VK_SPACE, host::kModAlt); }, [](ProgramHarness& p) { p.Key('A'); }}},
      {"window menu About by the Menu key",
       {[](ProgramHarness& p) { p.Key(VK_APPS); }, [](ProgramHarness& p) { p.Key(VK_UP); },
        [](ProgramHarness& p) { p.Key(VK_RETURN); }}},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    ProgramHarness p;
    bool aboutSeen = false;
    for (const auto& step : way.steps) p.Then([&p, &step] { step(p); });
    p.Then([&] {
      HWND about = p.Active();
      ASSERT_TRUE(p.IsAboutBox(about));
      EXPECT_FALSE(IsWindowEnabled(p.Main()));
      aboutSeen = true;
      p.Click(IDOK, about);
    });
    p.Then([&] {
      EXPECT_EQ(p.Active(), p.Main());
      EXPECT_TRUE(IsWindowEnabled(p.Main()));
      p.Click(IDOK, p.Main());  // Exit
    });
    p.Run();
    EXPECT_TRUE(aboutSeen);
    EXPECT_EQ(p.host.StepsLeft(), 0u);
  }
}

TEST(AboutBox, ShowsItsContentCentredOverTheMainDialogAndClosesEveryWay) {
  struct Close {
    const char* name;
    std::function<void(ProgramHarness&, HWND)> close;
  };
  const Close closes[] = {
      {"OK", [](ProgramHarness& p, HWND about) { p.Click(IDOK, about); }},
      {"Enter", [](ProgramHarness& p, HWND) { p.Key(VK_RETURN); }},
      {"Escape", [](ProgramHarness& p, HWND) { p.Key(VK_ESCAPE); }},
      {"close box", [](ProgramHarness& p, HWND about) { p.CloseBox(about); }},
  };
  for (const auto& way : closes) {
    SCOPED_TRACE(way.name);
    ProgramHarness p;
    p.Then([&] { p.Click(IDCANCEL); });
    p.Then([&] {
      HWND about = p.Active();
      ASSERT_TRUE(p.IsAboutBox(about));
      std::vector<std::string> texts;
      HWND icon = nullptr;
      for (HWND c = GetWindow(about, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        texts.push_back(p.Caption(c));
        if ((GetWindowLongPtrA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) icon = c;
      }
      EXPECT_EQ(texts, (std::vector<std::string>{"", "Vusk Version 1.0", "OK",
                                                 "複数のMIDIファイルを連続繰り返し再生できます。"}));
      ASSERT_NE(icon, nullptr);
      EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)), LoadIconA(IDR_MAINFRAME));
      EXPECT_EQ(GetFocus(), GetDlgItem(about, IDOK));
      RECT a = ClientOnScreen(about), m = ClientOnScreen(p.Main());
      EXPECT_NEAR((a.left + a.right) / 2.0, (m.left + m.right) / 2.0, 1.0);
      EXPECT_NEAR((a.top + a.bottom) / 2.0, (m.top + m.bottom) / 2.0, 1.0);
      way.close(p, about);
    });
    p.Then([&] {
      EXPECT_FALSE(p.IsAboutBox(p.Active()));
      EXPECT_TRUE(IsWindowEnabled(p.Main()));
      p.Click(IDOK, p.Main());
    });
    p.Run();
    EXPECT_EQ(p.host.StepsLeft(), 0u);
  }
}

TEST(AboutBox, OverAMinimisedMainDialogItIsCentredInTheWorkArea) {
  ProgramHarness p;
  p.Then([&] {
    p.host.SetIconified(p.Main(), true);
    PostMessageA(p.Main(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
  });
  p.Then([&] {
    HWND about = p.Active();
    ASSERT_TRUE(p.IsAboutBox(about));
    RECT work = p.host.WorkArea();
    RECT a = ClientOnScreen(about);
    EXPECT_NEAR((a.left + a.right) / 2.0, (work.left + work.right) / 2.0, 1.0);
    EXPECT_NEAR((a.top + a.bottom) / 2.0, (work.top + work.bottom) / 2.0, 1.0);
    p.Click(IDOK, about);
  });
  p.Then([&] {
    p.host.SetIconified(p.Main(), false);
    p.Click(IDOK, p.Main());
  });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

TEST(MainDialog, MinimisedItPaintsTheIconCentredInItsClientArea) {
  ProgramHarness p;
  p.Then([&] { p.host.SetIconified(p.Main(), true); });
  p.Then([&] {
    win::Window* w = win::FromHandle(p.Main());
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->iconDraws.size(), 1u);
    RECT c;
    GetClientRect(p.Main(), &c);
    EXPECT_EQ(w->iconDraws[0].x, (c.right - c.left - 32 + 1) / 2);
    EXPECT_EQ(w->iconDraws[0].y, (c.bottom - c.top - 32 + 1) / 2);
    EXPECT_EQ(w->iconDraws[0].icon.image, IconImageOf(LoadIconA(IDR_MAINFRAME), 32));
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(p.Main(), WM_QUERYDRAGICON, 0, 0)), LoadIconA(IDR_MAINFRAME));
    p.host.SetIconified(p.Main(), false);
  });
  p.Then([&] { p.Click(IDOK, p.Main()); });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

TEST(MainDialog, ControlsSitWhereTheirDialogUnitsSay) {
  ProgramHarness p;
  p.Then([&] {
    const win::DialogTemplate* tmpl = win::FindDialogTemplate(IDD_PLAYER_DIALOG);
    ASSERT_NE(tmpl, nullptr);
    render::FontRequest request{tmpl->fontFace, tmpl->pointSize, tmpl->weight, tmpl->italic};
    auto font = render::Font::Open(request, p.host.Dpi());
    int bx = font->BaseUnitX(), by = font->BaseUnitY();
    RECT main = ClientOnScreen(p.Main());
    EXPECT_EQ(main.right - main.left, MulDiv(tmpl->cx, bx, 4));
    EXPECT_EQ(main.bottom - main.top, MulDiv(tmpl->cy, by, 8));
    HWND c = GetWindow(p.Main(), GW_CHILD);
    for (const auto& item : tmpl->items) {
      ASSERT_NE(c, nullptr);
      SCOPED_TRACE(item.text);
      RECT r;
      GetWindowRect(c, &r);
      EXPECT_EQ(r.left - main.left, MulDiv(item.x, bx, 4));
      EXPECT_EQ(r.top - main.top, MulDiv(item.y, by, 8));
      EXPECT_EQ(r.right - main.left, MulDiv(item.x + item.cx, bx, 4));
      EXPECT_EQ(r.bottom - main.top, MulDiv(item.y + item.cy, by, 8));
      c = GetWindow(c, GW_HWNDNEXT);
    }
    EXPECT_EQ(c, nullptr);
    p.Key(VK_RETURN);
  });
  p.Run();
}

TEST(MainDialog, TheFieldsShowAnAmpersandAsItIs) {
  ProgramHarness p;
  p.Then([&] {
    CPlayerDlg* dlg = p.Dialog();
    dlg->m_strSelectedFile = "/music/Rock & Roll.mid";
    dlg->m_strNowPlaying = "1/1  /music/Rock & Roll.mid";
    dlg->UpdateData(FALSE);
    for (int id : {IDC_SELECTED_FILE, IDC_NOW_PLAYING}) {
      render::ItemView view = win::DescribeControl(win::FromHandle(GetDlgItem(p.Main(), id)));
      EXPECT_FALSE(view.prefix) << id;
    }
    EXPECT_EQ(p.Text(IDC_SELECTED_FILE), "/music/Rock & Roll.mid");
    EXPECT_EQ(dlg->m_strSelectedFile, "/music/Rock & Roll.mid");
    p.Key(VK_RETURN);
  });
  p.Run();
}

TEST(MainDialog, TabAndArrowsMoveTheFocusInTemplateOrder) {
  struct Move {
    UINT vk;
    unsigned modifiers;
    int focusAfter;
  };
  // Tab visits the enabled tab stops in template order and wraps; inside
  // the first group the arrow keys move between the buttons.
  const Move moves[] = {
      {VK_TAB, 0, IDCANCEL},         {VK_TAB, 0, IDC_PLAY},   {VK_TAB, 0, IDC_SELECT_FILE},
      {VK_TAB, 0, IDC_PLAYLIST},     {VK_TAB, 0, IDOK},       {VK_TAB, host::kModShift, IDC_PLAYLIST},
      {VK_TAB, 0, IDOK},             {VK_RIGHT, 0, IDCANCEL}, {VK_DOWN, 0, IDC_PLAY},
      {VK_LEFT, 0, IDCANCEL},        {VK_UP, 0, IDOK},
  };
  ProgramHarness p;
  const Move* previous = nullptr;
  for (const Move& move : moves) {
    p.Then([&p, &move, previous] {
      if (previous) {
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), previous->focusAfter) << "after key " << previous->vk;
      }
      p.Key(move.vk, move.modifiers);
    });
    previous = &move;
  }
  p.Then([&] {
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDOK);
    p.Key(VK_RETURN);
  });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

TEST(MainDialog, TheHelpKeyReportsThatHelpCannotStart) {
  ProgramHarness p;
  p.Then([&] { p.Key(VK_F1); });
  p.Then([&] {
    EXPECT_EQ(p.MessageBoxText(), "ﾍﾙﾌﾟの起動に失敗しました。");
    EXPECT_EQ(p.Caption(p.Active()), "vusk");
    HWND icon = GetWindow(p.Active(), GW_CHILD);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)), LoadIconA(IDI_EXCLAMATION));
    EXPECT_FALSE(IsWindowEnabled(p.Main()));
    p.Key(VK_RETURN);
  });
  p.Then([&] {
    EXPECT_EQ(p.Active(), p.Main());
    p.Click(IDOK, p.Main());
  });
  p.Run();
  EXPECT_EQ(p.host.StepsLeft(), 0u);
}

}  // namespace

namespace {

// The colour of pixel (x, y) of a PNG as 0xRRGGBB.
unsigned PixelOf(cairo_surface_t* image, int x, int y) {
  const unsigned char* row = cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
  std::uint32_t argb;
  std::memcpy(&argb, row + 4 * x, 4);
  return argb & 0xFFFFFF;
}

TEST(MainDialog, ASnapshotShowsTheDialogFaceAndTheWhiteListAtEveryScale) {
  for (double scale : {1.0, 2.0}) {
    SCOPED_TRACE(scale);
    ProgramHarness p;
    p.Then([&] {
      std::string path = p.dir + "snapshot.png";
      ASSERT_TRUE(p.host.WritePng(p.Main(), path, scale));
      cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
      ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
      RECT client;
      GetClientRect(p.Main(), &client);
      EXPECT_EQ(cairo_image_surface_get_width(image), static_cast<int>(client.right * scale));
      EXPECT_EQ(cairo_image_surface_get_height(image), static_cast<int>(client.bottom * scale));
      RECT list, top;
      GetWindowRect(GetDlgItem(p.Main(), IDC_PLAYLIST), &list);
      GetWindowRect(p.Main(), &top);
      int lx = static_cast<int>(((list.left + list.right) / 2 - top.left) * scale);
      int ly = static_cast<int>(((list.top + list.bottom) / 2 - top.top) * scale);
      EXPECT_EQ(PixelOf(image, lx, ly), 0xFFFFFFu);
      EXPECT_EQ(PixelOf(image, static_cast<int>(2 * scale), static_cast<int>(2 * scale)), 0xC0C0C0u);
      cairo_surface_destroy(image);
      p.Key(VK_RETURN);
    });
    p.Run();
  }
}

}  // namespace
