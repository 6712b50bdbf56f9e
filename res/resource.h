#pragma once
// Resource and control identifiers of the program.

constexpr unsigned IDD_ABOUTBOX = 100;
constexpr unsigned IDS_ABOUTBOX = 101;
constexpr unsigned IDD_PLAYER_DIALOG = 102;
constexpr unsigned IDR_MAINFRAME = 128;

constexpr unsigned IDM_ABOUTBOX = 0x0010;

constexpr int IDC_PLAY = 1000;
constexpr int IDC_STOP = 1001;
constexpr int IDC_SELECT_FILE = 1002;
constexpr int IDC_SELECTED_FILE = 1003;
constexpr int IDC_PLAYLIST = 1004;
constexpr int IDC_ADD = 1005;
constexpr int IDC_DELETE = 1006;
constexpr int IDC_NOW_PLAYING = 1007;
