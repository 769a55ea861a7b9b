// Putting text on the clipboard for the program to paste.
#pragma once

#include <string>

namespace e2e {

void set_clipboard_text(const std::wstring& text);

}  // namespace e2e
