#include "platform/host/gtk/KeyTranslation.h"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

namespace host {
namespace {

struct KeyvalCase {
  unsigned keyval;
  UINT vk;
};

void PrintTo(const KeyvalCase& c, std::ostream* os) { *os << "keyval 0x" << std::hex << c.keyval; }

class KeyvalTest : public testing::TestWithParam<KeyvalCase> {};

TEST_P(KeyvalTest, MapsToTheVirtualKey) { EXPECT_EQ(VirtualKeyFromKeyval(GetParam().keyval), GetParam().vk); }

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyvalTest,
    testing::Values(KeyvalCase{GDK_KEY_a, 'A'}, KeyvalCase{GDK_KEY_z, 'Z'}, KeyvalCase{GDK_KEY_P, 'P'},
                    KeyvalCase{GDK_KEY_0, '0'}, KeyvalCase{GDK_KEY_9, '9'}, KeyvalCase{GDK_KEY_KP_7, '7'},
                    KeyvalCase{GDK_KEY_F1, VK_F1}, KeyvalCase{GDK_KEY_F4, VK_F4}, KeyvalCase{GDK_KEY_F10, VK_F10},
                    KeyvalCase{GDK_KEY_F12, VK_F1 + 11}, KeyvalCase{GDK_KEY_Left, VK_LEFT},
                    KeyvalCase{GDK_KEY_KP_Up, VK_UP}, KeyvalCase{GDK_KEY_Down, VK_DOWN},
                    KeyvalCase{GDK_KEY_Right, VK_RIGHT}, KeyvalCase{GDK_KEY_Home, VK_HOME},
                    KeyvalCase{GDK_KEY_KP_End, VK_END}, KeyvalCase{GDK_KEY_Page_Up, VK_PRIOR},
                    KeyvalCase{GDK_KEY_Page_Down, VK_NEXT}, KeyvalCase{GDK_KEY_Tab, VK_TAB},
                    KeyvalCase{GDK_KEY_ISO_Left_Tab, VK_TAB}, KeyvalCase{GDK_KEY_Return, VK_RETURN},
                    KeyvalCase{GDK_KEY_KP_Enter, VK_RETURN}, KeyvalCase{GDK_KEY_Escape, VK_ESCAPE},
                    KeyvalCase{GDK_KEY_BackSpace, VK_BACK}, KeyvalCase{GDK_KEY_Delete, VK_DELETE},
                    KeyvalCase{GDK_KEY_Insert, VK_INSERT}, KeyvalCase{GDK_KEY_space, VK_SPACE},
                    KeyvalCase{GDK_KEY_Menu, VK_APPS}, KeyvalCase{GDK_KEY_Shift_R, VK_SHIFT},
                    KeyvalCase{GDK_KEY_Control_L, VK_CONTROL}, KeyvalCase{GDK_KEY_Alt_L, VK_MENU},
                    KeyvalCase{GDK_KEY_Alt_R, VK_MENU},
                    // Keys without a code of their own.
                    KeyvalCase{GDK_KEY_Cyrillic_a, 0}, KeyvalCase{GDK_KEY_exclam, 0}, KeyvalCase{GDK_KEY_F13, 0},
                    KeyvalCase{GDK_KEY_kana_A, 0}));

struct MessageCase {
  UINT vk;
  bool press;
  bool altDown;
  UINT message;
  LPARAM lParam;
};

void PrintTo(const MessageCase& c, std::ostream* os) {
  *os << "vk 0x" << std::hex << c.vk << (c.press ? " down" : " up") << (c.altDown ? " alt" : "");
}

class KeyMessageTest : public testing::TestWithParam<MessageCase> {};

TEST_P(KeyMessageTest, AltAndF10MakeSystemKeys) {
  const MessageCase& c = GetParam();
  const KeyMessage key = KeyMessageFor(c.vk, c.press, c.altDown);
  EXPECT_EQ(key.message, c.message);
  EXPECT_EQ(key.lParam, c.lParam);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyMessageTest,
                         testing::Values(MessageCase{'A', true, false, WM_KEYDOWN, 0},
                                         MessageCase{'A', false, false, WM_KEYUP, 0},
                                         MessageCase{'P', true, true, WM_SYSKEYDOWN, KF_ALTDOWN_LPARAM},
                                         MessageCase{'P', false, true, WM_SYSKEYUP, KF_ALTDOWN_LPARAM},
                                         MessageCase{VK_MENU, true, true, WM_SYSKEYDOWN, KF_ALTDOWN_LPARAM},
                                         MessageCase{VK_F4, true, true, WM_SYSKEYDOWN, KF_ALTDOWN_LPARAM},
                                         MessageCase{VK_F10, true, false, WM_SYSKEYDOWN, 0},
                                         MessageCase{VK_F10, false, false, WM_SYSKEYUP, 0},
                                         MessageCase{VK_F1, true, false, WM_KEYDOWN, 0}));

TEST(KeyTranslationTest, OnlyTheAltKeysAreAlt) {
  EXPECT_TRUE(IsAltKey(GDK_KEY_Alt_L));
  EXPECT_TRUE(IsAltKey(GDK_KEY_Alt_R));
  EXPECT_FALSE(IsAltKey(GDK_KEY_Control_L));
  EXPECT_FALSE(IsAltKey(GDK_KEY_a));
}

}  // namespace
}  // namespace host
