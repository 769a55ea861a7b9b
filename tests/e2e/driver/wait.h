// Bounded polling: every wait in the driver gives up after its timeout.
#pragma once

#include <windows.h>

namespace e2e {

// Long enough for Wine's first start of a process in a fresh session.
inline constexpr DWORD startup_timeout_ms = 20000;
inline constexpr DWORD default_timeout_ms = 10000;
inline constexpr DWORD poll_interval_ms = 20;
// How long a message sent to the program may take before the program counts as hung.
inline constexpr UINT send_timeout_ms = 5000;

// Polls until pred() holds; false when timeout_ms ran out first.
template <class Pred>
bool wait_until(Pred pred, DWORD timeout_ms = default_timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    if (pred()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(poll_interval_ms);
  }
}

// Polls for duration_ms; false as soon as pred() stops holding.
template <class Pred>
bool holds_for(Pred pred, DWORD duration_ms) {
  const ULONGLONG deadline = GetTickCount64() + duration_ms;
  for (;;) {
    if (!pred()) return false;
    if (GetTickCount64() >= deadline) return true;
    Sleep(poll_interval_ms);
  }
}

}  // namespace e2e
