#pragma once
// The classic three-dimensional colour scheme as 0xRRGGBB, the one every
// control of the window system is drawn in.

#include "platform/win/WinTypes.h"

namespace render {

constexpr DWORD kColorFace = 0xC0C0C0;        // dialog and button face
constexpr DWORD kColorHighlight = 0xFFFFFF;   // lit edge
constexpr DWORD kColorLight = 0xDFDFDF;       // inner lit edge
constexpr DWORD kColorShadow = 0x808080;      // inner shaded edge
constexpr DWORD kColorDarkShadow = 0x000000;  // outer shaded edge and frames
constexpr DWORD kColorWindow = 0xFFFFFF;      // list and edit fields
constexpr DWORD kColorText = 0x000000;
constexpr DWORD kColorSelection = 0x000080;
constexpr DWORD kColorSelectionText = 0xFFFFFF;
constexpr DWORD kColorGrayText = 0x808080;
constexpr DWORD kColorScrollTrack = 0xE0E0E0;

}  // namespace render
