#include "statistics.h"

#include <algorithm>

namespace bench {

double quantile(std::vector<double> samples, double q) {
  std::sort(samples.begin(), samples.end());
  const double position = q * static_cast<double>(samples.size() - 1);
  const size_t below = static_cast<size_t>(position);
  if (below + 1 >= samples.size()) return samples.back();
  const double fraction = position - static_cast<double>(below);
  return samples[below] + fraction * (samples[below + 1] - samples[below]);
}

}  // namespace bench
