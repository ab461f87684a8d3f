// SPDX-License-Identifier: MIT
#include "engine/list_functions.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace engine {
namespace {

// Sums run in argument order from 0, products from 1, so results match a hand calculation.
double Sum(std::span<const double> v) {
  double sum = 0.0;
  for (double x : v) sum += x;
  return sum;
}

double SumOfSquares(std::span<const double> v) {
  double sum = 0.0;
  for (double x : v) sum += x * x;
  return sum;
}

double Product(std::span<const double> v) {
  double product = 1.0;
  for (double x : v) product *= x;
  return product;
}

double ProductOfSquares(std::span<const double> v) {
  double product = 1.0;
  for (double x : v) product *= x * x;
  return product;
}

double Median(std::span<const double> v) {
  std::vector<double> sorted(v.begin(), v.end());
  std::sort(sorted.begin(), sorted.end());
  std::size_t middle = sorted.size() / 2;
  return sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

}  // namespace

double ListFunctionValue(Tok name, std::span<const double> values) {
  const double m = static_cast<double>(values.size());
  switch (name) {
    case Tok::Count: return m;
    case Tok::Min: return *std::min_element(values.begin(), values.end());
    case Tok::Max: return *std::max_element(values.begin(), values.end());
    case Tok::Avg:
    case Tok::Mean: return Sum(values) / m;
    case Tok::GeomMean: return std::pow(Product(values), 1.0 / m);
    case Tok::Median: return Median(values);
    case Tok::Sum: return Sum(values);
    case Tok::Sum2: return SumOfSquares(values);
    case Tok::Prod: return Product(values);
    case Tok::Prod2: return ProductOfSquares(values);
    case Tok::Stddev: {
      // Sample deviation: a single value gives 0/0.
      double sum = Sum(values);
      return std::sqrt((SumOfSquares(values) - sum * sum / m) / (m - 1));
    }
    default: return 0.0;
  }
}

}  // namespace engine
