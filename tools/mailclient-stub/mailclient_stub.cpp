// mailclient-stub: a stand-in for the mail client "Corvane Mail" on X11.
//
//   mailclient-stub [--start PROGRAM] FILE
//
// Shows a window of class "TMainForm" titled "Corvane Mail", the window the
// encrypter looks for, and prints "ready" once it is mapped. With --start it
// then runs PROGRAM with FILE as its only argument and, when that program
// ends, prints "ended with status N" (or "ended by signal N").
//
// For every WM_SYSCOMMAND client message it receives it prints one line:
//   WM_SYSCOMMAND wParam=888 lParam=0 content=<FILE's bytes in hex, or "missing">
// The content is read the moment the message arrives. The stub runs until
// its window is closed or it is ended.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "hex_text.h"

namespace {

constexpr const char* kClassName = "TMainForm";
constexpr const char* kWindowText = "Corvane Mail";
constexpr long kPollMicroseconds = 50000;

struct Options {
  std::string program;
  std::string file;
};

std::optional<Options> ParseArguments(int argc, char** argv) {
  Options options;
  int i = 1;
  if (i + 1 < argc && std::strcmp(argv[i], "--start") == 0) {
    options.program = argv[i + 1];
    i += 2;
  }
  if (i + 1 != argc) return std::nullopt;
  options.file = argv[i];
  return options;
}

void PrintLine(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

std::string FileContentInHex(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "missing";
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return HexText(bytes);
}

Window CreateMailWindow(Display* display) {
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 420, 80, 0,
                                            BlackPixel(display, DefaultScreen(display)),
                                            WhitePixel(display, DefaultScreen(display)));
  std::string instance = "corvane-mail";
  std::string className = kClassName;
  XClassHint hint{instance.data(), className.data()};
  XSetClassHint(display, window, &hint);
  XStoreName(display, window, kWindowText);
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                  XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(kWindowText),
                  static_cast<int>(std::strlen(kWindowText)));
  Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, &deleteWindow, 1);
  XSelectInput(display, window, ExposureMask | StructureNotifyMask);
  XMapWindow(display, window);
  XEvent event;
  do {
    XWindowEvent(display, window, StructureNotifyMask, &event);
  } while (event.type != MapNotify);
  return window;
}

void Draw(Display* display, Window window, const std::vector<std::string>& lines) {
  XClearWindow(display, window);
  GC gc = DefaultGC(display, DefaultScreen(display));
  int y = 20;
  for (const std::string& line : lines) {
    XDrawString(display, window, gc, 10, y, line.c_str(), static_cast<int>(line.size()));
    y += 16;
  }
}

pid_t Start(const std::string& program, const std::string& file) {
  const pid_t child = fork();
  if (child == 0) {
    execl(program.c_str(), program.c_str(), file.c_str(), static_cast<char*>(nullptr));
    std::perror(program.c_str());
    _exit(127);
  }
  return child;
}

std::string EndOf(int status) {
  if (WIFEXITED(status)) return "ended with status " + std::to_string(WEXITSTATUS(status));
  return "ended by signal " + std::to_string(WTERMSIG(status));
}

// Waits up to one poll interval for the display to have events.
void WaitForEvents(Display* display) {
  if (XPending(display) > 0) return;
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(ConnectionNumber(display), &readable);
  timeval timeout{0, kPollMicroseconds};
  select(ConnectionNumber(display) + 1, &readable, nullptr, nullptr, &timeout);
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = ParseArguments(argc, argv);
  if (!options) {
    std::fprintf(stderr, "usage: %s [--start PROGRAM] FILE\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "%s: cannot open the X display\n", argv[0]);
    return 1;
  }
  const Atom sysCommand = XInternAtom(display, "WM_SYSCOMMAND", False);
  const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  const Window window = CreateMailWindow(display);
  std::vector<std::string> shown{"Corvane Mail (stand-in): hand-off file " + options->file};
  PrintLine("ready");

  pid_t child = options->program.empty() ? 0 : Start(options->program, options->file);
  for (bool open = true; open;) {
    if (int status = 0; child > 0 && waitpid(child, &status, WNOHANG) == child) {
      PrintLine(EndOf(status));
      child = 0;
    }
    WaitForEvents(display);
    while (open && XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == Expose) {
        Draw(display, window, shown);
      } else if (event.type == ClientMessage && event.xclient.message_type == sysCommand) {
        const std::string line = "WM_SYSCOMMAND wParam=" + std::to_string(event.xclient.data.l[0]) +
                                 " lParam=" + std::to_string(event.xclient.data.l[1]) +
                                 " content=" + FileContentInHex(options->file);
        PrintLine(line);
        shown.push_back(line.substr(0, line.find(" content=")));
        Draw(display, window, shown);
      } else if (event.type == ClientMessage && event.xclient.message_type == protocols &&
                 static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) {
        open = false;
      }
    }
  }
  XCloseDisplay(display);
  return 0;
}
