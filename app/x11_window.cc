// The window on an X display: a fixed-size form with one caption, and a
// modal message box with one OK button. Core X fonts only, so that the
// program needs nothing beyond libX11.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/window.h"

namespace scenario {
namespace {

// Bold sans-serif first, then anything bold, then the font every X server has.
constexpr const char* kCaptionFonts[] = {
    "-*-helvetica-bold-r-normal--%d-*-*-*-*-*-iso8859-1",
    "-*-*-bold-r-normal-sans-%d-*-*-*-*-*-iso8859-1",
    "-*-*-bold-r-*-*-%d-*-*-*-*-*-*-*",
};
constexpr const char* kMessageFonts[] = {
    "-*-helvetica-medium-r-normal--%d-*-*-*-*-*-iso8859-1",
    "-*-*-medium-r-normal-sans-%d-*-*-*-*-*-iso8859-1",
};
constexpr const char* kFallbackFont = "fixed";
constexpr int kMessagePoints = 10;
constexpr int kMargin = 16;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 28;
constexpr int kExposeWaitMs = 2000;

// A window manager may refuse the focus or a property; none of that matters
// to a program that only shows a caption and a message.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

XFontStruct* LoadFont(Display* display, const char* const* patterns,
                      size_t count, int pixels) {
  for (size_t i = 0; i < count; ++i) {
    char name[128];
    std::snprintf(name, sizeof name, patterns[i], pixels);
    if (XFontStruct* font = XLoadQueryFont(display, name)) return font;
  }
  return XLoadQueryFont(display, kFallbackFont);
}

int TextWidth(XFontStruct* font, std::string_view text) {
  return font ? XTextWidth(font, text.data(), static_cast<int>(text.size()))
              : static_cast<int>(text.size()) * 8;
}

class X11Window : public Window {
 public:
  explicit X11Window(Display* display)
      : display_(display), screen_(DefaultScreen(display)) {
    XSetErrorHandler(IgnoreErrors);
    const double dpi = DisplayWidthMM(display_, screen_) > 0
                           ? DisplayWidth(display_, screen_) * 25.4 /
                                 DisplayWidthMM(display_, screen_)
                           : 96.0;
    geometry_ = GeometryAt(dpi);
    caption_font_ = LoadFont(display_, kCaptionFonts, std::size(kCaptionFonts),
                             geometry_.font_pixels);
    message_font_ = LoadFont(display_, kMessageFonts, std::size(kMessageFonts),
                             static_cast<int>(kMessagePoints * dpi / 72));
    wm_delete_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  }

  ~X11Window() override {
    if (caption_font_) XFreeFont(display_, caption_font_);
    if (message_font_) XFreeFont(display_, message_font_);
    if (form_) XDestroyWindow(display_, form_);
    XCloseDisplay(display_);
  }

  void ShowWaiting() override {
    form_ = CreateFixedWindow(geometry_.client_width, geometry_.client_height,
                              ExposureMask);
    XMapWindow(display_, form_);
    WaitForExpose(form_);
    GC gc = XCreateGC(display_, form_, 0, nullptr);
    XSetForeground(display_, gc, BlackPixel(display_, screen_));
    if (caption_font_) XSetFont(display_, gc, caption_font_->fid);
    const int ascent = caption_font_ ? caption_font_->ascent : 0;
    XDrawString(display_, form_, gc, geometry_.label_left,
                geometry_.label_top + ascent, kWaitingCaption.data(),
                static_cast<int>(kWaitingCaption.size()));
    XFreeGC(display_, gc);
    XFlush(display_);
  }

  void ShowMessage(std::string_view message) override {
    const int line_height =
        message_font_ ? message_font_->ascent + message_font_->descent : 14;
    const int width = std::max(TextWidth(message_font_, message) + 2 * kMargin,
                               kButtonWidth + 2 * kMargin);
    const int height =
        kMargin + line_height + kMargin + kButtonHeight + kMargin;
    const int button_x = (width - kButtonWidth) / 2;
    const int button_y = height - kMargin - kButtonHeight;

    ::Window box = CreateFixedWindow(
        width, height,
        ExposureMask | KeyPressMask | ButtonReleaseMask | StructureNotifyMask);
    if (form_) XSetTransientForHint(display_, box, form_);
    MarkModalDialog(box);
    // The text is drawn, not held by a widget: tools that read the screen
    // (screen readers, tests) find it in this property.
    XChangeProperty(display_, box,
                    XInternAtom(display_, kMessageProperty, False), XA_STRING,
                    8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(message.data()),
                    static_cast<int>(message.size()));
    XMapRaised(display_, box);

    GC gc = XCreateGC(display_, box, 0, nullptr);
    if (message_font_) XSetFont(display_, gc, message_font_->fid);
    for (bool closed = false; !closed;) {
      XEvent event;
      XNextEvent(display_, &event);
      switch (event.type) {
        case Expose:
          if (event.xexpose.count == 0) {
            DrawMessage(box, gc, message, button_x, button_y);
          }
          break;
        case MapNotify:
          XSetInputFocus(display_, box, RevertToParent, CurrentTime);
          break;
        case KeyPress: {
          KeySym key = XLookupKeysym(&event.xkey, 0);
          closed = key == XK_Return || key == XK_KP_Enter;
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
    XFreeGC(display_, gc);
    XDestroyWindow(display_, box);
    XFlush(display_);
  }

 private:
  // A centred window of a fixed client size that the user cannot resize.
  ::Window CreateFixedWindow(int width, int height, long events) {
    const int x = (DisplayWidth(display_, screen_) - width) / 2;
    const int y = (DisplayHeight(display_, screen_) - height) / 2;
    ::Window window = XCreateSimpleWindow(
        display_, RootWindow(display_, screen_), x, y, width, height, 1,
        BlackPixel(display_, screen_), 0xD4D0C8);
    XStoreName(display_, window, std::string(kProgramTitle).c_str());
    XSizeHints hints{};
    hints.flags = PPosition | PMinSize | PMaxSize;
    hints.x = x;
    hints.y = y;
    hints.min_width = hints.max_width = width;
    hints.min_height = hints.max_height = height;
    XSetWMNormalHints(display_, window, &hints);
    XSetWMProtocols(display_, window, &wm_delete_, 1);
    XSelectInput(display_, window, events);
    return window;
  }

  void MarkModalDialog(::Window box) {
    Atom type = XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False);
    Atom dialog = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    Atom state = XInternAtom(display_, "_NET_WM_STATE", False);
    Atom modal = XInternAtom(display_, "_NET_WM_STATE_MODAL", False);
    XChangeProperty(display_, box, type, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&dialog), 1);
    XChangeProperty(display_, box, state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&modal), 1);
  }

  // Waits, a bounded time, for the server to ask for the first paint.
  void WaitForExpose(::Window window) {
    XEvent event;
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    for (int waited = 0; waited < kExposeWaitMs; waited += 50) {
      XFlush(display_);
      while (XPending(display_)) {
        XNextEvent(display_, &event);
        if (event.type == Expose && event.xexpose.window == window) return;
      }
      ::poll(&connection, 1, 50);
    }
  }

  void DrawMessage(::Window box, GC gc, std::string_view message, int button_x,
                   int button_y) {
    const int ascent = message_font_ ? message_font_->ascent : 10;
    XSetForeground(display_, gc, BlackPixel(display_, screen_));
    XDrawString(display_, box, gc, kMargin, kMargin + ascent, message.data(),
                static_cast<int>(message.size()));
    XDrawRectangle(display_, box, gc, button_x, button_y, kButtonWidth - 1,
                   kButtonHeight - 1);
    constexpr std::string_view kOk = "OK";
    XDrawString(display_, box, gc,
                button_x + (kButtonWidth - TextWidth(message_font_, kOk)) / 2,
                button_y + (kButtonHeight + ascent) / 2 - 1, kOk.data(),
                static_cast<int>(kOk.size()));
  }

  Display* display_;
  int screen_;
  WindowGeometry geometry_{};
  XFontStruct* caption_font_ = nullptr;
  XFontStruct* message_font_ = nullptr;
  Atom wm_delete_;
  ::Window form_ = 0;
};

}  // namespace

std::unique_ptr<Window> OpenX11Window() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  return std::make_unique<X11Window>(display);
}

}  // namespace scenario
