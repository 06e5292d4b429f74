// The saved properties of a control in the two forms containers keep them: a property bag (named
// values, as a form or page stores them) and a stream (also the "Contents" stream of a storage).
#pragma once

#include <windows.h>

#include <ocidl.h>

#include "quorvantix/control.h"

namespace qv::activex {

// Every function throws on failure; a load leaves the control half loaded then, so callers load
// into a fresh control and keep it only on success.
void saveToBag(const Control& control, IPropertyBag* bag);
void loadFromBag(Control& control, IPropertyBag* bag);
void saveToStream(const Control& control, IStream* stream);
void loadFromStream(Control& control, IStream* stream);
// An upper bound of the stream's size.
ULONGLONG streamSizeOf(const Control& control);

}  // namespace qv::activex
