// Holding interface pointers of a container: releasing one, or keeping another in its place.
#pragma once

namespace qv::activex {

template <class T>
void release(T*& p) {
    if (p != nullptr) p->Release();
    p = nullptr;
}

// Keeps p (with a reference of its own) in slot, releasing what the slot held.
template <class T>
void keep(T*& slot, T* p) {
    if (p != nullptr) p->AddRef();
    release(slot);
    slot = p;
}

}  // namespace qv::activex
