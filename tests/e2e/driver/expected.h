// What the program's two windows must look like, written down independently of the program's templates.
#pragma once

#include <string_view>

#include "tests/e2e/driver/report.h"

namespace e2e::expected {

inline constexpr int main_width = 209;
inline constexpr int main_height = 156;
inline constexpr std::wstring_view main_caption = L"Varnholt";

inline constexpr int message_width = 213;
inline constexpr int message_height = 115;

struct Control {
  std::wstring_view class_name;
  std::wstring_view text;
  Box box;  // in the window's client coordinates
  bool tab_stop;
};

// The main window's controls from the top of the z-order down.
inline constexpr Control main_controls[] = {
    {L"TemplateLabel", L"Quellin", {120, 104, 80, 16}, false},
    {L"Edit", L"", {56, 8, 104, 32}, true},
    {L"Button", L"\u6309\u94ae", {64, 64, 72, 32}, true},
};

inline constexpr Box message_label_box{32, 24, 136, 32};

// The message line in GBK: "欢迎使用本程序!".
inline constexpr std::string_view message_gbk =
    "\xbb\xb6\xd3\xad\xca\xb9\xd3\xc3\xb1\xbe\xb3\xcc\xd0\xf2\x21";

// Window styles both template windows carry, and those they must not.
inline constexpr LONG_PTR frame_styles = WS_CAPTION | WS_SYSMENU;
inline constexpr LONG_PTR forbidden_frame_styles = WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

}  // namespace e2e::expected
