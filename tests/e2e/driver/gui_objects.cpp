#include "tests/e2e/driver/gui_objects.h"

#include <winternl.h>

#include <map>
#include <vector>

#include "tests/e2e/driver/report.h"

namespace e2e {

namespace {

// Where the process environment block keeps the address of the GDI handle table.
#ifdef _WIN64
constexpr size_t peb_gdi_table_offset = 0xF8;
#else
constexpr size_t peb_gdi_table_offset = 0x94;
#endif

// One slot of the GDI handle table as Wine lays it out (the same size on 32 and 64 bits).
struct GdiHandleSlot {
  UINT64 object;
  ULONG owner;
  BYTE type_and_stock;  // low 7 bits: object type; top bit: a stock object
  BYTE generation;      // 0 until the slot is first used: slots are handed out in order
  BYTE type;            // 0 while the slot is free
  BYTE flags;
  UINT64 user_pointer;
};
static_assert(sizeof(GdiHandleSlot) == 24);

constexpr size_t first_gdi_slot = 32;  // the slots below are never handed out
constexpr size_t gdi_slot_count = 0x10000;

UINT_PTR gdi_table_address(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  ULONG returned = 0;
  const NTSTATUS status = NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &returned);
  if (status != 0) throw DriverError("NtQueryInformationProcess failed with status " + to_hex(static_cast<ULONG>(status)));
  UINT_PTR table = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + peb_gdi_table_offset, &table,
                         sizeof table, nullptr)) {
    fail_call("ReadProcessMemory (GDI table address)");
  }
  if (table == 0) throw DriverError("the process has no GDI handle table");
  return table;
}

// Wine's numbers for the kinds of GDI object (the low bits of a slot's type byte).
std::string kind_name(int type) {
  switch (type) {
    case 0x01: return "DC";
    case 0x04: return "region";
    case 0x05: return "bitmap";
    case 0x08: return "palette";
    case 0x0a: return "font";
    case 0x10: return "brush";
    case 0x30: return "pen";
    case 0x50: return "extpen";
    default: return "type " + to_hex(static_cast<unsigned>(type));
  }
}

std::string kinds_text(const std::map<int, int>& kinds) {
  std::string text;
  for (const auto& [type, count] : kinds) text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + kind_name(type);
  return text;
}

GuiObjects count_gdi(HANDLE process) {
  const UINT_PTR table = gdi_table_address(process);
  std::vector<GdiHandleSlot> slots(1024);
  std::map<int, int> kinds;
  int live = 0;
  for (size_t first = 0; first < gdi_slot_count; first += slots.size()) {
    const auto* address = reinterpret_cast<const BYTE*>(table) + first * sizeof(GdiHandleSlot);
    if (!ReadProcessMemory(process, address, slots.data(), slots.size() * sizeof(GdiHandleSlot), nullptr)) {
      fail_call("ReadProcessMemory (GDI table)");
    }
    for (size_t i = 0; i < slots.size(); ++i) {
      if (first + i < first_gdi_slot) continue;
      if (slots[i].generation == 0) return {live, 0, kinds_text(kinds)};  // past the last slot ever used
      if (slots[i].type != 0 && (slots[i].type_and_stock & 0x80) == 0) {
        ++live;
        ++kinds[slots[i].type_and_stock & 0x7f];
      }
    }
  }
  return {live, 0, kinds_text(kinds)};
}

struct OwnedWindows {
  DWORD process_id;
  int count = 0;
};

BOOL CALLBACK count_one(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

void count_tree_if_owned(HWND window, OwnedWindows& owned) {
  DWORD owner = 0;
  if (!GetWindowThreadProcessId(window, &owner) || owner != owned.process_id) return;
  ++owned.count;
  // EnumChildWindows reports no error of its own; a window gone meanwhile just has no children.
  EnumChildWindows(window, count_one, reinterpret_cast<LPARAM>(&owned.count));
}

BOOL CALLBACK count_if_owned(HWND window, LPARAM owned) {
  count_tree_if_owned(window, *reinterpret_cast<OwnedWindows*>(owned));
  return TRUE;
}

int count_user(DWORD process_id) {
  OwnedWindows owned{process_id};
  if (!EnumWindows(count_if_owned, reinterpret_cast<LPARAM>(&owned))) fail_call("EnumWindows");
  for (HWND window = nullptr; (window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;) {
    count_tree_if_owned(window, owned);
  }
  return owned.count;
}

}  // namespace

GuiObjectCounter::GuiObjectCounter(DWORD process_id)
    : process_id_(process_id), process_(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process_id)) {
  if (process_ == nullptr) fail_call("OpenProcess");
}

GuiObjectCounter::~GuiObjectCounter() { CloseHandle(process_); }

GuiObjects GuiObjectCounter::count() const {
  // GetGuiResources counts for real on Windows; Wine's stub answers 0 with ERROR_CALL_NOT_IMPLEMENTED.
  SetLastError(ERROR_SUCCESS);
  const DWORD gdi = GetGuiResources(process_, GR_GDIOBJECTS);
  const DWORD gdi_error = GetLastError();
  const DWORD user = GetGuiResources(process_, GR_USEROBJECTS);
  if (gdi != 0 || user != 0) return {static_cast<int>(gdi), static_cast<int>(user), {}};
  if (gdi_error != ERROR_CALL_NOT_IMPLEMENTED) fail_call("GetGuiResources", gdi_error);
  GuiObjects counted = count_gdi(process_);
  counted.user = count_user(process_id_);
  return counted;
}

std::string to_text(const GuiObjects& objects) {
  return std::to_string(objects.gdi) + " GDI" + (objects.gdi_kinds.empty() ? "" : " (" + objects.gdi_kinds + ")") +
         ", " + std::to_string(objects.user) + " USER";
}

}  // namespace e2e
