// The whole program on the headless backend: start-up, the button's road and its failures.
//
// The headless event loop also returns once no scripted input is left, so a test can run
// app_main() inside a Session, act, and run the loop again to let posted work happen.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "app/handlers/message_text.h"
#include "app/templates/window_ids.h"
#include "fixtures.h"
#include "runtime/core/session.h"
#include "runtime/core/text.h"
#include "runtime/entry.h"

namespace {

using fixtures::hex_id;
using rt::HeadlessBackend;

constexpr rt::TemplateId main_window = 0x52010001;
constexpr rt::TemplateId message_window = 0x5201002e;
constexpr rt::UnitId main_label = 0x16010069;
constexpr rt::UnitId main_edit = 0x16010009;
constexpr rt::UnitId main_button = 0x16010008;
constexpr rt::UnitId message_label = 0x1601002f;

const std::string message_bytes(reinterpret_cast<const char*>(app::message_text), sizeof app::message_text);

TEST(Program, StartShowsTheMainWindowCentredWithTheFocusOnTheButton) {
  struct Screen {
    rt::Size size;
    rt::Point origin;
  };
  for (const Screen screen : {Screen{{1024, 768}, {407, 306}}, Screen{{800, 600}, {295, 222}}}) {
    SCOPED_TRACE(screen.size.width);
    HeadlessBackend backend(screen.size);
    EXPECT_EQ(rt::run_program(backend), 0);

    const HeadlessBackend::Element* window = backend.window(main_window);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->visible);
    EXPECT_EQ(window->text, "Varnholt");
    EXPECT_EQ(window->origin.x, screen.origin.x);
    EXPECT_EQ(window->origin.y, screen.origin.y);
    ASSERT_EQ(window->children.size(), 3u);
    EXPECT_EQ(backend.element(window->children[0]).unit->id, main_label);
    EXPECT_EQ(backend.element(window->children[1]).unit->id, main_edit);
    EXPECT_EQ(backend.element(window->children[2]).unit->id, main_button);
    for (rt::NativeHandle child : window->children) EXPECT_TRUE(backend.element(child).visible);
    EXPECT_EQ(backend.control(main_window, main_label)->text, "Quellin");
    EXPECT_EQ(backend.focus(), backend.control_handle(main_window, main_button));
    EXPECT_EQ(backend.windows_created(), 1u);
    EXPECT_TRUE(backend.errors().empty());
  }
}

TEST(Program, ClosingTheMainWindowAtOnceEndsWithZero) {
  HeadlessBackend backend;
  backend.queue_close(main_window);
  backend.queue_close(message_window);  // left over: the loop ends with the last window

  EXPECT_EQ(rt::run_program(backend), 0);
  EXPECT_EQ(backend.pending_events(), 1u);
  EXPECT_EQ(backend.windows_created(), 1u);  // the message window never came
  EXPECT_EQ(backend.live_windows(), 0u);
  EXPECT_TRUE(backend.errors().empty());
}

TEST(Program, TheButtonReplacesTheMainWindowByTheMessageWindow) {
  HeadlessBackend backend;
  rt::Session session(backend);
  ASSERT_EQ(app_main(), 0);
  ASSERT_NE(backend.window(main_window), nullptr);

  backend.click(main_window, main_button);
  // Destruction is posted: right after the handler both windows are there.
  EXPECT_NE(backend.window(main_window), nullptr);
  ASSERT_NE(backend.window(message_window), nullptr);
  EXPECT_TRUE(backend.window(message_window)->visible);
  EXPECT_EQ(session.core().loaded_count(), 2u);

  rt::run_event_loop();
  EXPECT_EQ(backend.live_windows(), 1u);
  EXPECT_EQ(backend.window(main_window), nullptr);
  EXPECT_EQ(session.core().loaded_count(), 1u);
  const HeadlessBackend::Element* message = backend.window(message_window);
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(message->text, "");
  EXPECT_EQ(message->origin.x, (1024 - 213) / 2);
  EXPECT_EQ(message->origin.y, (768 - 115) / 2);
  EXPECT_EQ(backend.focus(), backend.window_handle(message_window));  // a label takes no focus
  EXPECT_EQ(backend.control(message_window, message_label)->text, message_bytes);
  EXPECT_EQ(backend.control(message_window, message_label)->text.size(), 15u);
  EXPECT_EQ(rt::texts_outstanding(), 0u);  // the text was released (once: ASan sees a second free)
  EXPECT_TRUE(backend.errors().empty());
}

TEST(Program, ClosingTheMessageWindowEndsWithZero) {
  HeadlessBackend backend;
  backend.queue_click(main_window, main_button);
  backend.queue_close(message_window);
  backend.queue_close(main_window);  // left over: the loop ends with the last window

  EXPECT_EQ(rt::run_program(backend), 0);
  EXPECT_EQ(backend.pending_events(), 1u);
  EXPECT_EQ(backend.windows_created(), 2u);
  EXPECT_EQ(backend.live_windows(), 0u);
  EXPECT_EQ(rt::texts_outstanding(), 0u);
  EXPECT_TRUE(backend.errors().empty());
}

TEST(Program, ADoubleClickOpensOneMessageWindow) {
  HeadlessBackend backend;
  // Both clicks come before the loop gets to the posted destruction of the main window.
  backend.queue_click(main_window, main_button);
  backend.queue_click(main_window, main_button);

  EXPECT_EQ(rt::run_program(backend), 0);
  EXPECT_EQ(backend.windows_created(), 2u);
  EXPECT_EQ(backend.window(main_window), nullptr);
  ASSERT_NE(backend.window(message_window), nullptr);
  EXPECT_EQ(backend.live_windows(), 1u);
  EXPECT_EQ(backend.control(message_window, message_label)->text, message_bytes);
  EXPECT_EQ(rt::texts_outstanding(), 0u);
  EXPECT_TRUE(backend.errors().empty());
}

TEST(Program, EndsWithMinusOneWhenTheStartWindowCannotBeBuilt) {
  const std::function<void(HeadlessBackend&)> faults[] = {
      [](HeadlessBackend& b) { b.fail_window_creation(main_window); },
      [](HeadlessBackend& b) { b.fail_control_creation(main_button); },
  };
  for (const auto& fault : faults) {
    HeadlessBackend backend;
    fault(backend);
    backend.queue_close(main_window);  // would be used up if the loop ran

    std::optional<int> exit_code;
    try {
      rt::run_program(backend);
    } catch (const rt::ProcessEnded& ended) {
      exit_code = ended.exit_code;
    }
    EXPECT_EQ(exit_code, -1);
    ASSERT_EQ(backend.errors().size(), 1u);
    EXPECT_NE(backend.errors()[0].find(hex_id(main_window)), std::string::npos) << backend.errors()[0];
    EXPECT_EQ(backend.pending_events(), 1u);
    EXPECT_EQ(backend.live_windows(), 0u);
  }
}

TEST(Program, KeepsTheMainWindowWhenTheMessageWindowCannotBeLoaded) {
  HeadlessBackend backend;
  backend.fail_window_creation(message_window);
  rt::Session session(backend);
  ASSERT_EQ(app_main(), 0);

  backend.click(main_window, main_button);
  ASSERT_EQ(backend.errors().size(), 1u);
  EXPECT_NE(backend.errors()[0].find(hex_id(message_window)), std::string::npos) << backend.errors()[0];
  EXPECT_EQ(backend.pending_events(), 0u);  // no destruction was posted
  EXPECT_EQ(rt::texts_outstanding(), 0u);

  rt::run_event_loop();
  ASSERT_NE(backend.window(main_window), nullptr);
  EXPECT_TRUE(backend.window(main_window)->visible);
  EXPECT_EQ(backend.live_windows(), 1u);
  EXPECT_EQ(backend.windows_created(), 1u);

  // Still usable: the button reports again, and closing the window ends the loop.
  backend.click(main_window, main_button);
  EXPECT_EQ(backend.errors().size(), 2u);
  backend.queue_close(main_window);
  backend.queue_close(main_window);  // left over
  rt::run_event_loop();
  EXPECT_EQ(session.core().loaded_count(), 0u);
  EXPECT_EQ(backend.pending_events(), 1u);
}

}  // namespace
