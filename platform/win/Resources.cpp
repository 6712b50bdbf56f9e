#include "platform/win/Resources.h"

namespace win {

namespace {
const ModuleResources* g_resources = nullptr;
}

void RegisterResources(const ModuleResources* resources) { g_resources = resources; }

const ModuleResources* GetResources() { return g_resources; }

const DialogTemplate* FindDialogTemplate(UINT id) {
  if (!g_resources) return nullptr;
  for (const auto& d : g_resources->dialogs)
    if (d.id == id) return &d;
  return nullptr;
}

const IconResource* FindIconResource(UINT id) {
  if (!g_resources) return nullptr;
  for (const auto& i : g_resources->icons)
    if (i.id == id) return &i;
  return nullptr;
}

const char* FindStringResource(UINT id) {
  if (!g_resources) return nullptr;
  for (const auto& s : g_resources->strings)
    if (s.id == id) return s.text;
  return nullptr;
}

}  // namespace win
