// The window on an X display: a fixed-size form with one caption, and a
// modal message box with one OK button, its text wrapped to stay on
// screen. Text is drawn with Xft, so a folder name in UTF-8 reads as it
// should. libX11 and libXft are loaded only when a display is named:
// without them, or without a display, the program starts no faster or
// slower than its console stand-in, and needs neither to be installed.
#include <X11/Xatom.h>
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/window.h"

namespace scenario {
namespace {

// Every library function the window calls, looked up once at start.
// clang-format off
#define SCENARIO_X11_FUNCTIONS(F) \
  F(XOpenDisplay)                 \
  F(XCloseDisplay)                \
  F(XSetErrorHandler)             \
  F(XInternAtom)                  \
  F(XCreateSimpleWindow)          \
  F(XDestroyWindow)               \
  F(XMapWindow)                   \
  F(XMapRaised)                   \
  F(XStoreName)                   \
  F(XSetClassHint)                \
  F(XSetWMNormalHints)            \
  F(XSetWMProtocols)              \
  F(XSetTransientForHint)         \
  F(XSelectInput)                 \
  F(XChangeProperty)              \
  F(XSetInputFocus)               \
  F(XNextEvent)                   \
  F(XPending)                     \
  F(XFlush)                       \
  F(XLookupKeysym)                \
  F(XCreateGC)                    \
  F(XFreeGC)                      \
  F(XSetForeground)               \
  F(XDrawRectangle)
#define SCENARIO_XFT_FUNCTIONS(F) \
  F(XftFontOpenName)              \
  F(XftFontClose)                 \
  F(XftDrawCreate)                \
  F(XftDrawDestroy)               \
  F(XftDrawStringUtf8)            \
  F(XftTextExtentsUtf8)           \
  F(XftColorAllocValue)           \
  F(XftColorFree)
// clang-format on

struct XLibrary {
#define SCENARIO_DECLARE(name) decltype(&::name) name = nullptr;
  SCENARIO_X11_FUNCTIONS(SCENARIO_DECLARE)
  SCENARIO_XFT_FUNCTIONS(SCENARIO_DECLARE)
#undef SCENARIO_DECLARE
};

// The libraries, loaded on first use and kept for the program's life;
// nullptr when either is missing.
const XLibrary* LoadXLibrary() {
  static const XLibrary* loaded = []() -> const XLibrary* {
    void* x11 = ::dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    void* xft = x11 ? ::dlopen("libXft.so.2", RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (xft == nullptr) return nullptr;
    static XLibrary library;
    bool complete = true;
    auto find = [&](void* handle, const char* name, auto& function) {
      function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
          ::dlsym(handle, name));
      complete = complete && function != nullptr;
    };
#define SCENARIO_FIND_X11(name) find(x11, #name, library.name);
#define SCENARIO_FIND_XFT(name) find(xft, #name, library.name);
    SCENARIO_X11_FUNCTIONS(SCENARIO_FIND_X11)
    SCENARIO_XFT_FUNCTIONS(SCENARIO_FIND_XFT)
#undef SCENARIO_FIND_X11
#undef SCENARIO_FIND_XFT
    return complete ? &library : nullptr;
  }();
  return loaded;
}

constexpr char kCaptionFont[] = "sans-serif:bold:pixelsize=%d";
constexpr char kMessageFont[] = "sans-serif:pixelsize=%d";
// The desktop groups and names windows by their class.
constexpr char kClassName[] = "scenario-writer";
constexpr char kClass[] = "Scenario-writer";
constexpr int kMessagePoints = 10;
constexpr int kMargin = 16;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 28;
// The message's lines are at most this wide, in 96-dpi pixels, and never
// wider than the screen leaves room for.
constexpr int kMessageWidth = 480;
constexpr int kExposeWaitMs = 2000;
constexpr unsigned long kFaceColour = 0xD4D0C8;

// A window manager may refuse the focus or a property; none of that matters
// to a program that only shows a caption and a message.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

class X11Window : public Window {
 public:
  X11Window(const XLibrary& x, Display* display)
      : x_(x), display_(display), screen_(DefaultScreen(display)) {
    x_.XSetErrorHandler(IgnoreErrors);
    const double dpi = DisplayWidthMM(display_, screen_) > 0
                           ? DisplayWidth(display_, screen_) * 25.4 /
                                 DisplayWidthMM(display_, screen_)
                           : 96.0;
    dpi_ = dpi;
    geometry_ = GeometryAt(dpi);
    caption_font_ = OpenFont(kCaptionFont, geometry_.font_pixels);
    message_font_ =
        OpenFont(kMessageFont, static_cast<int>(kMessagePoints * dpi / 72));
    wm_delete_ = x_.XInternAtom(display_, "WM_DELETE_WINDOW", False);
    utf8_ = x_.XInternAtom(display_, "UTF8_STRING", False);
  }

  ~X11Window() override {
    if (caption_font_) x_.XftFontClose(display_, caption_font_);
    if (message_font_) x_.XftFontClose(display_, message_font_);
    if (form_) x_.XDestroyWindow(display_, form_);
    x_.XCloseDisplay(display_);
  }

  void ShowWaiting() override {
    form_ = CreateFixedWindow(
        (DisplayWidth(display_, screen_) - geometry_.client_width) / 2,
        (DisplayHeight(display_, screen_) - geometry_.client_height) / 2,
        geometry_.client_width, geometry_.client_height, ExposureMask);
    x_.XMapWindow(display_, form_);
    WaitForExpose(form_);
    const int ascent = caption_font_ ? caption_font_->ascent : 0;
    DrawText(form_, caption_font_, geometry_.label_left,
             geometry_.label_top + ascent, kWaitingCaption);
    x_.XFlush(display_);
  }

  void ShowMessage(std::string_view message) override {
    const int line_height =
        message_font_ ? message_font_->ascent + message_font_->descent : 14;
    const int screen_width = DisplayWidth(display_, screen_);
    const int screen_height = DisplayHeight(display_, screen_);
    const int most = std::max(
        kButtonWidth, std::min(static_cast<int>(kMessageWidth * dpi_ / 96),
                               screen_width - 4 * kMargin));
    const std::vector<std::string> lines = WrapText(
        message, most,
        [&](std::string_view text) { return TextWidth(message_font_, text); });
    int widest = kButtonWidth;
    for (const std::string& line : lines) {
      widest = std::max(widest, TextWidth(message_font_, line));
    }
    const int width = widest + 2 * kMargin;
    const int text_height = static_cast<int>(lines.size()) * line_height;
    const int height =
        kMargin + text_height + kMargin + kButtonHeight + kMargin;
    const int button_x = (width - kButtonWidth) / 2;
    const int button_y = height - kMargin - kButtonHeight;

    ::Window box = CreateFixedWindow(
        std::max(0, (screen_width - width) / 2),
        std::max(0, (screen_height - height) / 2), width, height,
        ExposureMask | KeyPressMask | ButtonReleaseMask | StructureNotifyMask);
    if (form_) x_.XSetTransientForHint(display_, box, form_);
    MarkModalDialog(box);
    // The text is drawn, not held by a widget: tools that read the screen
    // (screen readers, tests) find it in this property.
    SetText(box, x_.XInternAtom(display_, kMessageProperty, False), message);
    x_.XMapRaised(display_, box);

    for (bool closed = false; !closed;) {
      XEvent event;
      x_.XNextEvent(display_, &event);
      switch (event.type) {
        case Expose:
          if (event.xexpose.count == 0) {
            DrawMessage(box, lines, line_height, button_x, button_y);
          }
          break;
        case MapNotify:
          x_.XSetInputFocus(display_, box, RevertToParent, CurrentTime);
          break;
        case KeyPress: {
          const KeySym key = x_.XLookupKeysym(&event.xkey, 0);
          closed = key == XK_Return || key == XK_KP_Enter || key == XK_Escape;
          break;
        }
        case ButtonRelease:
          closed = event.xbutton.x >= button_x &&
                   event.xbutton.x < button_x + kButtonWidth &&
                   event.xbutton.y >= button_y &&
                   event.xbutton.y < button_y + kButtonHeight;
          break;
        case ClientMessage:
          closed = static_cast<Atom>(event.xclient.data.l[0]) == wm_delete_;
          break;
      }
    }
    x_.XDestroyWindow(display_, box);
    x_.XFlush(display_);
  }

 private:
  XftFont* OpenFont(const char* pattern, int pixels) {
    char name[128];
    std::snprintf(name, sizeof name, pattern, pixels);
    return x_.XftFontOpenName(display_, screen_, name);
  }

  int TextWidth(XftFont* font, std::string_view text) {
    if (font == nullptr) return static_cast<int>(text.size()) * 8;
    XGlyphInfo extents;
    x_.XftTextExtentsUtf8(display_, font,
                          reinterpret_cast<const FcChar8*>(text.data()),
                          static_cast<int>(text.size()), &extents);
    return extents.xOff;
  }

  void DrawText(::Window window, XftFont* font, int x, int y,
                std::string_view text) {
    if (font == nullptr) return;
    Visual* visual = DefaultVisual(display_, screen_);
    Colormap colormap = DefaultColormap(display_, screen_);
    XftDraw* draw = x_.XftDrawCreate(display_, window, visual, colormap);
    if (draw == nullptr) return;
    const XRenderColor black{0, 0, 0, 0xFFFF};
    XftColor colour;
    if (x_.XftColorAllocValue(display_, visual, colormap, &black, &colour)) {
      x_.XftDrawStringUtf8(draw, &colour, font, x, y,
                           reinterpret_cast<const FcChar8*>(text.data()),
                           static_cast<int>(text.size()));
      x_.XftColorFree(display_, visual, colormap, &colour);
    }
    x_.XftDrawDestroy(draw);
  }

  // A window of a fixed client size that the user cannot resize, named
  // and classed as the desktop expects.
  ::Window CreateFixedWindow(int x, int y, int width, int height, long events) {
    ::Window window = x_.XCreateSimpleWindow(
        display_, RootWindow(display_, screen_), x, y,
        static_cast<unsigned>(width), static_cast<unsigned>(height), 1,
        BlackPixel(display_, screen_), kFaceColour);
    x_.XStoreName(display_, window, std::string(kProgramTitle).c_str());
    SetText(window, x_.XInternAtom(display_, "_NET_WM_NAME", False),
            kProgramTitle);
    std::string name = kClassName, class_name = kClass;
    XClassHint class_hint{name.data(), class_name.data()};
    x_.XSetClassHint(display_, window, &class_hint);
    XSizeHints hints{};
    hints.flags = PPosition | PMinSize | PMaxSize;
    hints.x = x;
    hints.y = y;
    hints.min_width = hints.max_width = width;
    hints.min_height = hints.max_height = height;
    x_.XSetWMNormalHints(display_, window, &hints);
    x_.XSetWMProtocols(display_, window, &wm_delete_, 1);
    x_.XSelectInput(display_, window, events);
    return window;
  }

  void SetText(::Window window, Atom property, std::string_view text) {
    x_.XChangeProperty(display_, window, property, utf8_, 8, PropModeReplace,
                       reinterpret_cast<const unsigned char*>(text.data()),
                       static_cast<int>(text.size()));
  }

  void MarkModalDialog(::Window box) {
    Atom type = x_.XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False);
    Atom dialog = x_.XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    Atom state = x_.XInternAtom(display_, "_NET_WM_STATE", False);
    Atom modal = x_.XInternAtom(display_, "_NET_WM_STATE_MODAL", False);
    x_.XChangeProperty(display_, box, type, XA_ATOM, 32, PropModeReplace,
                       reinterpret_cast<unsigned char*>(&dialog), 1);
    x_.XChangeProperty(display_, box, state, XA_ATOM, 32, PropModeReplace,
                       reinterpret_cast<unsigned char*>(&modal), 1);
  }

  // Waits, a bounded time, for the server to ask for the first paint.
  void WaitForExpose(::Window window) {
    XEvent event;
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    for (int waited = 0; waited < kExposeWaitMs; waited += 50) {
      x_.XFlush(display_);
      while (x_.XPending(display_)) {
        x_.XNextEvent(display_, &event);
        if (event.type == Expose && event.xexpose.window == window) return;
      }
      ::poll(&connection, 1, 50);
    }
  }

  void DrawMessage(::Window box, const std::vector<std::string>& lines,
                   int line_height, int button_x, int button_y) {
    const int ascent = message_font_ ? message_font_->ascent : 10;
    for (size_t i = 0; i < lines.size(); ++i) {
      DrawText(box, message_font_, kMargin,
               kMargin + ascent + static_cast<int>(i) * line_height, lines[i]);
    }
    GC gc = x_.XCreateGC(display_, box, 0, nullptr);
    x_.XSetForeground(display_, gc, BlackPixel(display_, screen_));
    x_.XDrawRectangle(display_, box, gc, button_x, button_y, kButtonWidth - 1,
                      kButtonHeight - 1);
    x_.XFreeGC(display_, gc);
    constexpr std::string_view kOk = "OK";
    DrawText(box, message_font_,
             button_x + (kButtonWidth - TextWidth(message_font_, kOk)) / 2,
             button_y + (kButtonHeight + ascent) / 2 - 1, kOk);
  }

  const XLibrary& x_;
  Display* display_;
  int screen_;
  double dpi_ = 96;
  WindowGeometry geometry_{};
  XftFont* caption_font_ = nullptr;
  XftFont* message_font_ = nullptr;
  Atom wm_delete_;
  Atom utf8_;
  ::Window form_ = 0;
};

}  // namespace

std::unique_ptr<Window> OpenDesktopWindow() {
  // No display named: the libraries are not even loaded.
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return nullptr;
  const XLibrary* x = LoadXLibrary();
  if (x == nullptr) return nullptr;
  Display* display = x->XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  return std::make_unique<X11Window>(*x, display);
}

}  // namespace scenario
