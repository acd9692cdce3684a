#include "app/window.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace scenario {
namespace {

TEST(WindowTest, GeometryInPixels) {
  // 15 twips a pixel at 96 dpi; 24 points are 32 pixels there.
  WindowGeometry at96 = GeometryAt(96);
  EXPECT_EQ(at96.client_width, 280);
  EXPECT_EQ(at96.client_height, 179);  // 179.2
  EXPECT_EQ(at96.label_left, 64);
  EXPECT_EQ(at96.label_top, 64);
  EXPECT_EQ(at96.label_width, 177);  // 176.8
  EXPECT_EQ(at96.label_height, 53);  // 52.8
  EXPECT_EQ(at96.font_pixels, 32);
  WindowGeometry at120 = GeometryAt(120);
  EXPECT_EQ(at120.client_width, 350);
  EXPECT_EQ(at120.client_height, 224);
  EXPECT_EQ(at120.font_pixels, 40);
}

// Reads back what the console stand-in wrote.
std::string Written(FILE* f) {
  std::rewind(f);
  std::string text;
  for (int c; (c = std::fgetc(f)) != EOF;) text += static_cast<char>(c);
  return text;
}

TEST(WindowTest, ConsoleStandIn) {
  FILE* out = std::tmpfile();
  FILE* in = std::tmpfile();
  auto window = OpenConsoleWindow(out, in, false);
  window->ShowWaiting();
  window->ShowMessage(" Errore n. 1250");
  EXPECT_EQ(Written(out), "Attendere\n Errore n. 1250\n");
  std::fclose(out);
  std::fclose(in);
}

TEST(WindowTest, ConsoleMessageWaitsForEnterWhenAsked) {
  FILE* out = std::tmpfile();
  FILE* in = std::tmpfile();
  std::fputs("typed\nafter\n", in);
  std::rewind(in);
  OpenConsoleWindow(out, in, true)->ShowMessage("m");
  // The line up to Enter is consumed, the rest left for others.
  char rest[16] = {};
  ASSERT_NE(std::fgets(rest, sizeof rest, in), nullptr);
  EXPECT_STREQ(rest, "after\n");
  std::fclose(out);
  std::fclose(in);
}

TEST(WindowTest, MessagesWrapAtSpacesAndLongWordsBetweenCharacters) {
  // Every character (not byte) is one unit wide.
  const auto width = [](std::string_view text) {
    int characters = 0;
    for (char c : text) characters += (c & 0xC0) != 0x80;
    return characters;
  };
  struct Case {
    std::string text;
    int most;
    std::vector<std::string> lines;
  } cases[] = {
      {"Errore n. 1250", 40, {"Errore n. 1250"}},
      {"la cartella di prova", 11, {"la cartella", "di prova"}},
      {"a /città/già/lì b", 5, {"a", "/citt", "à/già", "/lì b"}},
      {"", 10, {""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WrapText(c.text, c.most, width), c.lines) << c.text;
  }
}

}  // namespace
}  // namespace scenario
