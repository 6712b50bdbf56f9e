#include "platform/framework/CCmdTarget.h"

const afx::MessageMap CCmdTarget::messageMap = {nullptr, {}};

const afx::MessageMap* CCmdTarget::GetMessageMap() const { return &messageMap; }

namespace afx {

const MessageEntry* FindEntry(const MessageMap* map, UINT message, UINT code, UINT id) {
  for (; map; map = map->base) {
    for (const auto& entry : map->entries) {
      if (entry.message != message) continue;
      if (message == WM_COMMAND && (entry.code != code || id < entry.firstId || id > entry.lastId)) continue;
      return &entry;
    }
  }
  return nullptr;
}

}  // namespace afx

BOOL CCmdTarget::OnCmdMsg(UINT id, UINT code) {
  const afx::MessageEntry* entry = afx::FindEntry(GetMessageMap(), WM_COMMAND, code, id);
  if (!entry) return FALSE;
  if (auto* fn = std::get_if<afx::PfnVoid>(&entry->handler)) {
    (this->**fn)();
    return TRUE;
  }
  return FALSE;
}
