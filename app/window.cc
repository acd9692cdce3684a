#include "app/window.h"

#include <cmath>
#include <string>

#include "base/platform.h"

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

std::vector<std::string> WrapText(
    std::string_view text, int most,
    const std::function<int(std::string_view)>& width) {
  std::vector<std::string> lines;
  std::string line;
  auto fits = [&](std::string_view candidate) {
    return width(candidate) <= most;
  };
  size_t at = 0;
  while (at < text.size()) {
    const size_t space = text.find(' ', at);
    const std::string_view word =
        text.substr(at, space == std::string_view::npos ? space : space - at);
    at = space == std::string_view::npos ? text.size() : space + 1;
    const std::string joined =
        line.empty() ? std::string(word) : line + " " + std::string(word);
    if (fits(joined)) {
      line = joined;
      continue;
    }
    if (!line.empty()) lines.push_back(line);
    line.clear();
    // A word wider than a line goes a character at a time: UTF-8
    // continuation bytes stay with the character they belong to.
    for (size_t i = 0; i < word.size();) {
      size_t next = i + 1;
      while (next < word.size() && (word[next] & 0xC0) == 0x80) ++next;
      const std::string_view character = word.substr(i, next - i);
      if (!line.empty() && !fits(line + std::string(character))) {
        lines.push_back(line);
        line.clear();
      }
      line += character;
      i = next;
    }
  }
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

std::unique_ptr<Window> OpenConsoleWindow(FILE* out, FILE* in,
                                          bool wait_for_enter) {
  return std::make_unique<ConsoleWindow>(out, in, wait_for_enter);
}

std::unique_ptr<Window> OpenWindow() {
  if (auto window = OpenDesktopWindow()) return window;
  return OpenConsoleWindow(stderr, stdin, InputIsTerminal());
}

#ifndef SCENARIO_HAVE_DESKTOP_WINDOW
std::unique_ptr<Window> OpenDesktopWindow() { return nullptr; }
#endif

}  // namespace scenario
