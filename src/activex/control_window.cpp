// The control's child window in the container's window: its class and its messages.
#include "control_window.h"

#include "ole_control.h"
#include "server_state.h"

namespace qv::activex {
namespace {

constexpr wchar_t kWindowClass[] = L"QuorvantixControl";

LRESULT CALLBACK controlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* control = reinterpret_cast<OleControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (control != nullptr && control->window() == window) {
        return control->handleMessage(message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerWindowClass() {
    WNDCLASSW wc{};
    if (GetClassInfoW(moduleInstance(), kWindowClass, &wc)) return true;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = controlWindowProc;
    wc.hInstance = moduleInstance();
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kWindowClass;
    return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND createControlWindow(OleControl& control, HWND parent, const RECT& position, std::int32_t width,
                         std::int32_t height) {
    if (parent == nullptr || !registerWindowClass()) return nullptr;
    return CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_CLIPSIBLINGS, position.left,
                           position.top, width, height, parent, nullptr, moduleInstance(),
                           &control);
}

LRESULT OleControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window_, &ps);
            paintHosted(dc, 0, 0, hosted().Width, hosted().Height);
            EndPaint(window_, &ps);
            return 0;
        }
        case WM_MOUSEACTIVATE:
            // A click on an in-place control makes it the UI-active one, as in a form designer.
            activateUI();
            return MA_ACTIVATE;
        case WM_ERASEBKGND:
            return 1;  // the paint covers the whole window
        case WM_SIZE:
            // Resized by the container without SetObjectRects: the control follows its window.
            hosted().Width = LOWORD(lParam);
            hosted().Height = HIWORD(lParam);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

}  // namespace qv::activex
