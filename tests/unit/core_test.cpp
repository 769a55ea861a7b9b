// The runtime core on the headless backend: building, loading, destroying and the event loop.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fixtures.h"
#include "runtime/core/session.h"

namespace {

using namespace fixtures;
using rt::HeadlessBackend;

class CoreTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(rt::initialise_application(all_templates)); }

  rt::Core& core() { return session.core(); }

  HeadlessBackend backend{{1000, 700}};
  rt::Session session{backend};
  Watch watch{backend};
};

TEST_F(CoreTest, BuildsTheWindowFromItsTemplate) {
  ASSERT_TRUE(rt::load_window(form_ref, std::nullopt, false));

  const rt::NativeHandle handle = backend.window_handle(form_template);
  ASSERT_NE(handle, 0u);
  const HeadlessBackend::Element& window = backend.element(handle);
  EXPECT_TRUE(window.visible);
  EXPECT_EQ(window.text, "Form");
  EXPECT_EQ(window.owner, 0u);
  // Centred on the backend's screen; the stored left and top play no part.
  EXPECT_EQ(window.origin.x, (1000 - 300) / 2);
  EXPECT_EQ(window.origin.y, (700 - 200) / 2);

  // Controls in record order (the z-order), the visible ones shown.
  std::vector<rt::UnitId> order;
  for (rt::NativeHandle child : window.children) {
    const HeadlessBackend::Element& control = backend.element(child);
    order.push_back(control.unit->id);
    EXPECT_EQ(control.visible, control.unit->visible) << std::hex << control.unit->id;
  }
  EXPECT_EQ(order, (std::vector<rt::UnitId>{form_label, form_edit, form_button, form_hidden_button}));

  EXPECT_EQ(backend.focus(), backend.control_handle(form_template, form_button));
  EXPECT_EQ(backend.active(), handle);
  EXPECT_EQ(backend.windows_created(), 1u);
  EXPECT_TRUE(backend.errors().empty());
  EXPECT_TRUE(core().is_loaded(form_template));
}

TEST_F(CoreTest, CreatedEventFiresBeforeTheWindowShows) {
  ASSERT_TRUE(rt::load_window(form_ref, std::nullopt, false));

  EXPECT_EQ(form_created.calls, 1);
  EXPECT_FALSE(form_created.window_was_visible);
  EXPECT_TRUE(form_created.label_was_visible);  // controls are shown first
  EXPECT_TRUE(form_created.caption_was_set);    // and already reachable by id
  EXPECT_EQ(backend.control(form_template, form_label)->text, caption_from_created);
}

TEST_F(CoreTest, FocusGoesToTheWindowWhenNoControlCanTakeIt) {
  ASSERT_TRUE(rt::load_window(bare_ref, std::nullopt, false));
  EXPECT_EQ(backend.focus(), backend.window_handle(bare_template));
  EXPECT_EQ(backend.window(bare_template)->origin.x, (1000 - 121) / 2);
  EXPECT_EQ(backend.window(bare_template)->origin.y, (700 - 81) / 2);
}

TEST_F(CoreTest, ParentWindowBecomesTheOwner) {
  ASSERT_TRUE(rt::load_window(form_ref, std::nullopt, false));
  ASSERT_TRUE(rt::load_window(bare_ref, form_ref, false));
  EXPECT_EQ(backend.window(bare_template)->owner, backend.window_handle(form_template));
}

TEST_F(CoreTest, DestructionIsPostedForTheEventLoop) {
  ASSERT_TRUE(rt::load_window(form_ref, std::nullopt, false));

  EXPECT_TRUE(rt::destroy_window(form_ref));
  EXPECT_NE(backend.window(form_template), nullptr);
  EXPECT_TRUE(core().is_loaded(form_template));
  EXPECT_EQ(backend.pending_events(), 1u);

  rt::run_event_loop();
  EXPECT_EQ(backend.window(form_template), nullptr);
  EXPECT_EQ(backend.live_windows(), 0u);
  EXPECT_EQ(core().loaded_count(), 0u);
  EXPECT_EQ(backend.pending_events(), 0u);
}

TEST_F(CoreTest, DestroyingAWindowThatIsNotLoadedDoesNothing) {
  ASSERT_TRUE(rt::load_window(form_ref, std::nullopt, false));

  EXPECT_FALSE(rt::destroy_window(bare_ref));                           // never loaded
  EXPECT_FALSE(rt::destroy_window({unknown_template, form_window}));    // no such template
  EXPECT_FALSE(rt::destroy_window({form_template, form_label}));        // a control, not the window
  EXPECT_EQ(backend.pending_events(), 0u);

  ASSERT_TRUE(rt::destroy_window(form_ref));
  rt::run_event_loop();
  EXPECT_FALSE(rt::destroy_window(form_ref));  // already destroyed
  EXPECT_EQ(backend.pending_events(), 0u);
  EXPECT_TRUE(backend.errors().empty());
}

TEST_F(CoreTest, LoadingALoadedWindowRestoresOrActivatesIt) {
  ASSERT_TRUE(rt::load_window(form_ref, std::nullopt, false));
  const rt::NativeHandle form_handle = backend.window_handle(form_template);

  backend.minimise(form_template);
  EXPECT_TRUE(rt::load_window(form_ref, std::nullopt, false));
  EXPECT_FALSE(backend.element(form_handle).minimised);

  ASSERT_TRUE(rt::load_window(bare_ref, std::nullopt, false));
  ASSERT_EQ(backend.active(), backend.window_handle(bare_template));
  EXPECT_TRUE(rt::load_window(form_ref, std::nullopt, false));
  EXPECT_EQ(backend.active(), form_handle);

  EXPECT_EQ(backend.windows_created(), 2u);  // the form was built once
  EXPECT_EQ(form_created.calls, 1);
  EXPECT_EQ(backend.window_handle(form_template), form_handle);
  EXPECT_TRUE(backend.errors().empty());
}

TEST_F(CoreTest, EventLoopEndsWhenTheLastLoadedWindowIsGone) {
  ASSERT_TRUE(rt::load_window(form_ref, std::nullopt, false));
  ASSERT_TRUE(rt::load_window(bare_ref, std::nullopt, false));
  backend.queue_close(bare_template);
  backend.queue_close(form_template);
  backend.queue_click(form_template, form_button);  // must not be dispatched

  rt::run_event_loop();
  EXPECT_EQ(core().loaded_count(), 0u);
  EXPECT_EQ(backend.pending_events(), 1u);

  rt::run_event_loop();  // nothing loaded: returns without dispatching
  EXPECT_EQ(backend.pending_events(), 1u);
}

TEST_F(CoreTest, SetControlPropertyRejectsUnusableCallsAndChangesNothing) {
  ASSERT_TRUE(rt::load_window(form_ref, std::nullopt, false));

  struct Call {
    const char* what;
    rt::TemplateId template_id;
    rt::UnitId control;
    int property_index;
    int element_index;
    const char* value;
  };
  const int caption = rt::property_caption;
  const Call rejected[] = {
      {"missing control", form_template, 0x1a0000ff, caption, rt::no_element, "x"},
      {"the window's own unit", form_template, form_window, caption, rt::no_element, "x"},
      {"unknown property index", form_template, form_label, caption - 1, rt::no_element, "x"},
      {"element of a control array", form_template, form_label, caption, 0, "x"},
      {"null value", form_template, form_label, caption, rt::no_element, nullptr},
      {"window not loaded", bare_template, bare_label, caption, rt::no_element, "x"},
      {"unknown template", unknown_template, form_label, caption, rt::no_element, "x"},
      {"an edit box has no caption", form_template, form_edit, caption, rt::no_element, "x"},
  };

  auto texts = [this] {
    std::vector<std::string> all{backend.window(form_template)->text};
    for (rt::NativeHandle child : backend.window(form_template)->children) all.push_back(backend.element(child).text);
    return all;
  };
  const std::vector<std::string> before = texts();
  for (const Call& c : rejected) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(rt::set_control_property(c.template_id, c.control, c.property_index, c.element_index, c.value));
    EXPECT_EQ(texts(), before);
  }
  EXPECT_TRUE(backend.errors().empty());

  // The same calls made usable do take effect, on a label and on a push button.
  EXPECT_TRUE(rt::set_control_property(form_template, form_label, caption, rt::no_element, "label text"));
  EXPECT_TRUE(rt::set_control_property(form_template, form_button, caption, rt::no_element, "button text"));
  EXPECT_EQ(backend.control(form_template, form_label)->text, "label text");
  EXPECT_EQ(backend.control(form_template, form_button)->text, "button text");
}

// Each failure shows one error naming the window's template id and leaves no window behind.
TEST(CoreLoadFailure, ShowsOneErrorNamingTheWindowAndReturnsFalse) {
  struct Case {
    const char* what;
    std::function<void(HeadlessBackend&)> arrange;
    rt::WindowRef window;
    std::optional<rt::WindowRef> parent;
    bool as_dialog;
    std::size_t windows_created;
  };
  const auto nothing = [](HeadlessBackend&) {};
  const Case cases[] = {
      {"unknown template id", nothing, {unknown_template, form_window}, std::nullopt, false, 0},
      {"unit id is not the window's", nothing, {form_template, form_button}, std::nullopt, false, 0},
      {"first unit is not a window", nothing, {label_first_template, 0x1a0000d1}, std::nullopt, false, 0},
      {"window creation fails", [](HeadlessBackend& b) { b.fail_window_creation(form_template); }, form_ref,
       std::nullopt, false, 0},
      {"control creation fails", [](HeadlessBackend& b) { b.fail_control_creation(form_button); }, form_ref,
       std::nullopt, false, 1},
      {"as a dialog", nothing, form_ref, std::nullopt, true, 0},
      {"parent not loaded", nothing, form_ref, bare_ref, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HeadlessBackend backend;
    rt::Session session(backend);
    Watch watch(backend);
    ASSERT_TRUE(rt::initialise_application(all_templates));
    c.arrange(backend);

    EXPECT_FALSE(rt::load_window(c.window, c.parent, c.as_dialog));
    ASSERT_EQ(backend.errors().size(), 1u);
    EXPECT_NE(backend.errors()[0].find(hex_id(c.window.template_id)), std::string::npos) << backend.errors()[0];
    EXPECT_EQ(backend.windows_created(), c.windows_created);
    EXPECT_EQ(backend.live_windows(), 0u);  // a half-built window is destroyed again
    EXPECT_FALSE(session.core().is_loaded(c.window.template_id));
    EXPECT_EQ(form_created.calls, 0);
  }
}

// A template may hold as many units as the runtime keeps controls for, and no more.
TEST(CoreLoad, TakesTemplatesUpToTheUnitCapacity) {
  for (const std::size_t count : {rt::max_units, rt::max_units + 1}) {
    SCOPED_TRACE(count);
    std::vector<rt::Unit> units{{.id = 1, .kind = rt::UnitKind::window, .width = 100, .height = 100}};
    while (units.size() < count)
      units.push_back({.id = static_cast<rt::UnitId>(units.size() + 1), .kind = rt::UnitKind::push_button});
    const rt::Template big{0x7a0000aa, units};
    const rt::Template* const table[] = {&big};

    HeadlessBackend backend;
    rt::Session session(backend);
    ASSERT_TRUE(rt::initialise_application(table));
    const bool fits = count <= rt::max_units;
    EXPECT_EQ(rt::load_window({big.id, 1}, std::nullopt, false), fits);
    EXPECT_EQ(backend.errors().size(), fits ? 0u : 1u);
    if (fits) {
      EXPECT_EQ(backend.window(big.id)->children.size(), count - 1);
    }
    EXPECT_EQ(backend.live_windows(), fits ? 1u : 0u);
  }
}

TEST(CoreInitialise, RejectsAnUnusableTemplateTable) {
  std::vector<rt::Template> many;
  for (std::size_t i = 0; i <= rt::max_templates; ++i)
    many.push_back({static_cast<rt::TemplateId>(0x7b000000 + i), bare_units});
  const rt::Template same_id_as_form{form_template, bare_units};

  struct Case {
    const char* what;
    std::vector<const rt::Template*> table;
    bool usable;
  };
  std::vector<const rt::Template*> most{&form};
  for (std::size_t i = 1; i < rt::max_templates; ++i) most.push_back(&many[i]);
  std::vector<const rt::Template*> too_many = most;
  too_many.push_back(&many[0]);
  const Case cases[] = {
      {"as many templates as the runtime holds", most, true},
      {"one template more", too_many, false},
      {"a repeated id", {&form, &bare, &same_id_as_form}, false},
      {"a missing template", {&form, nullptr}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HeadlessBackend backend;
    rt::Session session(backend);
    EXPECT_EQ(rt::initialise_application(c.table), c.usable);
    EXPECT_EQ(backend.errors().size(), c.usable ? 0u : 1u);
    // A rejected table makes no template known.
    EXPECT_EQ(rt::load_window(form_ref, std::nullopt, false), c.usable);
  }
}

}  // namespace
