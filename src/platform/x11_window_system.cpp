#include "platform/x11_window_system.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <algorithm>
#include <string>
#include <vector>

namespace velunor::platform {

namespace {

// The serial number of the last request the server refused; 0 before any.
unsigned long& LastFailedRequest() {
  static unsigned long serial = 0;
  return serial;
}

// Windows of other programs may vanish while they are looked at, and Xlib's
// default error handler ends the program on any failed request. Failures are
// only noted instead: every caller checks what its requests returned, and
// one that must know whether a request reached its window compares the
// request's serial number with the last failed one.
int NoteXError(Display*, XErrorEvent* error) {
  LastFailedRequest() = error->serial;
  return 0;
}

// How deep below the root window top-level windows are looked for: directly
// under the root without a window manager, inside one or two frame windows
// with a reparenting one.
constexpr int kSearchDepth = 3;

// The WM_STATE of a minimised window (ICCCM 4.1.3.1).
constexpr long kIconicState = 3;

// _NET_ACTIVE_WINDOW source indication for a request on the user's behalf.
constexpr long kSourceUserRequest = 2;

// _NET_WM_MOVERESIZE: move by the pointer, left button, from an application.
constexpr long kMoveResizeMove = 8;
constexpr long kLeftButton = 1;
constexpr long kSourceApplication = 1;

// How long a clipboard manager or owner may take to answer.
constexpr auto kSelectionAnswerTime = std::chrono::seconds(5);

// How long a window manager may take to tell the frame it will draw: a
// window waits for it before it shows.
constexpr auto kFrameAnswerTime = std::chrono::milliseconds(250);

Window AsWindow(TWindowHandle handle) {
  return static_cast<Window>(handle);
}

std::vector<Window> ChildrenOf(Display* display, Window window) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  std::vector<Window> result;
  if (XQueryTree(display, window, &root, &parent, &children, &count) != 0 && children != nullptr) {
    result.assign(children, children + count);
  }
  if (children != nullptr) XFree(children);
  return result;
}

// The window's parent; none when the window is gone or is the root.
std::optional<Window> ParentOf(Display* display, Window window) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  const Status found = XQueryTree(display, window, &root, &parent, &children, &count);
  if (children != nullptr) XFree(children);
  if (found == 0 || parent == None) return std::nullopt;
  return parent;
}

// The raw data of a property of the given type, none when the window lacks it.
template <typename Item>
std::optional<std::vector<Item>> PropertyItems(Display* display, Window window, Atom property,
                                               Atom type) {
  Atom actualType = None;
  int actualFormat = 0;
  unsigned long count = 0;
  unsigned long bytesAfter = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display, window, property, 0, 65536, False, type,
                                        &actualType, &actualFormat, &count, &bytesAfter, &data);
  std::optional<std::vector<Item>> items;
  if (status == Success && actualType == type && data != nullptr) {
    const Item* first = reinterpret_cast<const Item*>(data);
    items.emplace(first, first + count);
  }
  if (data != nullptr) XFree(data);
  return items;
}

std::optional<std::string> ClassNameOf(Display* display, Window window) {
  XClassHint hint{};
  if (XGetClassHint(display, window, &hint) == 0) return std::nullopt;
  std::optional<std::string> className;
  if (hint.res_class != nullptr) className = hint.res_class;
  if (hint.res_name != nullptr) XFree(hint.res_name);
  if (hint.res_class != nullptr) XFree(hint.res_class);
  return className;
}

std::optional<std::string> InstanceNameOf(Display* display, Window window) {
  XClassHint hint{};
  if (XGetClassHint(display, window, &hint) == 0) return std::nullopt;
  std::optional<std::string> instanceName;
  if (hint.res_name != nullptr) instanceName = hint.res_name;
  if (hint.res_name != nullptr) XFree(hint.res_name);
  if (hint.res_class != nullptr) XFree(hint.res_class);
  return instanceName;
}

// The window's title: the UTF-8 _NET_WM_NAME, or else the legacy WM_NAME.
std::string WindowTextOf(Display* display, Window window) {
  const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8String = XInternAtom(display, "UTF8_STRING", False);
  if (auto name = PropertyItems<char>(display, window, netWmName, utf8String)) {
    return std::string(name->begin(), name->end());
  }
  if (auto name = PropertyItems<char>(display, window, XA_WM_NAME, XA_STRING)) {
    return std::string(name->begin(), name->end());
  }
  return {};
}

// The window that a window manager names by _NET_SUPPORTING_WM_CHECK on
// `window`; none when the property is missing.
std::optional<Window> SupportingWmCheck(Display* display, Window window) {
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  const auto items = PropertyItems<long>(display, window, check, XA_WINDOW);
  if (!items || items->empty()) return std::nullopt;
  return static_cast<Window>(items->front());
}

// Whether an EWMH window manager runs: the root window names a check
// window, and that window exists and names itself. A window manager that
// died leaves the root's property behind, naming a window that is gone.
bool WindowManagerIsAlive(Display* display) {
  const auto check = SupportingWmCheck(display, DefaultRootWindow(display));
  return check && SupportingWmCheck(display, *check) == check;
}

// The top-level client windows as the window manager lists them (EWMH
// _NET_CLIENT_LIST), however deep its frames nest them; none without a
// window manager that keeps the list.
std::optional<std::vector<Window>> ClientList(Display* display) {
  const Atom clientList = XInternAtom(display, "_NET_CLIENT_LIST", True);
  if (clientList == None) return std::nullopt;
  const auto items =
      PropertyItems<long>(display, DefaultRootWindow(display), clientList, XA_WINDOW);
  if (!items) return std::nullopt;
  std::vector<Window> windows;
  for (const long item : *items)
    windows.push_back(static_cast<Window>(item));
  return windows;
}

bool IsMinimised(Display* display, Window window) {
  const Atom wmState = XInternAtom(display, "WM_STATE", False);
  if (auto state = PropertyItems<long>(display, window, wmState, wmState)) {
    if (!state->empty() && state->front() == kIconicState) return true;
  }
  const Atom netWmState = XInternAtom(display, "_NET_WM_STATE", False);
  const Atom hidden = XInternAtom(display, "_NET_WM_STATE_HIDDEN", False);
  if (auto states = PropertyItems<long>(display, window, netWmState, XA_ATOM)) {
    return std::find(states->begin(), states->end(), static_cast<long>(hidden)) != states->end();
  }
  return false;
}

// Asks the window manager (EWMH) to activate the window; it restores a
// minimised window on the way.
void RequestActivation(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = kSourceUserRequest;
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace

std::unique_ptr<TX11WindowSystem> TX11WindowSystem::Open(const char* displayName) {
  Display* display = XOpenDisplay(displayName);
  if (display == nullptr) return nullptr;
  XSetErrorHandler(NoteXError);
  return std::unique_ptr<TX11WindowSystem>(new TX11WindowSystem(display));
}

TX11WindowSystem::~TX11WindowSystem() {
  if (requestor_ != 0) XDestroyWindow(display_, requestor_);
  XCloseDisplay(display_);
}

TWindowHandle TX11WindowSystem::FindTopLevelWindow(std::string_view className,
                                                   std::optional<std::string_view> windowText) {
  const auto isTheWindow = [&](Window window) {
    const auto name = ClassNameOf(display_, window);
    return name && *name == className &&
           (!windowText || WindowTextOf(display_, window) == *windowText);
  };
  // Only a running window manager keeps its list up to date.
  const auto clients = WindowManagerRuns() ? ClientList(display_) : std::nullopt;
  if (clients) {
    const auto found = std::find_if(clients->begin(), clients->end(), isTheWindow);
    return found != clients->end() ? *found : 0;
  }
  // Breadth first, so that a client window is found before anything nested in it.
  std::vector<Window> level{DefaultRootWindow(display_)};
  for (int depth = 0; depth < kSearchDepth && !level.empty(); ++depth) {
    std::vector<Window> next;
    for (const Window parent : level) {
      for (const Window window : ChildrenOf(display_, parent)) {
        if (isTheWindow(window)) return window;
        next.push_back(window);
      }
    }
    level = std::move(next);
  }
  return 0;
}

void TX11WindowSystem::RestoreOrRaise(TWindowHandle handle) {
  const Window window = AsWindow(handle);
  if (IsMinimised(display_, window)) {
    // Mapping a minimised window asks for its normal state (ICCCM 4.1.4).
    XMapRaised(display_, window);
  } else {
    XRaiseWindow(display_, window);
  }
  RequestActivation(display_, window);
  XSync(display_, False);
}

bool TX11WindowSystem::PostSystemCommand(TWindowHandle handle, std::uint64_t wParam,
                                         std::int64_t lParam) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = AsWindow(handle);
  event.xclient.message_type = XInternAtom(display_, "WM_SYSCOMMAND", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(wParam);
  event.xclient.data.l[1] = static_cast<long>(lParam);
  // Without an event mask the event goes to the program that made the window.
  const unsigned long request = NextRequest(display_);
  const Status converted = XSendEvent(display_, event.xclient.window, False, NoEventMask, &event);
  // The round trip makes sure the server has delivered it (or refused it,
  // for a window that is gone) before the caller goes on, perhaps to end.
  XSync(display_, False);
  return converted != 0 && LastFailedRequest() != request;
}

bool TX11WindowSystem::IsKeyDown(TKey key) {
  switch (key) {
    case TKey::kControl:
      return IsModifierDown(ControlMapIndex);
  }
  return false;
}

bool TX11WindowSystem::IsModifierDown(int modifierIndex) {
  // The keyboard as the server sees it now: one bit per key code.
  char keys[32] = {};
  XQueryKeymap(display_, keys);
  XModifierKeymap* modifiers = XGetModifierMapping(display_);
  if (modifiers == nullptr) return false;
  bool down = false;
  const int perModifier = modifiers->max_keypermod;
  for (int i = 0; i < perModifier; ++i) {
    const unsigned code = modifiers->modifiermap[modifierIndex * perModifier + i];
    const unsigned keysOfItsByte = static_cast<unsigned char>(keys[code / 8]);
    if (code != 0 && ((keysOfItsByte >> (code % 8)) & 1u) != 0) down = true;
  }
  XFreeModifiermap(modifiers);
  return down;
}

void TX11WindowSystem::SetWindowClassName(TWindowHandle handle, std::string_view className) {
  const Window window = AsWindow(handle);
  std::string instance = InstanceNameOf(display_, window).value_or(std::string(className));
  std::string name(className);
  XClassHint hint{};
  hint.res_name = instance.data();
  hint.res_class = name.data();
  XSetClassHint(display_, window, &hint);
  // Other programs must see the class as soon as the window shows.
  XSync(display_, False);
}

bool TX11WindowSystem::WindowManagerRuns(const char* atomName) {
  if (!WindowManagerIsAlive(display_)) return false;
  if (atomName == nullptr) return true;
  const Atom supported = XInternAtom(display_, "_NET_SUPPORTED", False);
  const long wanted = static_cast<long>(XInternAtom(display_, atomName, False));
  const auto atoms = PropertyItems<long>(display_, DefaultRootWindow(display_), supported, XA_ATOM);
  return atoms && std::find(atoms->begin(), atoms->end(), wanted) != atoms->end();
}

bool TX11WindowSystem::StartWindowMove(TWindowHandle handle, int screenX, int screenY) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = AsWindow(handle);
  event.xclient.message_type = XInternAtom(display_, "_NET_WM_MOVERESIZE", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = screenX;
  event.xclient.data.l[1] = screenY;
  event.xclient.data.l[2] = kMoveResizeMove;
  event.xclient.data.l[3] = kLeftButton;
  event.xclient.data.l[4] = kSourceApplication;
  const Status sent = XSendEvent(display_, DefaultRootWindow(display_), False,
                                 SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XSync(display_, False);
  return sent != 0;
}

bool TX11WindowSystem::ClipboardOutlivesProgram() {
  const Atom manager = XInternAtom(display_, "CLIPBOARD_MANAGER", False);
  return XGetSelectionOwner(display_, manager) != None;
}

bool TX11WindowSystem::ClipboardHasOwner() {
  return XGetSelectionOwner(display_, XInternAtom(display_, "CLIPBOARD", False)) != None;
}

unsigned long TX11WindowSystem::Requestor() {
  if (requestor_ == 0) {
    requestor_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
  }
  return requestor_;
}

// The clipboard manager's protocol (freedesktop.org): the owner of the
// clipboard converts CLIPBOARD_MANAGER to SAVE_TARGETS; the manager copies
// the clipboard, takes it over and answers. The program serves the
// clipboard meanwhile through the toolkit's own connection.
bool TX11WindowSystem::StartClipboardHandOver(const std::string& utf8Text) {
  const Atom manager = XInternAtom(display_, "CLIPBOARD_MANAGER", False);
  if (XGetSelectionOwner(display_, manager) == None) return false;
  const Window owner = XGetSelectionOwner(display_, XInternAtom(display_, "CLIPBOARD", False));
  handOver_ = THandOverRequest{utf8Text, owner, std::chrono::steady_clock::now()};
  XConvertSelection(display_, manager, XInternAtom(display_, "SAVE_TARGETS", False),
                    XInternAtom(display_, "VELUNOR_SAVE_TARGETS", False), Requestor(), CurrentTime);
  XFlush(display_);
  return true;
}

THandOver TX11WindowSystem::ClipboardHandOverState() {
  if (!handOver_) return THandOver::kRefused;
  XEvent answer;
  if (XCheckTypedWindowEvent(display_, Requestor(), SelectionNotify, &answer) == False) {
    const bool silent = std::chrono::steady_clock::now() - handOver_->asked > kSelectionAnswerTime;
    return silent ? FinishHandOver(THandOver::kRefused) : THandOver::kPending;
  }
  if (answer.xselection.property == None) return FinishHandOver(THandOver::kRefused);
  const Window owner = XGetSelectionOwner(display_, XInternAtom(display_, "CLIPBOARD", False));
  if (owner == None || owner == handOver_->previousOwner) {
    return FinishHandOver(THandOver::kRefused);
  }
  const bool servesTheText = ClipboardText() == handOver_->text;
  return FinishHandOver(servesTheText ? THandOver::kTaken : THandOver::kRefused);
}

THandOver TX11WindowSystem::FinishHandOver(THandOver state) {
  handOver_.reset();
  return state;
}

bool TX11WindowSystem::WaitForSelectionNotify(XEvent& event) {
  return WaitForEvent(
      Requestor(), SelectionNotify, kSelectionAnswerTime, [](const XEvent&) { return true; },
      event);
}

bool TX11WindowSystem::WaitForEvent(unsigned long window, int type,
                                    std::chrono::milliseconds patience,
                                    const std::function<bool(const XEvent&)>& wanted,
                                    XEvent& event) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    while (XCheckTypedWindowEvent(display_, window, type, &event) != False) {
      if (wanted(event)) return true;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    ::poll(&connection, 1, static_cast<int>(left.count()));
  }
}

std::optional<TScreenRect> TX11WindowSystem::OuterRect(TWindowHandle handle) {
  // The window manager's frame is the window's ancestor right below the
  // root window; without a window manager that is the window itself.
  Window outer = AsWindow(handle);
  for (;;) {
    const std::optional<Window> parent = ParentOf(display_, outer);
    if (!parent) return std::nullopt;
    if (*parent == DefaultRootWindow(display_)) break;
    outer = *parent;
  }
  Window root = 0;
  int x = 0;
  int y = 0;
  unsigned width = 0;
  unsigned height = 0;
  unsigned border = 0;
  unsigned depth = 0;
  if (XGetGeometry(display_, outer, &root, &x, &y, &width, &height, &border, &depth) == 0) {
    return std::nullopt;
  }
  return TScreenRect{x, y, static_cast<int>(width + 2 * border),
                     static_cast<int>(height + 2 * border)};
}

std::optional<TFrameExtents> TX11WindowSystem::FrameToBe(TWindowHandle handle) {
  // The window manager answers _NET_REQUEST_FRAME_EXTENTS by setting
  // _NET_FRAME_EXTENTS on the window (left, right, top, bottom), before it
  // manages the window (EWMH).
  if (!WindowManagerRuns("_NET_REQUEST_FRAME_EXTENTS")) return std::nullopt;
  const Window window = AsWindow(handle);
  const Atom extents = XInternAtom(display_, "_NET_FRAME_EXTENTS", False);
  XSelectInput(display_, window, PropertyChangeMask);
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = window;
  request.xclient.message_type = XInternAtom(display_, "_NET_REQUEST_FRAME_EXTENTS", False);
  request.xclient.format = 32;
  XSendEvent(display_, DefaultRootWindow(display_), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &request);
  XFlush(display_);
  XEvent answer;
  WaitForEvent(
      window, PropertyNotify, kFrameAnswerTime,
      [extents](const XEvent& event) { return event.xproperty.atom == extents; }, answer);
  XSelectInput(display_, window, NoEventMask);
  XSync(display_, False);
  while (XCheckTypedWindowEvent(display_, window, PropertyNotify, &answer) != False) {
  }
  const auto sides = PropertyItems<long>(display_, window, extents, XA_CARDINAL);
  if (!sides || sides->size() != 4) return std::nullopt;
  return TFrameExtents{static_cast<int>((*sides)[0]), static_cast<int>((*sides)[1]),
                       static_cast<int>((*sides)[2]), static_cast<int>((*sides)[3])};
}

std::optional<std::string> TX11WindowSystem::ClipboardText() {
  const Atom property = XInternAtom(display_, "VELUNOR_CLIPBOARD", False);
  const Atom utf8String = XInternAtom(display_, "UTF8_STRING", False);
  XConvertSelection(display_, XInternAtom(display_, "CLIPBOARD", False), utf8String, property,
                    Requestor(), CurrentTime);
  XFlush(display_);
  XEvent answer;
  if (!WaitForSelectionNotify(answer) || answer.xselection.property == None) return std::nullopt;
  auto text = PropertyItems<char>(display_, Requestor(), property, utf8String);
  XDeleteProperty(display_, Requestor(), property);
  if (!text) return std::nullopt;
  return std::string(text->begin(), text->end());
}

}  // namespace velunor::platform
