// The program's two window templates and its message text, checked against what the windows
// must look like. GBK texts are decoded with iconv so that a wrong byte shows as a wrong
// character.
#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "app/handlers/handlers.h"
#include "app/handlers/message_text.h"
#include "app/templates/templates.h"

namespace {

using rt::UnitKind;

// Decodes GBK bytes to UTF-8; nothing when they are not valid GBK.
std::optional<std::string> gbk_to_utf8(std::string_view gbk) {
  iconv_t converter = iconv_open("UTF-8", "GBK");
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    ADD_FAILURE() << "iconv cannot convert from GBK: " << std::strerror(errno);
    return std::nullopt;
  }
  std::string utf8(gbk.size() * 3 / 2 + 4, '\0');  // a GBK character is at most 2 bytes, 3 in UTF-8
  char* in = const_cast<char*>(gbk.data());
  std::size_t in_left = gbk.size();
  char* out = utf8.data();
  std::size_t out_left = utf8.size();
  const bool converted = iconv(converter, &in, &in_left, &out, &out_left) != static_cast<std::size_t>(-1);
  iconv_close(converter);
  if (!converted || in_left != 0) return std::nullopt;
  utf8.resize(utf8.size() - out_left);
  return utf8;
}

std::string utf8(std::u8string_view text) { return {text.begin(), text.end()}; }

struct ExpectedUnit {
  const rt::Template* source;
  rt::UnitId id;
  UnitKind kind;
  std::u8string_view name;
  int left, top, width, height;
  bool tab_stop;
  std::u8string_view text;
  rt::Handler handler;  // bound to event 0, or none
};

TEST(Templates, HoldTheUnitsOfBothWindows) {
  const rt::Template* main = &app::main_window;
  const rt::Template* message = &app::message_window;
  EXPECT_EQ(main->id, 0x52010001u);
  EXPECT_EQ(message->id, 0x5201002eu);
  const auto registered = app::all_templates();
  EXPECT_TRUE(std::ranges::equal(registered, std::initializer_list<const rt::Template*>{main, message}));

  // Every unit in record order; all visible, none disabled, all tab-order numbers 0.
  const ExpectedUnit expected[] = {
      {main, 0x06010000, UnitKind::window, u8"", 50, 50, 209, 156, false, u8"Varnholt", nullptr},
      {main, 0x16010069, UnitKind::label, u8"标签1", 120, 104, 80, 16, false, u8"Quellin", nullptr},
      {main, 0x16010009, UnitKind::edit_box, u8"编辑框1", 56, 8, 104, 32, true, u8"", nullptr},
      {main, 0x16010008, UnitKind::push_button, u8"按钮1", 64, 64, 72, 32, true, u8"按钮", app::button_handler},
      {message, 0x0601002d, UnitKind::window, u8"", 50, 50, 213, 115, false, u8"", app::message_window_handler},
      {message, 0x1601002f, UnitKind::label, u8"标签1", 32, 24, 136, 32, false, u8"", nullptr},
  };
  std::size_t main_units = 0, message_units = 0;
  for (const ExpectedUnit& e : expected) {
    std::size_t& index = e.source == main ? main_units : message_units;
    ASSERT_LT(index, e.source->units.size());
    const rt::Unit& unit = e.source->units[index++];
    SCOPED_TRACE(testing::Message() << "unit 0x" << std::hex << e.id);
    EXPECT_EQ(unit.id, e.id);
    EXPECT_EQ(unit.kind, e.kind);
    EXPECT_EQ(gbk_to_utf8(unit.name), utf8(e.name));
    EXPECT_EQ(gbk_to_utf8(unit.text), utf8(e.text));
    EXPECT_EQ(unit.left, e.left);
    EXPECT_EQ(unit.top, e.top);
    EXPECT_EQ(unit.width, e.width);
    EXPECT_EQ(unit.height, e.height);
    EXPECT_TRUE(unit.visible);
    EXPECT_FALSE(unit.disabled);
    EXPECT_EQ(unit.tab_stop, e.tab_stop);
    EXPECT_EQ(unit.tab_order, 0);
    if (e.handler == nullptr) {
      EXPECT_TRUE(unit.bindings.empty());
    } else {
      ASSERT_EQ(unit.bindings.size(), 1u);
      EXPECT_EQ(unit.bindings[0].event_index, 0);  // created on a window, clicked on a button
      EXPECT_EQ(unit.bindings[0].handler, e.handler);
    }
  }
  EXPECT_EQ(main_units, main->units.size());
  EXPECT_EQ(message_units, message->units.size());
}

TEST(MessageText, IsOneLineOfFifteenGbkBytes) {
  const std::string_view bytes(reinterpret_cast<const char*>(app::message_text), sizeof app::message_text);
  EXPECT_EQ(bytes.size(), 15u);
  EXPECT_EQ(bytes.find('\0'), std::string_view::npos);
  EXPECT_EQ(gbk_to_utf8(bytes), utf8(u8"欢迎使用本程序!"));  // seven characters and "!"
}

}  // namespace
