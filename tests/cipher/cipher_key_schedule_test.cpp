// A cipher's key schedule is part of the cipher object and leaves nothing of
// the key behind when the object goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <new>

#include "cipher/cipher_gost.h"
#include "support/test_support.h"

namespace velunor {
namespace {

// GOST keeps its key words as they are, so its object's own bytes show the
// key while the key is in place.
TEST(CipherKeySchedule, LivesInTheObjectAndIsWipedOnDestruction) {
  const ByteString key = test::PatternBytes(32, 17);
  const auto* keyBytes = reinterpret_cast<const std::uint8_t*>(key.data());
  // Counted objects are made only by MakeProtection; a class derived here may
  // place one in storage of its own, to look at that storage after destruction.
  struct PlacedGost final : TCipher_Gost {
    PlacedGost() : TCipher_Gost(nullptr) {}
  };
  alignas(PlacedGost) std::uint8_t storage[sizeof(PlacedGost)];
  auto holdsKey = [&] {
    return std::search(std::begin(storage), std::end(storage), keyBytes, keyBytes + key.size()) !=
           std::end(storage);
  };

  auto* cipher = new (storage) PlacedGost();
  cipher->Init(key.data(), static_cast<std::int32_t>(key.size()), nullptr);
  EXPECT_TRUE(holdsKey());
  cipher->~PlacedGost();
  EXPECT_FALSE(holdsKey()) << "the destroyed cipher left its key schedule behind";
}

}  // namespace
}  // namespace velunor
