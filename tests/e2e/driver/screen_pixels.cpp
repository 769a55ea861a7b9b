#include "tests/e2e/driver/screen_pixels.h"

#include <cstdio>

namespace e2e {

namespace {

// A top-down 32-bit bitmap with a memory DC selected into it.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_ == nullptr) fail_call("CreateCompatibleDC");
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    if (bitmap_ == nullptr) {
      const DWORD error = GetLastError();
      DeleteDC(dc_);
      fail_call("CreateDIBSection", error);
    }
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  std::vector<std::uint32_t> bits() const {
    GdiFlush();
    return {bits_, bits_ + static_cast<size_t>(width_) * height_};
  }
  void fill(COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    if (brush == nullptr) fail_call("CreateSolidBrush");
    RECT all{0, 0, width_, height_};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

COLORREF from_dib(std::uint32_t bgr) { return RGB((bgr >> 16) & 0xff, (bgr >> 8) & 0xff, bgr & 0xff); }

BOOL CALLBACK take_first_name(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
  auto* slot = reinterpret_cast<LPWSTR*>(found);
  // Integer ids are kept as they are; a string name would need copying, and the program uses ids.
  *slot = IS_INTRESOURCE(name) ? name : nullptr;
  return FALSE;
}

// Colours may differ by rounding in blending and colour conversion.
bool close_colours(COLORREF a, COLORREF b) {
  auto within = [](int x, int y) { return x - y <= 8 && y - x <= 8; };
  return within(GetRValue(a), GetRValue(b)) && within(GetGValue(a), GetGValue(b)) && within(GetBValue(a), GetBValue(b));
}

}  // namespace

ScreenCapture::ScreenCapture(const Box& area) : area_(area) {
  Canvas canvas(area.width, area.height);
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) fail_call("GetDC(screen)");
  const BOOL copied = BitBlt(canvas.dc(), 0, 0, area.width, area.height, screen, area.x, area.y, SRCCOPY);
  const DWORD error = GetLastError();
  ReleaseDC(nullptr, screen);
  if (!copied) fail_call("BitBlt from the screen", error);
  bits_ = canvas.bits();
}

COLORREF ScreenCapture::pixel(int screen_x, int screen_y) const {
  const int x = screen_x - area_.x, y = screen_y - area_.y;
  if (x < 0 || y < 0 || x >= area_.width || y >= area_.height) return CLR_INVALID;
  return from_dib(bits_[static_cast<size_t>(y) * area_.width + x]);
}

IconPixels program_small_icon(const std::wstring& exe_path) {
  HMODULE module = LoadLibraryExW(exe_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) fail_call("LoadLibraryExW(program as data)");
  LPWSTR name = nullptr;
  EnumResourceNamesW(module, RT_GROUP_ICON, take_first_name, reinterpret_cast<LONG_PTR>(&name));
  if (name == nullptr) {
    FreeLibrary(module);
    throw DriverError("the program has no icon with a numeric id");
  }
  const int size = GetSystemMetrics(SM_CXSMICON);
  auto icon = static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  const DWORD error = GetLastError();
  FreeLibrary(module);
  if (icon == nullptr) fail_call("LoadImageW(program icon)", error);

  // Drawn on black and on white: a pixel that comes out the same on both is opaque.
  std::vector<std::uint32_t> on_black, on_white;
  for (COLORREF background : {RGB(0, 0, 0), RGB(255, 255, 255)}) {
    Canvas canvas(size, size);
    canvas.fill(background);
    if (!DrawIconEx(canvas.dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL)) {
      const DWORD draw_error = GetLastError();
      DestroyIcon(icon);
      fail_call("DrawIconEx", draw_error);
    }
    (background == 0 ? on_black : on_white) = canvas.bits();
  }
  DestroyIcon(icon);

  IconPixels result{size, {}};
  for (size_t i = 0; i < on_black.size(); ++i) {
    const bool opaque = (on_black[i] & 0xffffff) == (on_white[i] & 0xffffff);
    result.pixels.push_back(opaque ? std::optional<COLORREF>(from_dib(on_black[i])) : std::nullopt);
  }
  return result;
}

double best_icon_match(const IconPixels& icon, const Box& area) {
  const ScreenCapture screen(area);
  double best = 0;
  for (int top = area.y; top + icon.size <= area.y + area.height; ++top) {
    for (int left = area.x; left + icon.size <= area.x + area.width; ++left) {
      int opaque = 0, matching = 0;
      for (int y = 0; y < icon.size; ++y) {
        for (int x = 0; x < icon.size; ++x) {
          const std::optional<COLORREF>& want = icon.pixels[static_cast<size_t>(y) * icon.size + x];
          if (!want) continue;
          ++opaque;
          matching += close_colours(*want, screen.pixel(left + x, top + y));
        }
      }
      if (opaque > 0 && static_cast<double>(matching) / opaque > best) best = static_cast<double>(matching) / opaque;
    }
  }
  return best;
}

std::string colour_text(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

}  // namespace e2e
