#include "app/window.h"

#include <unistd.h>

#include <cmath>

namespace scenario {
namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kPointsPerInch = 72;

// The form as designed: client area, label box and caption size.
constexpr int kClientWidthTwips = 4200;
constexpr int kClientHeightTwips = 2688;
constexpr int kLabelLeftTwips = 960;
constexpr int kLabelTopTwips = 960;
constexpr int kLabelWidthTwips = 2652;
constexpr int kLabelHeightTwips = 792;
constexpr int kCaptionPoints = 24;

class ConsoleWindow : public Window {
 public:
  ConsoleWindow(FILE* out, FILE* in, bool wait_for_enter)
      : out_(out), in_(in), wait_for_enter_(wait_for_enter) {}

  void ShowWaiting() override {
    std::fprintf(out_, "%.*s\n", static_cast<int>(kWaitingCaption.size()),
                 kWaitingCaption.data());
    std::fflush(out_);
  }

  void ShowMessage(std::string_view message) override {
    std::fprintf(out_, "%.*s\n", static_cast<int>(message.size()),
                 message.data());
    if (wait_for_enter_) {
      std::fputs("[OK: Invio]\n", out_);
      std::fflush(out_);
      for (int c = std::fgetc(in_); c != '\n' && c != EOF;) c = std::fgetc(in_);
    }
    std::fflush(out_);
  }

 private:
  FILE* out_;
  FILE* in_;
  bool wait_for_enter_;
};

}  // namespace

WindowGeometry GeometryAt(double dots_per_inch) {
  auto pixels = [&](double twips) {
    return static_cast<int>(
        std::nearbyint(twips * dots_per_inch / kTwipsPerInch));
  };
  return {pixels(kClientWidthTwips),
          pixels(kClientHeightTwips),
          pixels(kLabelLeftTwips),
          pixels(kLabelTopTwips),
          pixels(kLabelWidthTwips),
          pixels(kLabelHeightTwips),
          static_cast<int>(
              std::nearbyint(kCaptionPoints * dots_per_inch / kPointsPerInch))};
}

std::unique_ptr<Window> OpenConsoleWindow(FILE* out, FILE* in,
                                          bool wait_for_enter) {
  return std::make_unique<ConsoleWindow>(out, in, wait_for_enter);
}

std::unique_ptr<Window> OpenWindow() {
  if (auto window = OpenX11Window()) return window;
  return OpenConsoleWindow(stderr, stdin, ::isatty(STDIN_FILENO));
}

#ifndef SCENARIO_HAVE_X11
std::unique_ptr<Window> OpenX11Window() { return nullptr; }
#endif

}  // namespace scenario
