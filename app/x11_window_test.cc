// The real window, on a virtual X display: skipped where Xvfb is missing.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/run.h"
#include "app/window.h"

// Xlib's macros (Status, None, Bool) would clash with the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace scenario {
namespace {

namespace fs = std::filesystem;

constexpr char kXvfb[] = "/usr/bin/Xvfb";

// Starts Xvfb on a free display number and watches its root window for
// the windows that clients create and map.
class VirtualDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kXvfb)) GTEST_SKIP() << "Xvfb is not installed";
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    server_ = ::fork();
    if (server_ == 0) {
      ::dup2(fds[1], 3);
      if (!std::freopen("/dev/null", "w", stderr)) ::_exit(127);
      ::execl(kXvfb, kXvfb, "-displayfd", "3", "-screen", "0", "1024x768x24",
              "-nolisten", "tcp", nullptr);
      ::_exit(127);
    }
    ::close(fds[1]);
    // The server writes the number, then a newline, in two writes: read to
    // the newline, or the server fails on writing to a closed pipe.
    std::string number;
    for (char c = 0; c != '\n';) {
      pollfd ready{fds[0], POLLIN, 0};
      ASSERT_GT(::poll(&ready, 1, 10000), 0) << "Xvfb did not start";
      ASSERT_EQ(::read(fds[0], &c, 1), 1) << "Xvfb did not start";
      if (c != '\n') number += c;
    }
    ::close(fds[0]);
    name_ = ":" + number;
    display_ = XOpenDisplay(name_.c_str());
    ASSERT_NE(display_, nullptr) << "cannot connect to " << name_;
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
    XSync(display_, False);
  }

  void TearDown() override {
    if (display_) XCloseDisplay(display_);
    if (server_ > 0) {
      ::kill(server_, SIGTERM);
      ::waitpid(server_, nullptr, 0);
    }
  }

  // The next event, waiting at most five seconds.
  bool NextEvent(XEvent* event) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!XPending(display_)) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      pollfd connection{ConnectionNumber(display_), POLLIN, 0};
      ::poll(&connection, 1, 50);
    }
    XNextEvent(display_, event);
    return true;
  }

  // Starts `body` in a child process connected to the virtual display.
  pid_t Child(auto body) {
    pid_t pid = ::fork();
    if (pid == 0) {
      ::setenv("DISPLAY", name_.c_str(), 1);
      if (!std::freopen("/dev/null", "r", stdin)) ::_exit(127);
      body();
      ::_exit(0);
    }
    return pid;
  }

  int Wait(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  struct MessageBox {
    ::Window window = 0;
    int x = 0, y = 0, width = 0, height = 0;
  };

  // The first window a client maps, where it was created.
  MessageBox AwaitMessageBox() {
    MessageBox box;
    XEvent event;
    while (NextEvent(&event)) {
      if (event.type == CreateNotify && box.window == 0) {
        box = {event.xcreatewindow.window, event.xcreatewindow.x,
               event.xcreatewindow.y, event.xcreatewindow.width,
               event.xcreatewindow.height};
      }
      if (event.type == MapNotify && event.xmap.window == box.window) break;
    }
    return box;
  }

  std::string Property(::Window window, const char* name) {
    Atom type;
    int format;
    unsigned long length, after;
    unsigned char* text = nullptr;
    if (XGetWindowProperty(display_, window, XInternAtom(display_, name, False),
                           0, 4096, False, AnyPropertyType, &type, &format,
                           &length, &after, &text) != Success ||
        text == nullptr) {
      return "(none)";
    }
    std::string value(reinterpret_cast<char*>(text), length);
    XFree(text);
    return value;
  }

  void Press(::Window window, KeySym key) {
    XKeyEvent press{};
    press.type = KeyPress;
    press.display = display_;
    press.window = window;
    press.root = DefaultRootWindow(display_);
    press.keycode = XKeysymToKeycode(display_, key);
    press.same_screen = True;
    XSendEvent(display_, window, True, KeyPressMask,
               reinterpret_cast<XEvent*>(&press));
    XFlush(display_);
  }

  double DotsPerInch() {
    const int screen = DefaultScreen(display_);
    return DisplayWidth(display_, screen) * 25.4 /
           DisplayWidthMM(display_, screen);
  }

  pid_t server_ = 0;
  std::string name_;
  Display* display_ = nullptr;
};

TEST_F(VirtualDisplayTest, TheProgramShowsItsWindowAndCompletes) {
  char pattern[] = "/tmp/scenario_window_test.XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const fs::path folder = pattern;
  fs::copy_file(SCENARIO_WRITER_PATH, folder / "scenario-writer");
  const std::string program = (folder / "scenario-writer").string();
  const pid_t pid =
      Child([&] { ::execl(program.c_str(), program.c_str(), nullptr); });

  const WindowGeometry expected = GeometryAt(DotsPerInch());
  ::Window created = 0;
  int width = 0, height = 0;
  bool mapped = false;
  XEvent event;
  while (!mapped && NextEvent(&event)) {
    if (event.type == CreateNotify && created == 0) {
      created = event.xcreatewindow.window;
      width = event.xcreatewindow.width;
      height = event.xcreatewindow.height;
    }
    mapped = event.type == MapNotify && event.xmap.window == created;
  }
  EXPECT_TRUE(mapped);
  EXPECT_EQ(width, expected.client_width);
  EXPECT_EQ(height, expected.client_height);
  EXPECT_EQ(Wait(pid), kExitSuccess);
  EXPECT_TRUE(fs::exists(folder / "Valdorsio-Ronsale_37264.dat"));
  fs::remove_all(folder);
}

TEST_F(VirtualDisplayTest, TheMessageBoxShowsTheErrorAndClosesOnEnter) {
  const pid_t pid = Child([] {
    std::unique_ptr<Window> window = OpenDesktopWindow();
    if (!window) ::_exit(99);
    std::exit(errore(*window, "1250"));
  });
  const MessageBox box = AwaitMessageBox();
  ASSERT_NE(box.window, 0u);
  EXPECT_EQ(Property(box.window, kMessageProperty), " Errore n. 1250");
  EXPECT_EQ(Property(box.window, "_NET_WM_NAME"), "scenario-writer");
  EXPECT_EQ(Property(box.window, "WM_CLASS"),
            std::string("scenario-writer\0Scenario-writer\0", 32));
  Press(box.window, XK_Return);
  EXPECT_EQ(Wait(pid), kExitError);
}

TEST_F(VirtualDisplayTest, ALongMessageWrapsOnScreenAndClosesOnEscape) {
  // A deep folder with a name in UTF-8, as the error of a locked folder
  // names it.
  std::string message = "Errore: la cartella ";
  for (int i = 0; i < 12; ++i)
    message += "/città_di_prova_" + std::to_string(i);
  message += " è già in uso da un altro scenario-writer.";
  const pid_t pid = Child([&] {
    std::unique_ptr<Window> window = OpenDesktopWindow();
    if (!window) ::_exit(99);
    window->ShowMessage(message);
    ::_exit(7);
  });
  const MessageBox box = AwaitMessageBox();
  ASSERT_NE(box.window, 0u);
  EXPECT_EQ(Property(box.window, kMessageProperty), message);
  // The screen is 1024 by 768: the box stays on it, its text on several
  // lines.
  EXPECT_GE(box.x, 0);
  EXPECT_LE(box.x + box.width, 1024);
  EXPECT_GE(box.y, 0);
  EXPECT_LE(box.y + box.height, 768);
  EXPECT_GT(box.height, 150);
  Press(box.window, XK_Escape);
  EXPECT_EQ(Wait(pid), 7);
}

}  // namespace
}  // namespace scenario
