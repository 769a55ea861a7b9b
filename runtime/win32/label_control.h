// The label: a custom-painted, borderless, single-line text on its parent's background.
#pragma once

#include <windows.h>

namespace rt::win32 {

inline constexpr const wchar_t* label_class_name = L"TemplateLabel";

// Registers the label's window class; false with GetLastError() set on failure.
bool register_label_class(HINSTANCE instance);

}  // namespace rt::win32
