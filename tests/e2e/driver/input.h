// Real user input through SendInput: what the program sees is what a person would cause.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string_view>

#include "tests/e2e/driver/report.h"

namespace e2e {

// Presses the keys in order and releases them in reverse, as one burst: {VK_SHIFT, VK_TAB} is Shift+Tab.
void press_chord(std::initializer_list<WORD> keys);
// Presses and releases a key several times in one burst, faster than any handler can react.
void press_repeatedly(WORD key, int times);
// Types the text as Unicode characters, independent of the keyboard layout.
void type_text(std::wstring_view text);
// Moves the mouse to the screen point and clicks the left button there.
void click_at(POINT point);
// Clicks twice at the point in one burst, well within the double-click time.
void double_click_at(POINT point);

// The part of the window's caption bar for which WM_NCHITTEST answers `hit` (HTCLOSE, HTSYSMENU),
// found by asking the window about every point of the bar; nothing when no point answers so.
std::optional<Box> find_caption_part(HWND window, LRESULT hit);
// The centre of the window's close box.
std::optional<POINT> find_close_box(HWND window);

}  // namespace e2e
