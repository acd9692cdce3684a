// The real window on Windows, or under Wine with a display: its form of
// 4200 x 2688 twips with the caption painted, and the message box with
// its text, closed by Enter, Escape or its button. Each is captured to a
// bitmap in the build folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/window.h"
#include "base/win32.h"

namespace scenario {
namespace {

// Wine tells itself by an export of its own; with no X display there is
// no desktop to show a window on.
bool NoDesktop() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  const bool wine =
      ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version");
  return wine && std::getenv("DISPLAY") == nullptr;
}

// A window's client area as 32-bit pixels, read back from the screen.
struct Capture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first

  uint32_t At(int x, int y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) +
                  static_cast<size_t>(x)];
  }

  // Kept as a bitmap file, to be looked at.
  void Save(const std::string& name) const {
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const DWORD bytes = static_cast<DWORD>(pixels.size() * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + bytes;
    std::ofstream out(std::string(SCENARIO_BINARY_DIR) + "/" + name,
                      std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(pixels.data()), bytes);
  }
};

Capture CaptureClient(HWND window) {
  RECT client;
  ::GetClientRect(window, &client);
  Capture capture;
  capture.width = client.right;
  capture.height = client.bottom;
  capture.pixels.resize(static_cast<size_t>(capture.width) *
                        static_cast<size_t>(capture.height));
  const HDC source = ::GetDC(window);
  const HDC memory = ::CreateCompatibleDC(source);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HBITMAP bitmap =
      ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, capture.width, capture.height, source, 0, 0, SRCCOPY);
  ::GdiFlush();
  std::memcpy(capture.pixels.data(), bits, capture.pixels.size() * 4);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(window, source);
  return capture;
}

// Waits for a top-level window of `class_name` to be shown.
HWND AwaitWindow(const wchar_t* class_name) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    const HWND found = ::FindWindowW(class_name, Wide(kProgramTitle).c_str());
    if (found != nullptr && ::IsWindowVisible(found)) return found;
    ::Sleep(20);
  }
  return nullptr;
}

std::string TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1,
                    L'\0');
  text.resize(static_cast<size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

// The longest text of a box's children: its message.
std::string MessageOf(HWND box) {
  std::string longest;
  ::EnumChildWindows(
      box,
      [](HWND child, LPARAM found) -> BOOL {
        std::string& text = *reinterpret_cast<std::string*>(found);
        const std::string mine = TextOf(child);
        if (mine.size() > text.size()) text = mine;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&longest));
  return longest;
}

TEST(Win32WindowTest, TheFormIsItsSizeInTwipsAndShowsTheCaption) {
  if (NoDesktop()) GTEST_SKIP() << "no X display for Wine";
  auto window = OpenDesktopWindow();
  window->ShowWaiting();
  const HWND form = AwaitWindow(L"scenario-writer");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(TextOf(form), kProgramTitle);
  const HDC screen = ::GetDC(nullptr);
  const WindowGeometry g = GeometryAt(::GetDeviceCaps(screen, LOGPIXELSY));
  ::ReleaseDC(nullptr, screen);

  const Capture capture = CaptureClient(form);
  capture.Save("win32_window.bmp");
  ASSERT_EQ(capture.width, g.client_width);
  ASSERT_EQ(capture.height, g.client_height);
  // The face colour everywhere but where the caption is drawn.
  const uint32_t face = capture.At(0, 0);
  size_t ink_in_label = 0, ink_outside = 0;
  for (int y = 0; y < capture.height; ++y) {
    for (int x = 0; x < capture.width; ++x) {
      const bool in_label =
          x >= g.label_left && x < g.label_left + g.label_width &&
          y >= g.label_top && y < g.label_top + g.label_height;
      if (capture.At(x, y) != face) ++(in_label ? ink_in_label : ink_outside);
    }
  }
  EXPECT_GT(ink_in_label, 200u) << "the caption is painted";
  EXPECT_EQ(ink_outside, 0u);
}

TEST(Win32WindowTest, TheMessageBoxShowsTheMessageAndClosesOnEachKey) {
  if (NoDesktop()) GTEST_SKIP() << "no X display for Wine";
  const std::string message = "Impossibile scrivere C:\\Città\\R_linea.dat";
  struct Close {
    const char* how;
    UINT message;
    WPARAM key;
  } closes[] = {
      {"Enter", WM_KEYDOWN, VK_RETURN},
      {"Escape", WM_KEYDOWN, VK_ESCAPE},
      {"OK", BM_CLICK, 0},
  };
  auto window = OpenDesktopWindow();
  window->ShowWaiting();
  for (const Close& close : closes) {
    SCOPED_TRACE(close.how);
    std::atomic<bool> shown = false, closed = false, forced = false;
    std::string text;
    // The box is modal: it is looked at and closed from beside it.
    std::thread user([&] {
      const HWND box = AwaitWindow(L"#32770");
      if (box == nullptr) return;
      shown = true;
      text = MessageOf(box);
      if (close.message == WM_KEYDOWN && close.key == VK_RETURN) {
        CaptureClient(box).Save("win32_message_box.bmp");
      }
      const HWND button = ::GetDlgItem(box, IDOK);
      ::PostMessageW(button, close.message, close.key, 0);
      for (int i = 0; i < 250 && !closed; ++i) ::Sleep(20);
      // Left open by the key: closed anyway, so that the test ends.
      if (!closed) {
        forced = true;
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
    });
    window->ShowMessage(message);
    closed = true;
    user.join();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(forced) << "the box stayed open";
    EXPECT_EQ(text, message);
  }
}

}  // namespace
}  // namespace scenario
