// The real window, on a virtual X display: skipped where Xvfb is missing.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
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
      std::freopen("/dev/null", "w", stderr);
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
      std::freopen("/dev/null", "r", stdin);
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
  EXPECT_EQ(Wait(pid), kExitComplete);
  EXPECT_TRUE(fs::exists(folder / "Valdorsio-Ronsale_37264.dat"));
  fs::remove_all(folder);
}

TEST_F(VirtualDisplayTest, TheMessageBoxShowsTheErrorAndClosesOnEnter) {
  const pid_t pid = Child([] {
    std::unique_ptr<Window> window = OpenX11Window();
    if (!window) ::_exit(99);
    errore(*window, "1250");
  });

  ::Window box = 0;
  XEvent event;
  while (box == 0 && NextEvent(&event)) {
    if (event.type == MapNotify) box = event.xmap.window;
  }
  ASSERT_NE(box, 0u);
  Atom type;
  int format;
  unsigned long length, after;
  unsigned char* text = nullptr;
  ASSERT_EQ(XGetWindowProperty(display_, box,
                               XInternAtom(display_, kMessageProperty, False),
                               0, 1024, False, XA_STRING, &type, &format,
                               &length, &after, &text),
            Success);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(text), length),
            " Errore n. 1250");
  XFree(text);

  XKeyEvent enter{};
  enter.type = KeyPress;
  enter.display = display_;
  enter.window = box;
  enter.root = DefaultRootWindow(display_);
  enter.keycode = XKeysymToKeycode(display_, XK_Return);
  enter.same_screen = True;
  XSendEvent(display_, box, True, KeyPressMask,
             reinterpret_cast<XEvent*>(&enter));
  XFlush(display_);
  EXPECT_EQ(Wait(pid), kExitNumberedError);
}

}  // namespace
}  // namespace scenario
