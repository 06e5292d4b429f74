// The four creatable control classes: what the factories, the registration and the wrappers
// need to know about each.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

namespace qv::activex {

struct ControlClass {
    const CLSID* clsid;
    const IID* iid;            // default dispatch interface
    const IID* events;         // default source (event) interface
    std::wstring_view name;    // class name in the type library; the ProgID is "Quorvantix.<name>"
    std::wstring_view help;    // help string of the class
    std::string_view control;  // class name of the hosted control, for ClassNameIs
    int toolboxBitmap;         // bitmap resource id
};

enum class ClassIndex { Barcode1D, Datamatrix, PDF417, Maxicode };

std::span<const ControlClass> controlClasses();
const ControlClass& controlClass(ClassIndex index);

constexpr std::wstring_view kLibraryName = L"Quorvantix";
constexpr std::wstring_view kLibraryVersion = L"1.0";
// Control status bits: recompose on resize, cannot link inside, inside-out, activate when
// visible, set client site first.
constexpr unsigned long kMiscStatus = 0x20191;

}  // namespace qv::activex
