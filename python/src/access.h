// How a Python host may treat a property: the one place that reads the table's access field.
#pragma once

#include "quorvantix/property.h"

namespace qvpy {

enum class Access {
    ReadWrite,  // set by the user, sent with every render
    Result,     // written by a paint, read from the last render
    ReadOnly,   // neither set nor written by a paint
};

inline Access accessOf(const qv::PropertyInfo& info) {
    return info.readOnly ? Access::Result : Access::ReadWrite;
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
