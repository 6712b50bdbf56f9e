#pragma once
// The program's resources as data: dialog templates, icons, strings and the
// version record. The program defines them in res/ and registers them once at
// start-up; the window system and the framework look them up by number.

#include <span>
#include <string_view>

#include "platform/win/WinTypes.h"

namespace win {

// One control of a dialog template. Coordinates are dialog units.
struct DialogItemTemplate {
  const char* className;  // "BUTTON", "STATIC", "LISTBOX" or "EDIT"
  int id;
  DWORD style;
  DWORD exStyle;
  short x, y, cx, cy;
  const char* text;  // window text; for an icon static, empty
  UINT iconId = 0;   // icon resource shown by an SS_ICON static
};

struct DialogTemplate {
  UINT id;
  bool extended;  // an extended template (carries exStyle, weight, italic, charset)
  DWORD style;
  DWORD exStyle;
  short x, y, cx, cy;
  const char* caption;
  const char* fontFace;
  int pointSize;
  int weight;
  bool italic;
  std::span<const DialogItemTemplate> items;
};

// One image of an icon, 16 colours: each row is a string of one character per
// pixel, '.' for transparent or a hexadecimal digit naming a colour of the
// standard 16-colour palette (0 black, F white).
struct IconImage {
  int width;
  int height;
  std::span<const char* const> rows;
};

struct IconResource {
  UINT id;
  std::span<const IconImage> images;
};

struct StringResource {
  UINT id;
  const char* text;
};

struct VersionResource {
  WORD fileVersion[4];
  WORD productVersion[4];
  WORD language;  // 0x0411
  WORD codePage;  // 0x04B0
  std::span<const std::pair<const char*, const char*>> strings;
};

struct ModuleResources {
  std::span<const DialogTemplate> dialogs;
  std::span<const IconResource> icons;
  std::span<const StringResource> strings;
  const VersionResource* version = nullptr;
};

// Registers the running program's resources; called once before any window.
void RegisterResources(const ModuleResources* resources);
const ModuleResources* GetResources();

const DialogTemplate* FindDialogTemplate(UINT id);
const IconResource* FindIconResource(UINT id);
const char* FindStringResource(UINT id);

// The standard 16-colour palette as 0xRRGGBB.
extern const DWORD kPalette16[16];

}  // namespace win
