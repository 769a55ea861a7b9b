// The program's entry routine: the runtime calls it once after its own start-up and ends
// the process with the value it returns.
#pragma once

#include <cstdint>

std::int32_t app_main();
