#pragma once

#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// Unsigned 16-, 32- and 64-bit words read from and written to bytes in a
// fixed byte order, at any alignment and on a processor of either order. On
// a processor of the same order a load or store is one move; otherwise the
// compiler's byte-swap instruction is added.

namespace velunor {

// The word types that the loads and stores take.
template <class Word>
concept ByteOrderWord = std::same_as<Word, std::uint16_t> || std::same_as<Word, std::uint32_t> ||
    std::same_as<Word, std::uint64_t>;

// The word with its bytes in the opposite order.
template <ByteOrderWord Word>
constexpr Word SwapBytes(Word value) {
  if constexpr (sizeof(Word) == 2) {
    return __builtin_bswap16(value);
  } else if constexpr (sizeof(Word) == 4) {
    return __builtin_bswap32(value);
  } else {
    return __builtin_bswap64(value);
  }
}

namespace byte_order_detail {

template <std::endian kOrder, class Word>
inline Word Load(const std::uint8_t* bytes) {
  Word value;
  std::memcpy(&value, bytes, sizeof value);
  return kOrder == std::endian::native ? value : SwapBytes(value);
}

template <std::endian kOrder, class Word>
inline void Store(std::uint8_t* bytes, Word value) {
  if constexpr (kOrder != std::endian::native) value = SwapBytes(value);
  std::memcpy(bytes, &value, sizeof value);
}

// A run in the processor's own order is one block move.
template <std::endian kOrder, class Word, std::size_t N>
inline void LoadRun(Word (&words)[N], const std::uint8_t* bytes) {
  if constexpr (kOrder == std::endian::native) {
    std::memcpy(words, bytes, sizeof words);
  } else {
    for (std::size_t i = 0; i < N; ++i)
      words[i] = Load<kOrder, Word>(bytes + i * sizeof(Word));
  }
}

template <std::endian kOrder, class Word, std::size_t N>
inline void StoreRun(std::uint8_t* bytes, const Word (&words)[N]) {
  if constexpr (kOrder == std::endian::native) {
    std::memcpy(bytes, words, sizeof words);
  } else {
    for (std::size_t i = 0; i < N; ++i)
      Store<kOrder>(bytes + i * sizeof(Word), words[i]);
  }
}

}  // namespace byte_order_detail

// Single words: LoadLE<std::uint32_t>(bytes), StoreBE(bytes, value) and so on.
template <ByteOrderWord Word>
inline Word LoadLE(const std::uint8_t* bytes) {
  return byte_order_detail::Load<std::endian::little, Word>(bytes);
}
template <ByteOrderWord Word>
inline Word LoadBE(const std::uint8_t* bytes) {
  return byte_order_detail::Load<std::endian::big, Word>(bytes);
}
template <ByteOrderWord Word>
inline void StoreLE(std::uint8_t* bytes, Word value) {
  byte_order_detail::Store<std::endian::little>(bytes, value);
}
template <ByteOrderWord Word>
inline void StoreBE(std::uint8_t* bytes, Word value) {
  byte_order_detail::Store<std::endian::big>(bytes, value);
}

// Runs of words: words[i] is the word of the sizeof(Word) bytes at
// bytes + i * sizeof(Word), in the byte order of the function's name.
template <class Word, std::size_t N>
inline void LoadLE(Word (&words)[N], const std::uint8_t* bytes) {
  byte_order_detail::LoadRun<std::endian::little>(words, bytes);
}
template <class Word, std::size_t N>
inline void LoadBE(Word (&words)[N], const std::uint8_t* bytes) {
  byte_order_detail::LoadRun<std::endian::big>(words, bytes);
}
template <class Word, std::size_t N>
inline void StoreLE(std::uint8_t* bytes, const Word (&words)[N]) {
  byte_order_detail::StoreRun<std::endian::little>(bytes, words);
}
template <class Word, std::size_t N>
inline void StoreBE(std::uint8_t* bytes, const Word (&words)[N]) {
  byte_order_detail::StoreRun<std::endian::big>(bytes, words);
}

// A plain struct of 32-bit words (such as a block held as named words) from,
// or to, its words in little-endian order, first member first.
template <class Words>
inline Words LoadLEWords(const std::uint8_t* bytes) {
  static_assert(std::has_unique_object_representations_v<Words> && sizeof(Words) % 4 == 0);
  std::uint32_t words[sizeof(Words) / 4];
  LoadLE(words, bytes);
  Words value;
  std::memcpy(&value, words, sizeof value);
  return value;
}
template <class Words>
inline void StoreLEWords(std::uint8_t* bytes, const Words& value) {
  static_assert(std::has_unique_object_representations_v<Words> && sizeof(Words) % 4 == 0);
  std::uint32_t words[sizeof(Words) / 4];
  std::memcpy(words, &value, sizeof words);
  StoreLE(bytes, words);
}

}  // namespace velunor
