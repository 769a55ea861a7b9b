// Placement rules for a window built from a template.
#pragma once

#include <cstddef>
#include <optional>

#include "../window_template.h"
#include "backend.h"

namespace rt {

// The outer origin that centres a window on the screen, by truncating division.
// A window larger than the screen gets a negative origin.
Point centred_origin(Size screen, Size window);

// The record index of the control that takes the focus when the window first shows: visible,
// enabled, able to take the focus and a tab stop, with the lowest tab-order number; on a tie
// the later one in record order. None when no control qualifies.
std::optional<std::size_t> initial_focus(const Template& source);

}  // namespace rt
