#include "core.h"

#include "layout.h"
#include "message.h"

namespace rt {

namespace {

const char* template_shape_problem(const Template& source) {
  if (source.units.empty() || source.units[0].kind != UnitKind::window)
    return "its first unit is not a window";
  if (source.units.size() > max_units) return "it has more controls than the runtime holds";
  for (std::size_t i = 1; i < source.units.size(); ++i)
    if (source.units[i].kind == UnitKind::window) return "a control unit is a window";
  return nullptr;
}

Handler bound_handler(const Unit& unit, int event_index) {
  for (const EventBinding& binding : unit.bindings)
    if (binding.event_index == event_index) return binding.handler;
  return nullptr;
}

bool has_caption(UnitKind kind) { return kind == UnitKind::label || kind == UnitKind::push_button; }

}  // namespace

Core::Core(Backend& backend) : backend_(backend) { backend_.attach(this); }

Core::~Core() { backend_.attach(nullptr); }

bool Core::initialise(std::span<const Template* const> templates) {
  const char* problem = nullptr;
  if (templates.size() > max_templates) problem = "there are more templates than the runtime holds";
  for (std::size_t i = 0; i < templates.size() && !problem; ++i) {
    if (templates[i] == nullptr) problem = "a template is missing";
    for (std::size_t j = 0; j < i && !problem; ++j)
      if (templates[j]->id == templates[i]->id) problem = "two templates share one id";
  }
  if (problem) {
    backend_.show_error(Message().add("The window templates cannot be used: ").add(problem).add(".").c_str());
    return false;
  }
  templates_ = templates;
  return true;
}

std::optional<std::size_t> Core::template_index(TemplateId template_id) const {
  for (std::size_t i = 0; i < templates_.size(); ++i)
    if (templates_[i]->id == template_id) return i;
  return std::nullopt;
}

Core::LoadedWindow* Core::loaded(TemplateId template_id) {
  const std::optional<std::size_t> index = template_index(template_id);
  if (!index || loaded_[*index].window == 0) return nullptr;
  return &loaded_[*index];
}

void Core::report_load_failure(WindowRef window, const char* reason) {
  backend_.show_error(Message()
                          .add("The window ")
                          .add_hex(window.template_id)
                          .add(" (unit ")
                          .add_hex(window.unit_id)
                          .add(") could not be loaded: ")
                          .add(reason)
                          .add(".")
                          .c_str());
}

void Core::load_start_window(TemplateId template_id) {
  const std::optional<std::size_t> index = template_index(template_id);
  const UnitId window_unit = index && !templates_[*index]->units.empty() ? templates_[*index]->units[0].id : 0;
  if (!load_window({template_id, window_unit}, std::nullopt, false)) backend_.end_process(-1);
}

// Creates the window and its controls hidden, in record order, and shows the visible controls.
// Returns the reason on failure, with nothing left behind.
const char* Core::build(const Template& source, NativeHandle owner, LoadedWindow& built) {
  const Unit& frame = source.units[0];
  const Point origin = centred_origin(backend_.screen_size(), {frame.width, frame.height});
  built.source = &source;
  built.window = backend_.create_window(source, origin, owner);
  if (built.window == 0) return "the window could not be created";
  for (std::size_t i = 1; i < source.units.size(); ++i) {
    built.controls[i] = backend_.create_control(built.window, source.units[i]);
    if (built.controls[i] == 0) {
      backend_.destroy_now(built.window);
      return "a control could not be created";
    }
  }
  for (std::size_t i = 1; i < source.units.size(); ++i)
    if (source.units[i].visible) backend_.show_control(built.controls[i]);
  return nullptr;
}

bool Core::load_window(WindowRef window, std::optional<WindowRef> parent, bool as_dialog) {
  const std::optional<std::size_t> index = template_index(window.template_id);
  if (!index) return report_load_failure(window, "no template has this id"), false;
  const Template& source = *templates_[*index];
  if (const char* problem = template_shape_problem(source)) return report_load_failure(window, problem), false;
  if (source.units[0].id != window.unit_id)
    return report_load_failure(window, "the unit is not the template's window"), false;
  if (as_dialog) return report_load_failure(window, "modal windows are not supported"), false;

  NativeHandle owner = 0;
  if (parent) {
    const LoadedWindow* parent_window = loaded(parent->template_id);
    if (!parent_window) return report_load_failure(window, "its parent window is not loaded"), false;
    owner = parent_window->window;
  }

  LoadedWindow& slot = loaded_[*index];
  if (slot.window != 0) {
    backend_.restore_or_activate(slot.window);
    return true;
  }

  LoadedWindow built;
  if (const char* problem = build(source, owner, built)) return report_load_failure(window, problem), false;
  // Loaded from here on, so the created handler can already reach the window's controls.
  slot = built;
  if (Handler created = bound_handler(source.units[0], event_created)) created();
  // Destruction is posted, but a handler that shows a message box runs a modal loop that
  // may carry it out: the window can be gone by now.
  if (slot.window != built.window) return true;
  backend_.show_window(slot.window);
  const std::optional<std::size_t> focus = initial_focus(source);
  backend_.set_focus(focus ? slot.controls[*focus] : slot.window);
  return true;
}

bool Core::destroy_window(WindowRef window) {
  LoadedWindow* target = loaded(window.template_id);
  if (!target || target->source->units[0].id != window.unit_id) return false;
  return backend_.post_destroy(target->window);
}

void Core::run_event_loop() {
  while (loaded_count() > 0 && backend_.dispatch_next()) {
  }
}

bool Core::set_control_property(TemplateId template_id, UnitId control, int property_index,
                                int element_index, const char* value) {
  LoadedWindow* target = loaded(template_id);
  if (!target || property_index != property_caption || element_index != no_element || value == nullptr)
    return false;
  const std::span<const Unit> units = target->source->units;
  for (std::size_t i = 1; i < units.size(); ++i)
    if (units[i].id == control) return has_caption(units[i].kind) && backend_.set_control_text(target->controls[i], value);
  return false;
}

std::size_t Core::loaded_count() const {
  std::size_t count = 0;
  for (std::size_t i = 0; i < templates_.size(); ++i) count += loaded_[i].window != 0;
  return count;
}

bool Core::is_loaded(TemplateId template_id) const {
  const std::optional<std::size_t> index = template_index(template_id);
  return index && loaded_[*index].window != 0;
}

void Core::on_control_event(NativeHandle control, int event_index) {
  if (control == 0) return;
  for (std::size_t w = 0; w < templates_.size(); ++w) {
    const LoadedWindow& slot = loaded_[w];
    if (slot.window == 0) continue;
    for (std::size_t i = 1; i < slot.source->units.size(); ++i) {
      if (slot.controls[i] != control) continue;
      // Look the handler up before calling it: the handler may change the loaded set.
      if (Handler handler = bound_handler(slot.source->units[i], event_index)) handler();
      return;
    }
  }
}

void Core::on_window_destroyed(NativeHandle window) {
  for (std::size_t i = 0; i < templates_.size(); ++i)
    if (window != 0 && loaded_[i].window == window) loaded_[i] = LoadedWindow{};
}

}  // namespace rt
