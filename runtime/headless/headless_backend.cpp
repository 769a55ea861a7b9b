#include "headless_backend.h"

#include <algorithm>

namespace rt {

HeadlessBackend::Element* HeadlessBackend::live(NativeHandle handle) {
  if (handle == 0 || handle > elements_.size()) return nullptr;
  Element& found = elements_[handle - 1];
  return found.alive ? &found : nullptr;
}

NativeHandle HeadlessBackend::window_handle(TemplateId template_id) const {
  for (std::size_t i = 0; i < elements_.size(); ++i) {
    const Element& e = elements_[i];
    if (e.alive && e.parent == 0 && e.template_id == template_id) return i + 1;
  }
  return 0;
}

NativeHandle HeadlessBackend::control_handle(TemplateId template_id, UnitId unit_id) const {
  const NativeHandle window = window_handle(template_id);
  if (window == 0) return 0;
  for (NativeHandle child : element(window).children)
    if (element(child).unit->id == unit_id) return child;
  return 0;
}

const HeadlessBackend::Element* HeadlessBackend::window(TemplateId template_id) const {
  const NativeHandle handle = window_handle(template_id);
  return handle ? &element(handle) : nullptr;
}

const HeadlessBackend::Element* HeadlessBackend::control(TemplateId template_id, UnitId unit_id) const {
  const NativeHandle handle = control_handle(template_id, unit_id);
  return handle ? &element(handle) : nullptr;
}

std::size_t HeadlessBackend::live_windows() const {
  return static_cast<std::size_t>(
      std::count_if(elements_.begin(), elements_.end(), [](const Element& e) { return e.alive && e.parent == 0; }));
}

void HeadlessBackend::click(TemplateId template_id, UnitId unit_id) {
  const NativeHandle button = control_handle(template_id, unit_id);
  if (button == 0) return;
  const Element& e = element(button);
  if (e.unit->kind != UnitKind::push_button || !e.visible || e.unit->disabled || !element(e.parent).visible) return;
  if (sink_) sink_->on_control_event(button, event_clicked);
}

void HeadlessBackend::close(TemplateId template_id) {
  if (const NativeHandle handle = window_handle(template_id)) destroy(handle);
}

void HeadlessBackend::minimise(TemplateId template_id) {
  if (Element* e = live(window_handle(template_id))) e->minimised = true;
}

void HeadlessBackend::queue_click(TemplateId template_id, UnitId unit_id) {
  queue_.push_back([this, template_id, unit_id] { click(template_id, unit_id); });
}

void HeadlessBackend::queue_close(TemplateId template_id) {
  queue_.push_back([this, template_id] { close(template_id); });
}

NativeHandle HeadlessBackend::create_window(const Template& source, Point origin, NativeHandle owner) {
  if (failing_window_ == source.id) {
    failure_pending_ = true;
    return 0;
  }
  Element e;
  e.owner = owner;
  e.unit = &source.units[0];
  e.template_id = source.id;
  e.text = e.unit->text;
  e.origin = origin;
  elements_.push_back(e);
  ++windows_created_;
  return elements_.size();
}

NativeHandle HeadlessBackend::create_control(NativeHandle window, const Unit& unit) {
  Element* parent = live(window);
  if (parent == nullptr || failing_control_ == unit.id) {
    failure_pending_ = true;
    return 0;
  }
  Element e;
  e.parent = window;
  e.unit = &unit;
  e.template_id = parent->template_id;
  e.text = unit.text;
  elements_.push_back(e);  // invalidates `parent`
  const NativeHandle handle = elements_.size();
  elements_[window - 1].children.push_back(handle);
  return handle;
}

void HeadlessBackend::show_control(NativeHandle control) {
  if (Element* e = live(control)) e->visible = true;
}

void HeadlessBackend::show_window(NativeHandle window) {
  if (Element* e = live(window)) {
    e->visible = true;
    active_ = window;
    focus_ = window;
  }
}

void HeadlessBackend::set_focus(NativeHandle target) {
  if (live(target)) focus_ = target;
}

void HeadlessBackend::restore_or_activate(NativeHandle window) {
  if (Element* e = live(window)) {
    e->minimised = false;
    active_ = window;
  }
}

bool HeadlessBackend::set_control_text(NativeHandle control, const char* gbk_text) {
  Element* e = live(control);
  if (e == nullptr || e->parent == 0) return false;
  e->text = gbk_text;
  return true;
}

bool HeadlessBackend::post_destroy(NativeHandle window) {
  if (!live(window)) return false;
  queue_.push_back([this, window] { destroy(window); });
  return true;
}

void HeadlessBackend::destroy_now(NativeHandle window) { destroy(window); }

void HeadlessBackend::destroy(NativeHandle window) {
  Element* e = live(window);
  if (e == nullptr) return;  // already gone: a late request is dropped, as a window system drops it
  for (NativeHandle child : e->children) elements_[child - 1].alive = false;
  e->alive = false;
  if (focus_ == window || (focus_ && elements_[focus_ - 1].parent == window)) focus_ = 0;
  if (active_ == window) active_ = 0;
  if (sink_) sink_->on_window_destroyed(window);
}

bool HeadlessBackend::dispatch_next() {
  if (queue_.empty()) return false;  // no user is left to act
  auto event = std::move(queue_.front());
  queue_.pop_front();
  event();
  return true;
}

void HeadlessBackend::show_error(const char* message) {
  std::string shown = message;
  if (failure_pending_) shown += " (creation failed)";
  failure_pending_ = false;
  errors_.push_back(shown);
}

void HeadlessBackend::end_process(int exit_code) { throw ProcessEnded{exit_code}; }

}  // namespace rt
