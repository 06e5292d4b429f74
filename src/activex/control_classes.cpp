#include "control_classes.h"

#include <array>

#include "Quorvantix_TLB.h"

namespace qv::activex {
namespace {

const std::array<ControlClass, 4> kClasses{{
    {&CLSID_Barcode1DX, &IID_IBarcode1DX, &DIID_IBarcode1DXEvents, L"Barcode1DX",
     L"Barcode1DX Control", "TBarcode1D", 1},
    {&CLSID_DatamatrixX, &IID_IDatamatrixX, &DIID_IDatamatrixXEvents, L"DatamatrixX",
     L"DatamatrixX Control", "TDatamatrix", 2},
    {&CLSID_PDF417X, &IID_IPDF417X, &DIID_IPDF417XEvents, L"PDF417X", L"PDF417X Control", "TPDF417",
     3},
    {&CLSID_MaxicodeX, &IID_IMaxicodeX, &DIID_IMaxicodeXEvents, L"MaxicodeX", L"MaxicodeX Control",
     "TMaxicode", 4},
}};

}  // namespace

std::span<const ControlClass> controlClasses() {
    return kClasses;
}
const ControlClass& controlClass(ClassIndex index) {
    return kClasses[static_cast<std::size_t>(index)];
}

}  // namespace qv::activex
