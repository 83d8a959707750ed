#include "runtime/headless/built_window.h"

namespace vorlin {
namespace {

bool hasWindow(ControlKind kind) {
  return kind == ControlKind::OptionButton || kind == ControlKind::CommandButton;
}

BuiltControl built(const FormDesc& desc, const ControlDesc& c) {
  const ControlDesc* menu = c.parent != kNone ? desc.find(c.parent) : nullptr;
  const bool separator = isSeparator(c);
  return {.kind = separator ? ControlKind::Separator : c.kind,
          .index = c.index,
          .caption = separator ? std::string() : std::string(c.caption),
          .left = c.left,
          .top = c.top,
          .width = c.width,
          .height = c.height,
          .interval = c.interval,
          .menu = menu != nullptr ? std::string(menu->caption) : std::string()};
}

}  // namespace

BuiltWindow buildWindow(const FormDesc& desc) {
  BuiltWindow window{std::string(desc.caption), desc.clientWidth, desc.clientHeight, {}};
  // As the platform's windows are made: the controls without a window in their order, then the
  // others by tab index, ascending, each index once: of two controls with one index, the second
  // is never made.
  for (const ControlDesc& c : desc.controls) {
    if (!hasWindow(c.kind)) window.controls.push_back(built(desc, c));
  }
  for (int tab = kNone;;) {
    const ControlDesc* next = nullptr;
    for (const ControlDesc& c : desc.controls) {
      if (hasWindow(c.kind) && c.tabIndex > tab && (next == nullptr || c.tabIndex < next->tabIndex))
        next = &c;
    }
    if (next == nullptr) return window;
    window.controls.push_back(built(desc, *next));
    tab = next->tabIndex;
  }
}

}  // namespace vorlin
