#include "support/test_support.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace velunor::test {

ByteString FromHex(std::string_view hex) {
  ByteString bytes;
  int high = -1;
  for (const char c : hex) {
    int value;
    if (c >= '0' && c <= '9')
      value = c - '0';
    else if (c >= 'a' && c <= 'f')
      value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      value = c - 'A' + 10;
    else
      continue;
    if (high < 0) {
      high = value;
    } else {
      bytes += static_cast<char>(high << 4 | value);
      high = -1;
    }
  }
  return bytes;
}

std::string ToHex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    hex += kDigits[b >> 4];
    hex += kDigits[b & 15];
  }
  return hex;
}

std::string DataPath(const std::string& name) {
  return std::string(VELUNOR_TEST_DATA_DIR) + "/" + name;
}

std::vector<std::vector<std::string>> ReadDataRecords(const std::string& name) {
  std::ifstream file(DataPath(name));
  if (!file) throw std::runtime_error("cannot read test data " + DataPath(name));
  std::vector<std::vector<std::string>> records;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, '\t'))
      fields.push_back(field);
    records.push_back(fields);
  }
  return records;
}

ByteString ExpandMessage(const std::string& field) {
  if (field.rfind("hex:", 0) == 0) return FromHex(field.substr(4));
  std::size_t repeat = 1;
  std::string quoted = field;
  if (const auto star = field.find('*'); star != std::string::npos && field[0] != '"') {
    repeat = std::stoul(field.substr(0, star));
    quoted = field.substr(star + 1);
  }
  if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') {
    throw std::runtime_error("bad message field: " + field);
  }
  const std::string text = quoted.substr(1, quoted.size() - 2);
  ByteString message;
  message.reserve(text.size() * repeat);
  for (std::size_t i = 0; i < repeat; ++i)
    message += text;
  return message;
}

ByteString PatternBytes(std::size_t length, std::uint32_t seed) {
  ByteString bytes(length, '\0');
  std::uint32_t state = seed;
  for (auto& b : bytes) {
    state = state * 1103515245u + 12345u;
    b = static_cast<char>(state >> 23);
  }
  return bytes;
}

}  // namespace velunor::test
