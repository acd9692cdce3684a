#ifndef APP_WINDOW_H_
#define APP_WINDOW_H_

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

inline constexpr std::string_view kProgramTitle = "scenario-writer";
inline constexpr std::string_view kWaitingCaption = "Attendere";
// The X property of the message box that holds its text.
inline constexpr char kMessageProperty[] = "_SCENARIO_MESSAGE";

// The waiting window and the message box, the program's only user interface.
class Window {
 public:
  virtual ~Window() = default;
  // Shows the window and paints it once; it is not serviced afterwards.
  virtual void ShowWaiting() = 0;
  // A modal message with a single OK button; returns once it is closed.
  virtual void ShowMessage(std::string_view message) = 0;
};

// The window's layout in twips (1/1440 inch), converted to pixels at the
// display's resolution.
struct WindowGeometry {
  int client_width;
  int client_height;
  int label_left;
  int label_top;
  int label_width;
  int label_height;
  int font_pixels;  // the caption's 24-point font
};
WindowGeometry GeometryAt(double dots_per_inch);

// A message's lines, none wider than `most` as `width` measures it:
// broken at spaces, and a word too wide alone (a long path) broken
// between its characters, never inside one.
std::vector<std::string> WrapText(
    std::string_view text, int most,
    const std::function<int(std::string_view)>& width);

// A real window when a display can be opened, else the console stand-in.
std::unique_ptr<Window> OpenWindow();

// The stand-in: writes to `out`; the message box waits for Enter on `in`
// only when `wait_for_enter` is set.
std::unique_ptr<Window> OpenConsoleWindow(FILE* out, FILE* in,
                                          bool wait_for_enter);

// A window on the desktop, the X display's (x11_window.cc) or Windows'
// (win32_window.cc), or nullptr when none can be opened (or the program
// was built without either).
std::unique_ptr<Window> OpenDesktopWindow();

}  // namespace scenario

#endif  // APP_WINDOW_H_
