// Turns the window tree into the plain description the renderer paints.

#include "platform/render/ControlGeometry.h"
#include "platform/win/WindowSystem.h"

namespace win {

namespace {

int ItemHeight(Window* w) { return FontOf(w).Height(); }

}  // namespace

int ListBoxPage(Window* list) {
  render::ItemView view;
  view.kind = render::ItemKind::ListBox;
  view.rect = RectInTopLevel(list);
  view.clientEdge = (list->exStyle & WS_EX_CLIENTEDGE) != 0;
  view.border = (list->style & WS_BORDER) != 0;
  RECT inner = render::InteriorRect(view);
  int height = ItemHeight(list);
  return height > 0 ? std::max(1, static_cast<int>(inner.bottom - inner.top) / height) : 1;
}

render::ItemView DescribeControl(Window* w) {
  render::ItemView v;
  v.rect = RectInTopLevel(w);
  v.text = w->text;
  v.enabled = w->Enabled();
  Window* top = TopLevelOf(w);
  v.focused = GetFocus() == w->handle && GetActiveWindow() == top->handle;
  v.border = (w->style & WS_BORDER) != 0;
  v.clientEdge = (w->exStyle & WS_EX_CLIENTEDGE) != 0;
  switch (w->cls) {
    case WindowClass::Button:
      v.kind = render::ItemKind::PushButton;
      v.pressed = w->pressed;
      v.defaultButton = CurrentDefaultButton(top) == w;
      break;
    case WindowClass::Static:
      if ((w->style & SS_TYPEMASK) == SS_ICON) {
        v.kind = render::ItemKind::IconStatic;
        v.icon = IconRefOf(w->icon, 32);
      } else {
        v.kind = render::ItemKind::Static;
        v.align = (w->style & SS_TYPEMASK) == SS_CENTER ? 1 : (w->style & SS_TYPEMASK) == SS_RIGHT ? 2 : 0;
        v.prefix = (w->style & SS_NOPREFIX) == 0;
        v.sunken = (w->style & SS_SUNKEN) != 0 || (w->exStyle & WS_EX_STATICEDGE) != 0;
      }
      break;
    case WindowClass::ListBox: {
      v.kind = render::ItemKind::ListBox;
      v.lines = w->items;
      v.topIndex = w->topIndex;
      v.selected = w->selected;
      v.caretIndex = w->caretIndex;
      v.itemHeight = ItemHeight(w);
      int page = ListBoxPage(w);
      v.vscroll.visible = (w->style & WS_VSCROLL) && static_cast<int>(w->items.size()) > page;
      v.vscroll.enabled = v.enabled;
      v.vscroll.position = w->topIndex;
      v.vscroll.maximum = static_cast<int>(w->items.size());
      v.vscroll.page = page;
      v.vscroll.pressed = w->scrollPressed;
      break;
    }
    case WindowClass::Edit:
      v.kind = render::ItemKind::Edit;
      v.caret = w->caret;
      v.selStart = std::min(w->caret, w->anchor);
      v.selEnd = std::max(w->caret, w->anchor);
      v.scrollX = w->scrollX;
      v.preedit = w->preedit;
      break;
    default:
      break;
  }
  return v;
}

render::SceneView BuildScene(Window* top) {
  render::SceneView scene;
  scene.width = top->rect.right - top->rect.left;
  scene.height = top->rect.bottom - top->rect.top;
  scene.iconDraws = top->iconDraws;
  if (top->cls == WindowClass::PopupMenu) {
    scene.background = render::SceneView::Background::Menu;
    DescribeMenu(top, scene);
    return scene;
  }
  if (top->minimized) return scene;  // a minimised window shows what its own painting drew
  for (Window* c : top->children) {
    if (!c->Visible()) continue;
    scene.items.push_back(DescribeControl(c));
  }
  return scene;
}

}  // namespace win
