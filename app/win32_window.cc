// The window on Windows: the form of 4200 x 2688 twips with "Attendere" in
// bold 24 pt, painted once before the work, and messages in the system's
// modal box with its OK button, which Enter and Escape close too.
#include <windows.h>

#include "app/window.h"
#include "base/win32.h"

namespace scenario {
namespace {

constexpr wchar_t kClassName[] = L"scenario-writer";

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  return ::DefWindowProcW(window, message, w, l);
}

class Win32Window : public Window {
 public:
  Win32Window() {
    const HDC screen = ::GetDC(nullptr);
    dpi_ = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
  }
  ~Win32Window() override {
    if (font_) ::DeleteObject(font_);
    if (window_) ::DestroyWindow(window_);
  }

  void ShowWaiting() override {
    const WindowGeometry g = GeometryAt(dpi_);
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW form = {};
    form.lpfnWndProc = Procedure;
    form.hInstance = instance;
    form.hCursor = ::LoadCursorW(nullptr, IDC_WAIT);
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.lpszClassName = kClassName;
    ::RegisterClassW(&form);
    // The client area is the form's; the frame and title come around it.
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION;
    RECT frame = {0, 0, g.client_width, g.client_height};
    ::AdjustWindowRect(&frame, kStyle, FALSE);
    window_ = ::CreateWindowW(
        kClassName, Wide(kProgramTitle).c_str(), kStyle, CW_USEDEFAULT,
        CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
        nullptr, nullptr, instance, nullptr);
    if (window_ == nullptr) return;
    ::ShowWindow(window_, SW_SHOW);
    ::UpdateWindow(window_);
    font_ = ::CreateFontW(-g.font_pixels, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
    // Painted once, now: the work that follows does not service the window.
    const HDC dc = ::GetDC(window_);
    RECT client;
    ::GetClientRect(window_, &client);
    ::FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const HGDIOBJ old = ::SelectObject(dc, font_);
    ::SetBkMode(dc, TRANSPARENT);
    RECT label = {g.label_left, g.label_top, g.label_left + g.label_width,
                  g.label_top + g.label_height};
    const std::wstring caption = Wide(kWaitingCaption);
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &label,
                DT_LEFT | DT_TOP | DT_SINGLELINE);
    ::SelectObject(dc, old);
    ::ReleaseDC(window_, dc);
    ::GdiFlush();
  }

  void ShowMessage(std::string_view message) override {
    ::MessageBoxW(window_, Wide(message).c_str(), Wide(kProgramTitle).c_str(),
                  MB_OK | MB_TASKMODAL);
  }

 private:
  int dpi_ = 96;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
};

}  // namespace

std::unique_ptr<Window> OpenDesktopWindow() {
  return std::make_unique<Win32Window>();
}

}  // namespace scenario
