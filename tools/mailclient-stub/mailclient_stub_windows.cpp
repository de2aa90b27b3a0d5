// mailclient-stub.exe: a stand-in for the mail client "Corvane Mail" on Windows.
//
//   mailclient-stub.exe [--start PROGRAM] FILE
//
// Shows a top-level window of class "TMainForm" titled "Corvane Mail", the
// window the encrypter looks for, and prints "ready" once it is shown. With
// --start it then runs PROGRAM with FILE as its only argument and, when that
// program ends, prints "ended with status N".
//
// For every WM_SYSCOMMAND with wParam 888 that it receives it prints one line:
//   WM_SYSCOMMAND wParam=888 lParam=0 content=<FILE's bytes in hex, or "missing">
// The content is read the moment the message arrives. The stub runs until
// its window is closed.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr UINT kHandOffCommand = 888;
constexpr UINT_PTR kWatchTimer = 1;

std::wstring file;
HANDLE child = nullptr;

void PrintLine(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

std::string FileContentInHex(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  if (!in) return "missing";
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    hex += kDigits[value >> 4];
    hex += kDigits[value & 15u];
  }
  return hex;
}

HANDLE Start(const std::wstring& program) {
  std::wstring commandLine = L"\"" + program + L"\" \"" + file + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    PrintLine("cannot start the program, error " + std::to_string(GetLastError()));
    return nullptr;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

// Reports the end of the started program.
void WatchChild() {
  DWORD status = 0;
  if (child == nullptr || WaitForSingleObject(child, 0) != WAIT_OBJECT_0) return;
  GetExitCodeProcess(child, &status);
  CloseHandle(child);
  child = nullptr;
  PrintLine("ended with status " + std::to_string(status));
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      if (wParam == kHandOffCommand) {
        PrintLine("WM_SYSCOMMAND wParam=" + std::to_string(wParam) +
                  " lParam=" + std::to_string(lParam) + " content=" + FileContentInHex(file));
        return 0;
      }
      break;
    case WM_TIMER:
      WatchChild();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::wstring program;
  int next = 1;
  if (count == 4 && std::wstring(arguments[1]) == L"--start") {
    program = arguments[2];
    next = 3;
  }
  if (arguments == nullptr || next + 1 != count) {
    std::fprintf(stderr, "usage: mailclient-stub.exe [--start PROGRAM] FILE\n");
    return 2;
  }
  file = arguments[next];
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TMainForm";
  windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(L"TMainForm", L"Corvane Mail", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              420, 120, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return 1;
  PrintLine("ready");
  if (!program.empty()) child = Start(program);
  SetTimer(window, kWatchTimer, 50, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
