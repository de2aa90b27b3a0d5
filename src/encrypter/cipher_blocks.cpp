#include "encrypter/cipher_blocks.h"

#include <algorithm>
#include <optional>

#include "encrypter/cipher_text_lines.h"

namespace velunor::encrypter {

namespace {

constexpr std::size_t kMinBlockCharacters = 8;

// A line that may belong to a cipher block.
struct TBase64Line {
  std::size_t begin = 0, end = 0, next = 0;  // start, end of the base 64, start of the next line
  std::string_view prefix;
  std::string_view base64;
  std::string_view lineBreak;
  int quoteDepth = 0;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::optional<TBase64Line> Base64LineAt(std::string_view text, std::size_t begin,
                                        std::size_t& next) {
  const std::size_t lf = text.find('\n', begin);
  next = lf == std::string_view::npos ? text.size() : lf + 1;
  std::size_t end = lf == std::string_view::npos ? text.size() : lf;
  const std::size_t contentEnd = end > begin && text[end - 1] == '\r' ? end - 1 : end;
  TBase64Line line;
  line.begin = begin;
  line.next = next;
  line.lineBreak = text.substr(contentEnd, next - contentEnd);
  std::size_t start = begin;
  while (start < contentEnd && (IsBlank(text[start]) || text[start] == '>')) {
    if (text[start] == '>') ++line.quoteDepth;
    ++start;
  }
  end = contentEnd;
  while (end > start && IsBlank(text[end - 1]))
    --end;
  line.prefix = text.substr(begin, start - begin);
  line.base64 = text.substr(start, end - start);
  line.end = end;
  if (line.base64.empty() ||
      !std::all_of(line.base64.begin(), line.base64.end(), IsBase64Character))
    return std::nullopt;
  return line;
}

// Quoted-printable soft line breaks and "=3D" taken out of a block's lines.
std::string JoinedBase64(const std::vector<TBase64Line>& lines) {
  std::string joined;
  bool quotedPrintable = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view base64 = lines[i].base64;
    if (i + 1 < lines.size() && base64.ends_with('=')) {
      quotedPrintable = true;
      base64.remove_suffix(1);
    }
    joined += base64;
  }
  const std::size_t firstPad = joined.find('=');
  const bool padInside =
      firstPad != std::string::npos && joined.find_first_not_of('=', firstPad) != std::string::npos;
  if (!quotedPrintable && !padInside) return joined;
  std::string undone;
  for (std::size_t i = 0; i < joined.size(); ++i) {
    undone += joined[i];
    if (joined.compare(i, 3, "=3D") == 0) i += 2;
  }
  return undone;
}

// Whether a line has what no word has: a digit, "+", "/", "=", or a
// capital letter right after a small one.
bool UnlikeAWord(std::string_view base64) {
  for (std::size_t i = 0; i < base64.size(); ++i) {
    const char c = base64[i];
    const bool small = c >= 'a' && c <= 'z', capital = c >= 'A' && c <= 'Z';
    if (!small && !capital) return true;
    if (capital && i > 0 && base64[i - 1] >= 'a' && base64[i - 1] <= 'z') return true;
  }
  return false;
}

bool HasLetter(std::string_view base64) {
  return std::any_of(base64.begin(), base64.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

// The last, shorter line of a wrapped cipher text may look like a word: it
// belongs to a block whose lines so far are all as long as it or longer,
// and all of one length.
bool EndsWrappedBlock(const std::vector<TBase64Line>& lines, std::string_view base64) {
  const std::size_t width = lines.front().base64.size();
  return base64.size() <= width &&
         std::all_of(lines.begin(), lines.end(),
                     [width](const TBase64Line& line) { return line.base64.size() == width; });
}

void CloseBlock(std::vector<TBase64Line>& lines, std::vector<TCipherBlock>& blocks) {
  if (lines.empty()) return;
  std::string base64 = JoinedBase64(lines);
  if (base64.size() >= kMinBlockCharacters && HasLetter(base64)) {
    const TBase64Line& last = lines.back();
    blocks.push_back({lines.front().begin, last.end, std::string(lines.front().prefix),
                      last.lineBreak.empty() ? std::string("\n") : std::string(last.lineBreak),
                      std::move(base64)});
  }
  lines.clear();
}

}  // namespace

std::vector<TCipherBlock> FindCipherBlocks(std::string_view text) {
  std::vector<TCipherBlock> blocks;
  std::vector<TBase64Line> lines;
  for (std::size_t position = 0, next = 0; position < text.size(); position = next) {
    const auto line = Base64LineAt(text, position, next);
    if (!line || (!lines.empty() && line->quoteDepth != lines.front().quoteDepth))
      CloseBlock(lines, blocks);
    if (!line) continue;
    if (UnlikeAWord(line->base64)) {
      lines.push_back(*line);
    } else if (!lines.empty() && EndsWrappedBlock(lines, line->base64)) {
      lines.push_back(*line);
      CloseBlock(lines, blocks);
    } else {
      CloseBlock(lines, blocks);
    }
  }
  CloseBlock(lines, blocks);
  return blocks;
}

std::string InBlockShape(std::string_view plainText, const TCipherBlock& block) {
  std::string_view emptyLinePrefix = block.prefix;
  while (!emptyLinePrefix.empty() && IsBlank(emptyLinePrefix.back()))
    emptyLinePrefix.remove_suffix(1);
  std::string shaped;
  bool first = true;
  for (std::size_t position = 0; position < plainText.size(); first = false) {
    std::size_t end = plainText.find_first_of("\r\n", position);
    if (end == std::string_view::npos) end = plainText.size();
    if (!first) shaped += block.lineBreak;
    shaped += end > position ? std::string_view(block.prefix) : emptyLinePrefix;
    shaped += plainText.substr(position, end - position);
    position = plainText.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
  }
  return shaped;
}

}  // namespace velunor::encrypter
