#pragma once

#include <span>

#include <cstdint>

#include "hash/hash_family.h"

namespace velunor {

// HAVAL (version 1): 128-byte blocks compressed into eight chaining words in
// 3, 4 or 5 passes of 32 steps. The pass count follows from the digest size
// (3 up to 160 bits, 4 up to 224 bits, else 5); the shorter digests fold the
// eight words into four to seven. The descendants differ only in DigestSize
// and KnownAnswerData.
class THash_Haval256 : public THashFamily<THash_Haval256, THash, THashInfo{32, 128}> {
 public:
  static constexpr char kClassName[] = "THash_Haval256";
  static constexpr std::uint8_t kKnownAnswer[32] = {0xE9, 0x92, 0xC1, 0xFB, 0x79, 0xE9, 0xBA, 0xA8,
                                                    0x28, 0x5C, 0x7A, 0x73, 0x0B, 0xEB, 0x0C, 0x7C,
                                                    0xAD, 0xF3, 0xF7, 0xAD, 0x26, 0xD7, 0xEF, 0xE2,
                                                    0x1F, 0xF4, 0xBF, 0x67, 0x57, 0x69, 0xD5, 0x9A};
  ~THash_Haval256() override;

  std::uint8_t* DigestBuffer() override;

 protected:
  using THashFamily::THashFamily;
  void StartDigest() override;
  void Absorb(std::span<const std::uint8_t> data) override;
  void CompleteDigest() override;
  static constexpr std::size_t kBlockSize = 128;
  using CompressRoutine = void (*)(std::uint32_t (&state)[8], const std::uint8_t* block);

  // Sets the pass count from the digest size unless it is already 3, 4 or 5,
  // and the compression routine for it.
  void ChooseCompressRoutine();
  // Folds the eight chaining words into the first DigestSize bytes.
  void FoldDigest();

  // Bytes fed since Init, 64 bits wide like the other block hashes.
  std::uint64_t ByteCount = 0;
  std::uint8_t BlockBuffer[kBlockSize] = {};
  std::uint32_t ChainingState[8] = {};
  // Chosen at the first Init and kept by later ones.
  std::int32_t PassCount = 0;
  CompressRoutine Compress = nullptr;
};

class THash_Haval224 : public THashFamily<THash_Haval224, THash_Haval256, THashInfo{28, 128}> {
 public:
  static constexpr char kClassName[] = "THash_Haval224";
  static constexpr std::uint8_t kKnownAnswer[28] = {
      0x32, 0x3A, 0xDC, 0xB3, 0x75, 0xB5, 0x8F, 0x5A, 0x6A, 0xF1, 0x66, 0x89, 0x99, 0x5A,
      0x7A, 0x98, 0x71, 0x6E, 0x22, 0x77, 0xBC, 0x02, 0x29, 0x38, 0x67, 0xA5, 0xCC, 0xE1};

 protected:
  using THashFamily::THashFamily;
};

class THash_Haval192 : public THashFamily<THash_Haval192, THash_Haval256, THashInfo{24, 128}> {
 public:
  static constexpr char kClassName[] = "THash_Haval192";
  static constexpr std::uint8_t kKnownAnswer[24] = {0x30, 0xAE, 0xEC, 0x3F, 0xC1, 0x8E, 0x61, 0x18,
                                                    0xA4, 0xF2, 0xA3, 0xE8, 0x06, 0x6C, 0x3B, 0x64,
                                                    0xA6, 0xA9, 0x2E, 0x7D, 0xE2, 0x52, 0xA0, 0xB5};

 protected:
  using THashFamily::THashFamily;
};

class THash_Haval160 : public THashFamily<THash_Haval160, THash_Haval256, THashInfo{20, 128}> {
 public:
  static constexpr char kClassName[] = "THash_Haval160";
  static constexpr std::uint8_t kKnownAnswer[20] = {0x13, 0xDD, 0xBD, 0x32, 0x33, 0xBC, 0x04,
                                                    0x8D, 0x6D, 0xF6, 0x63, 0x56, 0x37, 0xE2,
                                                    0xA0, 0xD0, 0x53, 0x1B, 0x99, 0x03};

 protected:
  using THashFamily::THashFamily;
};

class THash_Haval128 : public THashFamily<THash_Haval128, THash_Haval256, THashInfo{16, 128}> {
 public:
  static constexpr char kClassName[] = "THash_Haval128";
  static constexpr std::uint8_t kKnownAnswer[16] = {0xD8, 0xCB, 0xCD, 0xEC, 0x7A, 0xFD, 0xC8, 0xA5,
                                                    0xF2, 0x7B, 0xD2, 0x12, 0xB9, 0x33, 0x9A, 0xBD};

 protected:
  using THashFamily::THashFamily;
};

}  // namespace velunor
