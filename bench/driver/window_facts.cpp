#include "window_facts.h"

#include <cstdio>
#include <cwctype>

#include "window_search.h"

namespace bench {

namespace {

bool same_ignoring_case(const std::wstring& a, const wchar_t* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != L'\0'; ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return i == a.size() && b[i] == L'\0';
}

std::wstring kind_of(HWND window) {
  const std::wstring name = class_name(window);
  for (const wchar_t* system_class : {L"Button", L"Edit", L"Static", L"ComboBox", L"ListBox", L"ScrollBar"})
    if (same_ignoring_case(name, system_class)) return system_class;
  return L"own class";
}

HWND focus_of(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

WindowFacts facts_of(HWND window, int depth, HWND focus) {
  WindowFacts facts{depth, kind_of(window), static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)),
                    static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)), {}, window_text(window),
                    window == focus};
  GetWindowRect(window, &facts.place);
  if (depth > 0) MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&facts.place), 2);
  return facts;
}

std::string describe_place(const RECT& place) {
  char text[64];
  std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", place.left, place.top, place.right, place.bottom);
  return text;
}

std::string hex(DWORD value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(value));
  return text;
}

}  // namespace

std::vector<WindowFacts> describe_window(HWND window) {
  const HWND focus = focus_of(window);
  std::vector<WindowFacts> all{facts_of(window, 0, focus)};
  for (HWND child : children_of(window)) all.push_back(facts_of(child, 1, focus));
  return all;
}

std::vector<std::string> differences(const std::vector<WindowFacts>& program, const std::vector<WindowFacts>& reference) {
  std::vector<std::string> found;
  if (program.size() != reference.size()) {
    found.push_back("the program has " + std::to_string(program.size()) + " windows and controls, the reference " +
                    std::to_string(reference.size()));
    return found;
  }
  for (size_t i = 0; i < program.size(); ++i) {
    const WindowFacts& ours = program[i];
    const WindowFacts& theirs = reference[i];
    const std::string which = i == 0 ? "window" : "control " + std::to_string(i);
    auto note = [&](const std::string& what, const std::string& a, const std::string& b) {
      found.push_back(which + " " + what + ": program " + a + ", reference " + b);
    };
    if (ours.kind != theirs.kind) note("kind", to_utf8(ours.kind), to_utf8(theirs.kind));
    if (ours.style != theirs.style) note("style", hex(ours.style), hex(theirs.style));
    if (ours.extended_style != theirs.extended_style)
      note("extended style", hex(ours.extended_style), hex(theirs.extended_style));
    if (!EqualRect(&ours.place, &theirs.place)) note("place", describe_place(ours.place), describe_place(theirs.place));
    if (ours.text != theirs.text) note("text", "\"" + to_utf8(ours.text) + "\"", "\"" + to_utf8(theirs.text) + "\"");
    if (ours.has_focus != theirs.has_focus)
      note("focus", ours.has_focus ? "focused" : "not focused", theirs.has_focus ? "focused" : "not focused");
  }
  return found;
}

std::string to_utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string converted(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  if (length > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), converted.data(), length, nullptr, nullptr);
  return converted;
}

}  // namespace bench
