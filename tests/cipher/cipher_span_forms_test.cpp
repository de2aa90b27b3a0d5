#include <cstdint>
#include <span>

#include "cipher/cipher_3way.h"
#include "cipher/cipher_blowfish.h"
#include "cipher/cipher_gost.h"
#include "cipher/cipher_idea.h"
#include "cipher/cipher_q128.h"
#include "cipher/cipher_safer.h"
#include "cipher/cipher_scop.h"
#include "cipher/cipher_shark.h"
#include "cipher/cipher_square.h"
#include "cipher/cipher_tea.h"
#include "cipher/cipher_twofish.h"

namespace velunor {
namespace {

// A cipher class declares its own Init, which would hide the span form of
// the base; every class must keep it callable on the class itself.
template <class Cipher>
constexpr bool kKeyedBySpan = requires(Cipher& cipher, std::span<const std::uint8_t> bytes) {
  cipher.Init(bytes);
  cipher.Init(bytes, bytes);
};

static_assert(kKeyedBySpan<TCipher_3Way> && kKeyedBySpan<TCipher_Blowfish> &&
              kKeyedBySpan<TCipher_Gost> && kKeyedBySpan<TCipher_IDEA> &&
              kKeyedBySpan<TCipher_Q128> && kKeyedBySpan<TCipher_SAFER_SK128> &&
              kKeyedBySpan<TCipher_SCOP> && kKeyedBySpan<TCipher_Shark> &&
              kKeyedBySpan<TCipher_Square> && kKeyedBySpan<TCipher_TEAN> &&
              kKeyedBySpan<TCipher_Twofish>);

}  // namespace
}  // namespace velunor
