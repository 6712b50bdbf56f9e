#include "res/Resources.h"

#include <utility>

namespace {

constexpr const char* kDialogFont = "ＭＳ Ｐゴシック";

// The main dialog. The two fields show file paths, so they show their text
// literally: an ampersand in a path is not a mnemonic marker.
constexpr win::DialogItemTemplate kPlayerItems[] = {
    {"BUTTON", IDOK, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 170, 211, 50, 18, "終了"},
    {"BUTTON", IDCANCEL, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 231, 212, 50, 17, "説明"},
    {"BUTTON", IDC_PLAY, WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0, 17, 214, 79, 16, "連続繰り返し再生開始"},
    {"BUTTON", IDC_STOP, WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0, 100, 214, 38, 16, "停止"},
    {"BUTTON", IDC_SELECT_FILE, WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0, 14, 7, 50, 14, "ファイル選択"},
    {"STATIC", IDC_SELECTED_FILE, WS_VISIBLE | SS_LEFT | SS_NOPREFIX | WS_BORDER | SS_SUNKEN | WS_GROUP, 0, 81, 7,
     192, 14, ""},
    {"LISTBOX", IDC_PLAYLIST, WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0,
     7, 51, 280, 138, ""},
    {"BUTTON", IDC_ADD, WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0, 82, 29, 51, 17, "↓追加"},
    {"BUTTON", IDC_DELETE, WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0, 137, 29, 51, 17, "削除"},
    {"STATIC", IDC_STATIC, WS_VISIBLE | SS_LEFT | WS_GROUP, 0, 7, 197, 52, 12, "演奏中ファイル："},
    {"STATIC", IDC_NOW_PLAYING, WS_VISIBLE | SS_LEFT | SS_NOPREFIX | WS_GROUP, 0, 61, 195, 233, 13, ""},
};

constexpr win::DialogItemTemplate kAboutItems[] = {
    {"STATIC", IDC_STATIC, WS_VISIBLE | SS_ICON, 0, 11, 17, 18, 21, "", IDR_MAINFRAME},
    {"STATIC", IDC_STATIC, WS_VISIBLE | SS_LEFT | SS_NOPREFIX | WS_GROUP, 0, 40, 10, 119, 8, "Vusk Version 1.0"},
    {"BUTTON", IDOK, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 0, 58, 182, 32, 14, "OK"},
    {"STATIC", IDC_STATIC, WS_VISIBLE | SS_LEFT | WS_BORDER | SS_SUNKEN | WS_GROUP, 0, 14, 101, 249, 37,
     "複数のMIDIファイルを連続繰り返し再生できます。"},
};

constexpr win::DialogTemplate kDialogs[] = {
    {IDD_ABOUTBOX, false, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0, 0, 286, 203,
     "Vuskバージョン情報と説明", kDialogFont, 9, 400, false, kAboutItems},
    {IDD_PLAYER_DIALOG, true,
     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT,
     WS_EX_APPWINDOW, 0, 0, 294, 241, "Vusk-MIDI連続繰り返し再生", kDialogFont, 9, 400, false, kPlayerItems},
};

// The program icon: a solid black eighth note on a transparent background,
// its head at the lower left and its flag sweeping down to the right.
constexpr const char* kNoteIcon32[] = {
    "................................",
    ".............0000...............",
    ".............0000...............",
    ".............0000...............",
    ".............00000..............",
    ".............00000..............",
    "..............00000.............",
    "..............000000............",
    "..............0000000...........",
    "..............00.00000..........",
    "..............00..00000.........",
    "..............00....000.........",
    "..............00.....000........",
    "..............00.....000........",
    "..............00......00........",
    "..............00......00........",
    "..............00......00........",
    "..............00......00........",
    "..............00.....00.........",
    "..............00.....00.........",
    "..............00.....0..........",
    "........00000000................",
    ".......000000000................",
    "......0000000000................",
    ".....00000000000................",
    ".....0000000000.................",
    ".....000000000..................",
    ".....00000000...................",
    "......000000....................",
    "................................",
    "................................",
    "................................",
};

constexpr const char* kNoteIcon16[] = {
    ".......0........",
    "......000.......",
    ".......00.......",
    ".......000......",
    ".......0000.....",
    ".......0.000....",
    ".......0...0....",
    ".......0...0....",
    ".......0...0....",
    ".......0...0....",
    ".....000..0.....",
    "...00000........",
    "..000000........",
    "..00000.........",
    "...00...........",
    "................",
};

constexpr win::IconImage kNoteImages[] = {
    {32, 32, kNoteIcon32},
    {16, 16, kNoteIcon16},
};

constexpr win::IconResource kIcons[] = {
    {IDR_MAINFRAME, kNoteImages},
};

constexpr win::StringResource kStrings[] = {
    {IDS_ABOUTBOX, "ﾊﾞｰｼﾞｮﾝ情報(Vusk) (&A)..."},
};

constexpr std::pair<const char*, const char*> kVersionStrings[] = {
    {"FileDescription", "Vusk MIDI 連続繰り返し再生"},
    {"FileVersion", "1, 0, 0, 1"},
    {"InternalName", "Vusk"},
    {"OriginalFilename", "vusk"},
    {"ProductName", "Vusk"},
    {"ProductVersion", "1, 0, 0, 1"},
};

constexpr win::VersionResource kVersion = {
    {1, 0, 0, 1}, {1, 0, 0, 1}, 0x0411, 0x04B0, kVersionStrings,
};

constexpr win::ModuleResources kResources = {kDialogs, kIcons, kStrings, &kVersion};

}  // namespace

const win::ModuleResources& VuskResources() { return kResources; }
