// How a Python host treats a property: the one place that reads the table's access kind.
#pragma once

#include "quorvantix/property.h"

namespace qvpy {

using Access = qv::PropertyAccess;

// ReadWrite: set by the user and sent with every render. Result and ReadOnly: written by the
// control, read from the last render.
inline Access accessOf(const qv::PropertyInfo& info) {
    return info.access;
}

inline const char* accessName(Access access) {
    switch (access) {
        case Access::ReadWrite:
            return "read-write";
        case Access::Result:
            return "result";
        case Access::ReadOnly:
            return "read-only";
    }
    return "read-only";
}

}  // namespace qvpy
