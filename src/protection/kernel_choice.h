#pragma once

#include <cstddef>
#include <vector>

#include "runtime/processor_features.h"

namespace velunor {

// The choice among a text format's sets of inner loops (Base64Kernels,
// HexKernels): each set with the processor feature it needs, or nullptr
// for the portable loops.
template <class Kernels>
struct KernelOption {
  bool TProcessorFeatures::*needs;
  Kernels kernels;
};

// The sets this processor can run, in the order given (best first,
// portable last).
template <class Kernels, std::size_t kCount>
std::vector<Kernels> RunnableKernels(const KernelOption<Kernels> (&options)[kCount]) {
  std::vector<Kernels> runnable;
  for (const KernelOption<Kernels>& option : options) {
    if (option.needs == nullptr || ProcessorFeatures().*option.needs)
      runnable.push_back(option.kernels);
  }
  return runnable;
}

// The best set this processor can run, chosen at first use.
template <auto& kOptions>
const auto& ChosenKernels() {
  static const auto chosen = RunnableKernels(kOptions).front();
  return chosen;
}

}  // namespace velunor
