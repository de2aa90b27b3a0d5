#include "runtime/bit_field_extract.h"

namespace velunor {

bool ProcessorHasBitFieldExtract() {
#if defined(__x86_64__) && defined(__GNUC__)
  static const bool available = __builtin_cpu_supports("bmi");
  return available;
#else
  return false;
#endif
}

}  // namespace velunor
