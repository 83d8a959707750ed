#include "runtime/headless/built_window.h"

#include <algorithm>

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
  std::vector<const ControlDesc*> order;
  for (const ControlDesc& c : desc.controls) order.push_back(&c);
  std::ranges::stable_sort(
      order, {}, [](const ControlDesc* c) { return hasWindow(c->kind) ? c->tabIndex : kNone; });
  BuiltWindow window{std::string(desc.caption), desc.clientWidth, desc.clientHeight, {}};
  for (const ControlDesc* c : order) window.controls.push_back(built(desc, *c));
  return window;
}

}  // namespace vorlin
