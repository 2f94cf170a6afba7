#pragma once
// Durations of repeated runs of one operation, in milliseconds.

#include <chrono>
#include <cstddef>
#include <vector>

class Samples {
public:
  void add(double milliseconds) { values.push_back(milliseconds); }
  std::size_t count() const { return values.size(); }
  double median() const { return percentile(50.0); }
  // Nearest-rank percentile, 0 < percent <= 100; 0 when there are no samples.
  double percentile(double percent) const;

  // Times one run of the operation and keeps its duration.
  template <typename Operation> void time(Operation operation) {
    const auto start = std::chrono::steady_clock::now();
    operation();
    const auto end = std::chrono::steady_clock::now();
    add(std::chrono::duration<double, std::milli>(end - start).count());
  }

private:
  std::vector<double> values;
};
