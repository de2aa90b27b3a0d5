// The keyword prompt on the Windows console: echo off through the console
// mode, the line read as UTF-16 and handed on as UTF-8.
#include <windows.h>

#include "cli/terminal_prompt.h"

namespace velunor::cli {

namespace {

// The console input and its mode before the prompt, for the Ctrl+C handler.
HANDLE promptInput = INVALID_HANDLE_VALUE;
DWORD savedMode = 0;

BOOL WINAPI RestoreConsoleMode(DWORD) {
  if (promptInput != INVALID_HANDLE_VALUE) ::SetConsoleMode(promptInput, savedMode);
  return FALSE;  // then the default handler ends the program
}

std::string Utf8Of(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                        nullptr, nullptr);
  return utf8;
}

void WriteConsoleText(const char* text) {
  const HANDLE output = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
  if (output == INVALID_HANDLE_VALUE) return;
  std::wstring wide;
  for (const char* c = text; *c != '\0'; ++c)
    wide += static_cast<wchar_t>(*c);
  DWORD written = 0;
  ::WriteConsoleW(output, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  ::CloseHandle(output);
}

}  // namespace

std::optional<std::string> PromptWithoutEcho(const char* prompt, std::size_t limit) {
  const HANDLE input = ::CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
  if (input == INVALID_HANDLE_VALUE) return std::nullopt;
  DWORD mode = 0;
  if (!::GetConsoleMode(input, &mode)) {
    ::CloseHandle(input);
    return std::nullopt;
  }
  promptInput = input;
  savedMode = mode;
  ::SetConsoleCtrlHandler(RestoreConsoleMode, TRUE);
  const DWORD silent =
      (mode | ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT) & ~static_cast<DWORD>(ENABLE_ECHO_INPUT);
  ::SetConsoleMode(input, silent);
  WriteConsoleText(prompt);

  // Room for the whole line at once: a growing string would leave copies of
  // the keyword behind in freed memory.
  std::wstring line;
  line.reserve(limit + 1);
  wchar_t c = 0;
  DWORD read = 0;
  while (::ReadConsoleW(input, &c, 1, &read, nullptr) && read == 1 && c != L'\n') {
    if (c != L'\r' && line.size() <= limit) line += c;
  }
  ::SetConsoleMode(input, savedMode);
  ::SetConsoleCtrlHandler(RestoreConsoleMode, FALSE);
  promptInput = INVALID_HANDLE_VALUE;
  ::CloseHandle(input);
  WriteConsoleText("\n");
  std::string utf8 = Utf8Of(line);
  ::SecureZeroMemory(line.data(), line.size() * sizeof(wchar_t));
  return utf8;
}

}  // namespace velunor::cli
