#pragma once

#include <cstddef>
#include <cstdint>

namespace velunor {

// Chaining modes of EncipherBuffer and DecipherBuffer.
enum TCipherMode : std::uint8_t {
  cmCTS = 0,     // whole blocks chained with a double feedback; the program's mode
  cmCBC = 1,     // cipher block chaining
  cmCFB = 2,     // 8-bit cipher feedback
  cmOFB = 3,     // 8-bit output feedback
  cmECB = 4,     // electronic code book
  cmCTSMAC = 5,  // authentication value computed the cmCTS way
  cmCBCMAC = 6,  // authentication value computed the cmCBC way
  cmCFBMAC = 7,  // authentication value computed the cmCFB way
};

// Whether a mode computes an authentication value: it leaves the data as it
// is and only moves the chain (so does a value beyond the eight modes,
// which does nothing at all).
constexpr bool IsMacMode(TCipherMode mode) {
  return mode >= cmCTSMAC;
}

// How the chain value F moves on after a whole block that was coded as
// C = E(P xor F): F = C xor Carry(F), where cmCTS carries F over and cmCBC
// does not (F = C). The one place of that rule, for the run block by block
// and for a cipher that keeps F in registers as words of any width.
struct TChainFeedback {
  bool carriesChain;

  template <class Word>
  Word Carry(Word chain) const {
    return carriesChain ? chain : Word{0};
  }
  template <class Word>
  Word Next(Word chain, Word cipher) const {
    return static_cast<Word>(cipher ^ Carry(chain));
  }
  // The same over the `size` bytes of a block.
  void Next(std::uint8_t* chain, const std::uint8_t* cipher, std::size_t size) const;
};

// The largest block size the modes take: cmCTS and cmCBC decipher batches
// of up to this many bytes and keep their cipher blocks on the stack.
inline constexpr std::size_t kDecipherBatchBytes = 512;

// The block interface the chaining modes work over: one block in place, a
// run of consecutive blocks in place (a cipher may code independent blocks
// at once), and a run of whole blocks chained through the chain value F:
// each block is enciphered as C = E(P xor F) and F moves on by the caller's
// rule (a cipher may keep F in registers meanwhile).
class TBlockSteps {
 public:
  virtual void EncipherBlock(std::uint8_t* block) = 0;
  virtual void DecipherBlock(std::uint8_t* block) = 0;
  virtual void EncipherBlocks(std::uint8_t* blocks, std::size_t count) = 0;
  virtual void DecipherBlocks(std::uint8_t* blocks, std::size_t count) = 0;
  // From `source` to `dest`, which may be the same memory.
  virtual void EncipherChainedBlocks(const std::uint8_t* source, std::uint8_t* dest,
                                     std::size_t count, TChainFeedback feedback) = 0;

 protected:
  ~TBlockSteps() = default;
};

// What a mode runs on: the cipher's block steps, its chain value F and its
// scratch block W, both `blockSize` bytes.
struct TModeChain {
  TBlockSteps& steps;
  std::uint8_t* f;
  std::uint8_t* w;
  std::size_t blockSize;

  // W = E(F).
  void EncipherChainIntoScratch();
  // Moves F one byte toward its start and puts `value` at its end.
  void ShiftChainIn(std::uint8_t value);
  // A partial last block of the block modes, `count` < blockSize bytes:
  // W = E(F); T = S xor W; F = W xor F.
  void CodeTail(const std::uint8_t* source, std::uint8_t* dest, std::size_t count);
};

}  // namespace velunor
