// Texts handed out by the runtime.
#pragma once

#include <cstddef>

namespace rt {

// How many texts the runtime has handed out and not yet had back.
std::size_t texts_outstanding();

}  // namespace rt
