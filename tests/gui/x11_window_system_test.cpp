// The X11 window system on a display of its own (run under with_xvfb.sh):
// windows of "other programs" are made here over a second connection.

// Google Test first: Xlib defines macros (None, Bool) that its names share.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/x11_window_system.h"

namespace velunor::platform {
namespace {

class X11WindowSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr) << "no X display";
    system_ = TX11WindowSystem::Open();
    ASSERT_NE(system_, nullptr);
  }
  // Closing the connection destroys the windows it made.
  void TearDown() override {
    system_.reset();
    if (display_ == nullptr) return;
    XDeleteProperty(display_, DefaultRootWindow(display_), ClientListAtom());
    XDeleteProperty(display_, DefaultRootWindow(display_), WmCheckAtom());
    XCloseDisplay(display_);
  }

  Atom ClientListAtom() { return XInternAtom(display_, "_NET_CLIENT_LIST", False); }
  Atom WmCheckAtom() { return XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False); }

  void SetWmCheck(Window on, Window check) {
    XChangeProperty(display_, on, WmCheckAtom(), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&check), 1);
    XSync(display_, False);
  }

  // What a running window manager shows: a check window that names itself,
  // named by the root window.
  void RunWindowManager() {
    const Window check = NewWindow(nullptr);
    SetWmCheck(check, check);
    SetWmCheck(DefaultRootWindow(display_), check);
  }

  // What a window manager keeps on the root window.
  void SetClientList(const std::vector<Window>& clients) {
    const std::vector<long> items(clients.begin(), clients.end());
    XChangeProperty(display_, DefaultRootWindow(display_), ClientListAtom(), XA_WINDOW, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(items.data()),
                    static_cast<int>(items.size()));
    XSync(display_, False);
  }

  Window NewWindow(const char* className, Window parent = 0, int x = 10, int y = 10) {
    const Window window = XCreateSimpleWindow(
        display_, parent ? parent : DefaultRootWindow(display_), x, y, 200, 100, 0, 0, 0);
    if (className != nullptr) {
      std::string instance = "probe";
      std::string name = className;
      XClassHint hint{instance.data(), name.data()};
      XSetClassHint(display_, window, &hint);
    }
    XSync(display_, False);
    return window;
  }

  void SetUtf8Title(Window window, const char* title) {
    XChangeProperty(display_, window, XInternAtom(display_, "_NET_WM_NAME", False),
                    XInternAtom(display_, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title),
                    static_cast<int>(std::strlen(title)));
    XSync(display_, False);
  }

  std::string ClassOf(Window window, bool instance = false) {
    XClassHint hint{};
    if (XGetClassHint(display_, window, &hint) == 0) return {};
    std::string name = instance ? hint.res_name : hint.res_class;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return name;
  }

  // The root's children from bottom to top.
  std::vector<Window> StackingOrder() {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count);
    std::vector<Window> order(children, children + count);
    XFree(children);
    return order;
  }

  Display* display_ = nullptr;
  std::unique_ptr<TX11WindowSystem> system_;
};

TEST_F(X11WindowSystemTest, FindsATopLevelWindowByItsClassOnly) {
  const Window probe = NewWindow("VelunorProbe");
  NewWindow("SomethingElse");
  EXPECT_EQ(system_->FindTopLevelWindow("VelunorProbe"), probe);
  EXPECT_EQ(system_->FindTopLevelWindow("velunorprobe"), 0u);
  EXPECT_EQ(system_->FindTopLevelWindow("probe"), 0u);  // the instance part does not count
  EXPECT_EQ(system_->FindTopLevelWindow("NoSuchClass"), 0u);
}

TEST_F(X11WindowSystemTest, MatchesTheWindowTextWhenOneIsGiven) {
  const Window other = NewWindow("TMainForm");
  SetUtf8Title(other, "Entwürfe");
  const Window mail = NewWindow("TMainForm");
  SetUtf8Title(mail, "Corvane Mail");
  const Window legacy = NewWindow("LegacyTitle");
  XStoreName(display_, legacy, "Old Style");
  XSync(display_, False);
  EXPECT_EQ(system_->FindTopLevelWindow("TMainForm", "Corvane Mail"), mail);
  EXPECT_EQ(system_->FindTopLevelWindow("TMainForm", "Entwürfe"), other);
  EXPECT_EQ(system_->FindTopLevelWindow("TMainForm", "Corvane"), 0u);
  EXPECT_EQ(system_->FindTopLevelWindow("LegacyTitle", "Old Style"), legacy);
}

TEST_F(X11WindowSystemTest, FindsAClientWindowInsideAWindowManagerFrame) {
  const Window frame = NewWindow(nullptr);
  const Window client = NewWindow("FramedProbe", frame, 0, 0);
  EXPECT_EQ(system_->FindTopLevelWindow("FramedProbe"), client);
}

TEST_F(X11WindowSystemTest, LooksOnlyAmongTheClientsAWindowManagerLists) {
  // A client nested deeper in frames than the tree is searched, and one
  // that the list leaves out.
  Window frame = NewWindow(nullptr);
  for (int depth = 0; depth < 3; ++depth)
    frame = NewWindow(nullptr, frame, 0, 0);
  const Window listed = NewWindow("Listed", frame, 0, 0);
  NewWindow("Unlisted");
  RunWindowManager();
  SetClientList({NewWindow("Other"), listed});
  EXPECT_EQ(system_->FindTopLevelWindow("Listed"), listed);
  EXPECT_EQ(system_->FindTopLevelWindow("Unlisted"), 0u);
}

TEST_F(X11WindowSystemTest, AClientListIsTrustedOnlyWhileItsWindowManagerRuns) {
  const Window running = NewWindow("Running");
  SetClientList({});
  // No window manager ever named itself; one whose check window is gone;
  // one whose check window does not name itself.
  EXPECT_EQ(system_->FindTopLevelWindow("Running"), running);
  const Window gone = NewWindow(nullptr);
  SetWmCheck(DefaultRootWindow(display_), gone);
  XDestroyWindow(display_, gone);
  EXPECT_EQ(system_->FindTopLevelWindow("Running"), running);
  const Window stranger = NewWindow(nullptr);
  SetWmCheck(DefaultRootWindow(display_), stranger);
  SetWmCheck(stranger, running);
  EXPECT_EQ(system_->FindTopLevelWindow("Running"), running);
  RunWindowManager();
  EXPECT_EQ(system_->FindTopLevelWindow("Running"), 0u);
}

TEST_F(X11WindowSystemTest, PostsASystemCommandToTheProgramThatMadeTheWindow) {
  const Window mailClient = NewWindow("TMainForm");
  EXPECT_TRUE(system_->PostSystemCommand(mailClient, 888, 0));
  XSync(display_, False);
  XEvent event{};
  ASSERT_TRUE(XCheckTypedWindowEvent(display_, mailClient, ClientMessage, &event));
  EXPECT_EQ(event.xclient.message_type, XInternAtom(display_, "WM_SYSCOMMAND", False));
  EXPECT_EQ(event.xclient.format, 32);
  const std::vector<long> data(event.xclient.data.l, event.xclient.data.l + 5);
  EXPECT_EQ(data, (std::vector<long>{888, 0, 0, 0, 0}));

  XDestroyWindow(display_, mailClient);
  XSync(display_, False);
  EXPECT_FALSE(system_->PostSystemCommand(mailClient, 888, 0));
}

TEST_F(X11WindowSystemTest, TellsWhetherACtrlKeyIsDownNow) {
  EXPECT_FALSE(system_->IsKeyDown(TKey::kControl));
  for (const std::string key : {"Control_L", "Control_R"}) {
    ASSERT_EQ(std::system(("xdotool keydown " + key).c_str()), 0);
    EXPECT_TRUE(system_->IsKeyDown(TKey::kControl)) << key;
    ASSERT_EQ(std::system(("xdotool keyup " + key).c_str()), 0);
    EXPECT_FALSE(system_->IsKeyDown(TKey::kControl)) << key;
  }
}

TEST_F(X11WindowSystemTest, NamingTheClassKeepsTheInstance) {
  const Window window = NewWindow("ToolkitClass");
  system_->SetWindowClassName(window, "TFormVelunor");
  EXPECT_EQ(ClassOf(window), "TFormVelunor");
  EXPECT_EQ(ClassOf(window, true), "probe");
  EXPECT_EQ(system_->FindTopLevelWindow("TFormVelunor"), window);
}

TEST_F(X11WindowSystemTest, RaisesAWindowAboveTheOthers) {
  const Window lower = NewWindow("Lower");
  const Window upper = NewWindow("Upper");
  XMapWindow(display_, lower);
  XMapWindow(display_, upper);
  XSync(display_, False);
  ASSERT_EQ(StackingOrder().back(), upper);
  system_->RestoreOrRaise(lower);
  EXPECT_EQ(StackingOrder().back(), lower);
}

TEST_F(X11WindowSystemTest, RestoresAMinimisedWindow) {
  const Window window = NewWindow("Minimised");
  // What a window manager records for a minimised (iconic) window.
  const Atom wmState = XInternAtom(display_, "WM_STATE", False);
  const long iconic[2] = {3, 0};
  XChangeProperty(display_, window, wmState, wmState, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(iconic), 2);
  XSync(display_, False);
  system_->RestoreOrRaise(window);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display_, window, &attributes);
  EXPECT_EQ(attributes.map_state, IsViewable);
}

TEST_F(X11WindowSystemTest, ARaisedWindowThatIsNotMinimisedStaysHidden) {
  const Window hidden = NewWindow("Withdrawn");
  system_->RestoreOrRaise(hidden);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display_, hidden, &attributes);
  EXPECT_EQ(attributes.map_state, IsUnmapped);
}

TEST_F(X11WindowSystemTest, ClipboardOutlivesTheProgramOnlyWithAClipboardManager) {
  EXPECT_FALSE(system_->ClipboardOutlivesProgram());
  const Window manager = NewWindow("Manager");
  XSetSelectionOwner(display_, XInternAtom(display_, "CLIPBOARD_MANAGER", False), manager,
                     CurrentTime);
  XSync(display_, False);
  EXPECT_TRUE(system_->ClipboardOutlivesProgram());
}

TEST_F(X11WindowSystemTest, GoneWindowsAreNoError) {
  const Window window = NewWindow("Gone");
  XDestroyWindow(display_, window);
  XSync(display_, False);
  system_->RestoreOrRaise(window);
  system_->SetWindowClassName(window, "Whatever");
  EXPECT_EQ(system_->FindTopLevelWindow("Gone"), 0u);
}

}  // namespace
}  // namespace velunor::platform
