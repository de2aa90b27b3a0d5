// A minimal clipboard manager for the tests: owns CLIPBOARD_MANAGER and,
// when a program asks it to SAVE_TARGETS, copies the clipboard's UTF-8 text
// and serves it from then on. Prints "ready" once it owns the selection.
//
//   fake_clipboard_manager [--forgetful | --clear]
//
// --forgetful: answers SAVE_TARGETS as done but keeps nothing, as weston's
// X window manager does. --clear: clears the clipboard as another program
// may (takes it and gives it up, leaving no owner) and ends.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <string>

namespace {

struct Atoms {
  Atom clipboard, manager, saveTargets, targets, utf8, saved;
};

// Asks the clipboard's owner for its text and waits for the answer.
std::string FetchClipboardText(Display* display, Window window, const Atoms& atoms, Time time) {
  XConvertSelection(display, atoms.clipboard, atoms.utf8, atoms.saved, window, time);
  XEvent event;
  do {
    XNextEvent(display, &event);
  } while (event.type != SelectionNotify);
  if (event.xselection.property == None) return {};
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(display, window, atoms.saved, 0, 1 << 20, True, AnyPropertyType, &type,
                     &format, &count, &after, &data);
  std::string text(reinterpret_cast<char*>(data), count);
  XFree(data);
  return text;
}

void Answer(Display* display, const XSelectionRequestEvent& request, Atom property) {
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.requestor = request.requestor;
  reply.xselection.selection = request.selection;
  reply.xselection.target = request.target;
  reply.xselection.property = property;
  reply.xselection.time = request.time;
  XSendEvent(display, request.requestor, False, NoEventMask, &reply);
}

// Serves the saved text: its targets or the text itself.
void Serve(Display* display, const XSelectionRequestEvent& request, const Atoms& atoms,
           const std::string& text) {
  const Atom property = request.property != None ? request.property : request.target;
  if (request.target == atoms.targets) {
    const Atom offered[] = {atoms.targets, atoms.utf8};
    XChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(offered), 2);
  } else if (request.target == atoms.utf8) {
    XChangeProperty(display, request.requestor, property, atoms.utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
  } else {
    Answer(display, request, None);
    return;
  }
  Answer(display, request, property);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  const Atoms atoms{
      XInternAtom(display, "CLIPBOARD", False),    XInternAtom(display, "CLIPBOARD_MANAGER", False),
      XInternAtom(display, "SAVE_TARGETS", False), XInternAtom(display, "TARGETS", False),
      XInternAtom(display, "UTF8_STRING", False),  XInternAtom(display, "VELUNOR_SAVED", False)};
  const Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  if (mode == "--clear") {
    XSetSelectionOwner(display, atoms.clipboard, window, CurrentTime);
    XSetSelectionOwner(display, atoms.clipboard, None, CurrentTime);
    XSync(display, False);
    return 0;
  }
  XSetSelectionOwner(display, atoms.manager, window, CurrentTime);
  XSync(display, False);
  std::printf("ready\n");
  std::fflush(stdout);

  std::string saved;
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != SelectionRequest) continue;
    const XSelectionRequestEvent& request = event.xselectionrequest;
    if (request.selection == atoms.manager && request.target == atoms.saveTargets) {
      if (mode != "--forgetful") {
        saved = FetchClipboardText(display, window, atoms, request.time);
        XSetSelectionOwner(display, atoms.clipboard, window, CurrentTime);
      }
      Answer(display, request, request.property);
    } else if (request.selection == atoms.clipboard) {
      Serve(display, request, atoms, saved);
    } else {
      Answer(display, request, None);
    }
    XFlush(display);
  }
}
