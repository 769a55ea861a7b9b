#include "tests/e2e/driver/input.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/driver/report.h"
#include "tests/e2e/driver/wait.h"
#include "tests/e2e/driver/window_query.h"

namespace e2e {

namespace {

INPUT key_event(WORD key, bool release) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT unicode_event(wchar_t unit, bool release) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = unit;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (release ? KEYEVENTF_KEYUP : 0);
  return input;
}

INPUT mouse_input(DWORD flags, LONG x = 0, LONG y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x;
  input.mi.dy = y;
  input.mi.dwFlags = flags;
  return input;
}

void send_inputs(std::vector<INPUT>& inputs) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) {
    fail_call("SendInput (" + std::to_string(sent) + " of " + std::to_string(inputs.size()) + " events)");
  }
}

// Absolute mouse coordinates run from 0 to 65535 over the primary screen; rounding up lands
// exactly on the wanted pixel when the system scales back down.
LONG normalised(int pixel, int screen_extent) {
  return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screen_extent - 1) / screen_extent);
}

// Walks `steps` points from `from` along x or y; the first and last coordinate where WM_NCHITTEST
// answers `hit`.
std::optional<std::pair<int, int>> hit_run(HWND window, LRESULT hit, POINT from, int steps, bool along_x) {
  std::optional<std::pair<int, int>> run;
  for (int i = 0; i < steps; ++i) {
    const int x = from.x + (along_x ? i : 0), y = from.y + (along_x ? 0 : i);
    if (send(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != hit) continue;
    const int at = along_x ? x : y;
    run = run ? std::pair{run->first, at} : std::pair{at, at};
  }
  return run;
}

}  // namespace

void press_chord(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(key_event(key, false));
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) inputs.push_back(key_event(*key, true));
  send_inputs(inputs);
}

void press_repeatedly(WORD key, int times) {
  std::vector<INPUT> inputs;
  for (int i = 0; i < times; ++i) {
    inputs.push_back(key_event(key, false));
    inputs.push_back(key_event(key, true));
  }
  send_inputs(inputs);
}

void type_text(std::wstring_view text) {
  std::vector<INPUT> inputs;
  for (wchar_t unit : text) {
    inputs.push_back(unicode_event(unit, false));
    inputs.push_back(unicode_event(unit, true));
  }
  send_inputs(inputs);
}

namespace {

// Moves the mouse to the screen point and clicks the left button there `clicks` times in one burst.
void clicks_at(POINT point, int clicks) {
  std::vector<INPUT> move{mouse_input(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                                      normalised(point.x, GetSystemMetrics(SM_CXSCREEN)),
                                      normalised(point.y, GetSystemMetrics(SM_CYSCREEN)))};
  send_inputs(move);
  POINT cursor{};
  const bool arrived = wait_until([&] { return GetCursorPos(&cursor) && cursor.x == point.x && cursor.y == point.y; });
  if (!arrived) {
    throw DriverError("the mouse did not reach (" + std::to_string(point.x) + "," + std::to_string(point.y) +
                      "), it is at (" + std::to_string(cursor.x) + "," + std::to_string(cursor.y) + ")");
  }
  std::vector<INPUT> click;
  for (int i = 0; i < clicks; ++i) {
    click.push_back(mouse_input(MOUSEEVENTF_LEFTDOWN));
    click.push_back(mouse_input(MOUSEEVENTF_LEFTUP));
  }
  send_inputs(click);
}

}  // namespace

void click_at(POINT point) { clicks_at(point, 1); }

void double_click_at(POINT point) { clicks_at(point, 2); }

std::optional<Box> find_caption_part(HWND window, LRESULT hit) {
  const Box frame = outer_box(window);
  // The caption bar lies within the top frame plus one caption height. Each question is a round
  // trip to the program, so ask along one column and two lines rather than about every point.
  const int band = std::min(GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME) + 2, frame.height);
  const auto caption_rows = hit_run(window, HTCAPTION, {frame.x + frame.width / 2, frame.y}, band, false);
  if (!caption_rows) return std::nullopt;
  const int middle_row = (caption_rows->first + caption_rows->second) / 2;
  const auto columns = hit_run(window, hit, {frame.x, middle_row}, frame.width, true);
  if (!columns) return std::nullopt;
  const auto rows = hit_run(window, hit, {(columns->first + columns->second) / 2, frame.y}, band, false);
  if (!rows) return std::nullopt;
  return Box{columns->first, rows->first, columns->second - columns->first + 1, rows->second - rows->first + 1};
}

std::optional<POINT> find_close_box(HWND window) {
  const std::optional<Box> close_box = find_caption_part(window, HTCLOSE);
  if (!close_box) return std::nullopt;
  return POINT{close_box->x + close_box->width / 2, close_box->y + close_box->height / 2};
}

}  // namespace e2e
