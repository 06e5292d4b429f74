// GET /v1/controls: every control's property table and the host options, as JSON, read from the
// tables themselves so that the page and the API never drift from the controls.
#pragma once

#include <string>
#include <string_view>

#include "quorvantix/property.h"

namespace qv::service {

// "read-only" for results a paint writes, "read-write" otherwise. The one place that reads how a
// property may be written.
std::string_view accessOf(const PropertyInfo& info);

// {"controls":[{"name", "summary", "data", "type", "properties":[{"name", "type", "default",
// "access", "help", "values"?}]}], "options":[{"name", "argument", "help"}]}
std::string controlsJson();

}  // namespace qv::service
