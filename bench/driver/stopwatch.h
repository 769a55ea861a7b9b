// Elapsed time on the high-resolution performance counter.
#pragma once

#include <windows.h>

namespace bench {

class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }

  double elapsed_ms() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 / static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_;
  LARGE_INTEGER start_;
};

}  // namespace bench
