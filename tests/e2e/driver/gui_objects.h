// How many GDI and USER objects another process holds, counted from outside: under Wine
// GetGuiResources is a stub that answers 0.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

struct GuiObjects {
  int gdi = 0;   // live entries of the process's GDI handle table, stock objects left out
  int user = 0;  // windows the process owns, top-level (shown or not, message-only too) and children
  // Under Wine: the GDI objects by kind ("3 DC, 40 bitmap, ..."), to tell what grew.
  std::string gdi_kinds;
};

// Opens the process for reading its memory; throws DriverError when it cannot.
class GuiObjectCounter {
 public:
  explicit GuiObjectCounter(DWORD process_id);
  ~GuiObjectCounter();
  GuiObjectCounter(const GuiObjectCounter&) = delete;
  GuiObjectCounter& operator=(const GuiObjectCounter&) = delete;

  // Throws DriverError when the counts cannot be read (for instance, the process has ended).
  GuiObjects count() const;

 private:
  DWORD process_id_;
  HANDLE process_;
};

std::string to_text(const GuiObjects& objects);

}  // namespace e2e
