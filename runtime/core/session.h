// Binds the runtime operations to one core for the life of a program run.
#pragma once

#include <cstdint>

#include "backend.h"
#include "core.h"

namespace rt {

// While a Session lives, the free runtime operations act on its core.
class Session {
 public:
  explicit Session(Backend& backend);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Core& core() { return core_; }

 private:
  Core core_;
  Session* previous_;
};

// Runs the program's entry routine on the backend and returns its exit code.
std::int32_t run_program(Backend& backend);

}  // namespace rt
