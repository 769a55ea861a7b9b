#include "layout.h"

namespace rt {

Point centred_origin(Size screen, Size window) {
  return {(screen.width - window.width) / 2, (screen.height - window.height) / 2};
}

namespace {

bool can_take_focus(UnitKind kind) {
  return kind == UnitKind::edit_box || kind == UnitKind::push_button;
}

}  // namespace

std::optional<std::size_t> initial_focus(const Template& source) {
  std::optional<std::size_t> chosen;
  for (std::size_t i = 1; i < source.units.size(); ++i) {
    const Unit& unit = source.units[i];
    if (!unit.visible || unit.disabled || !unit.tab_stop || !can_take_focus(unit.kind)) continue;
    // "<=" lets a later control win a tie.
    if (!chosen || unit.tab_order <= source.units[*chosen].tab_order) chosen = i;
  }
  return chosen;
}

}  // namespace rt
