// Summaries of the samples of one measure.
#pragma once

#include <vector>

namespace bench {

// The value below which the fraction `q` of the samples lie, interpolating between
// neighbours; q = 0.5 is the median. Samples must not be empty.
double quantile(std::vector<double> samples, double q);

inline double median(const std::vector<double>& samples) { return quantile(samples, 0.5); }

}  // namespace bench
