// Putting text on the clipboard for the program to paste.
#pragma once

#include <string>

namespace e2e {

void set_clipboard_text(const std::wstring& text);

// 100 000 characters, Latin and Chinese: well past an edit box's default limit of 30 000.
std::wstring long_clipboard_text();

}  // namespace e2e
