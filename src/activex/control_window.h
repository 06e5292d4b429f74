// The control's child window inside a container's window.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qv::activex {

class OleControl;

// A hidden child window of parent whose messages go to control.handleMessage; null on failure.
HWND createControlWindow(OleControl& control, HWND parent, const RECT& position, std::int32_t width,
                         std::int32_t height);

}  // namespace qv::activex
