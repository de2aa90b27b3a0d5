#pragma once

namespace velunor {

// The instruction sets beyond its architecture's baseline that this
// processor offers, asked once at first use. Every fast path that needs one
// asks here; on other architectures all are false.
struct TProcessorFeatures {
  bool ssse3 = false;
  bool avx2 = false;
  bool bitFieldExtract = false;    // BEXTR of BMI1
  bool carrylessMultiply = false;  // PCLMULQDQ, with the SSE4.1 its folding uses
  bool shaExtensions = false;      // the SHA extensions, with the SSE4.1 their rounds use
};

const TProcessorFeatures& ProcessorFeatures();

}  // namespace velunor
