#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "protection/byte_sink.h"
#include "protection/output_buffer.h"

namespace velunor {

// Writes two hex digits per byte, high half first.
class HexEncoder final : public ByteSink {
 public:
  // `digits`: the 16 digits in value order.
  HexEncoder(std::string_view digits, ByteSink& next);
  void Write(const std::uint8_t* data, std::size_t size) override;
  void Finish() override;

 private:
  char digits_[16] = {};
  OutputBuffer out_;
};

// Reads hex digits of either case and skips separators. The first prefix
// marker ("X", "x" or "$") discards everything read before it; to honour
// that on a stream, the decoder holds its output back until it has seen a
// marker or kHoldBack bytes (or knows from WriteLast that none follows). A
// first marker after that is refused as invalid text, since the bytes it
// would discard have been passed on. Its memory stays under kMemoryBytes
// and its time linear in the text, whatever the text.
class HexDecoder final : public ByteSink {
 public:
  static constexpr std::size_t kHoldBack = std::size_t{1} << 20;
  static constexpr std::size_t kMemoryBytes = std::size_t{3} << 20;

  // `alphabet`: every character the format accepts; with `checkText` any
  // other character is refused with the format's name, without it skipped.
  HexDecoder(std::string_view alphabet, std::string formatName, bool checkText, ByteSink& next);
  void Write(const std::uint8_t* data, std::size_t size) override;
  void WriteLast(const std::uint8_t* data, std::size_t size) override;
  void Finish() override;

 private:
  void Restart();
  void PassOn();

  std::array<std::uint8_t, 256> kinds_{};
  std::string formatName_;
  ByteSink& next_;
  ByteString out_;
  int high_ = -1;  // the pending high half, or -1
  bool markerSeen_ = false;
  bool noMarkerAhead_ = false;
  bool passedOn_ = false;
};

}  // namespace velunor
