#pragma once

#include <span>

#include <cstdint>

#include "hash/hash.h"

namespace velunor {

// HAVAL (version 1): 128-byte blocks compressed into eight chaining words in
// 3, 4 or 5 passes of 32 steps. The pass count follows from the digest size
// (3 up to 160 bits, 4 up to 224 bits, else 5); the shorter digests fold the
// eight words into four to seven. The descendants differ only in DigestSize
// and KnownAnswerData.
class THash_Haval256 : public THash {
 public:
  using THash::THash;
  ~THash_Haval256() override;

  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }

  void Init() override;
  using THash::AddData;
  void AddData(std::span<const std::uint8_t> data) override;
  void Finish() override;
  std::uint8_t* DigestBuffer() override;

 protected:
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

class THash_Haval224 : public THash_Haval256 {
 public:
  using THash_Haval256::THash_Haval256;
  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }
};

class THash_Haval192 : public THash_Haval256 {
 public:
  using THash_Haval256::THash_Haval256;
  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }
};

class THash_Haval160 : public THash_Haval256 {
 public:
  using THash_Haval256::THash_Haval256;
  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }
};

class THash_Haval128 : public THash_Haval256 {
 public:
  using THash_Haval256::THash_Haval256;
  static const THashClass& Class();
  const THashClass& ClassType() const override { return Class(); }
};

}  // namespace velunor
