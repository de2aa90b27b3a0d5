#pragma once

#ifdef _WIN32

#include <windows.h>

#include <string>

namespace velunor {

// A UTF-8 path as the UTF-16 name that the wide-character file calls of
// Windows take.
inline std::wstring WidePath(const std::string& utf8) {
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

}  // namespace velunor

#endif
