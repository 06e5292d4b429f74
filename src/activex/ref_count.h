// The reference count of a COM object that deletes itself with its last reference.
#pragma once

#include <windows.h>

#include <atomic>

namespace qv::activex {

class RefCount {
  public:
    ULONG add() { return ++refs_; }
    // Deletes the owner when no reference is left.
    template <class Owner>
    ULONG release(Owner* owner) {
        const ULONG left = --refs_;
        if (left == 0) delete owner;
        return left;
    }

  private:
    std::atomic<ULONG> refs_{1};
};

}  // namespace qv::activex
