// Reaching a layout's component by name, as the jobs do: the layout forms'
// Component<T>() all come here.
#pragma once

#include <string>

#include "base/errors.h"
#include "report/controls.h"

namespace tarvek {

// The control named `name` under `root`, of kind T; raises an error naming
// the form and the component when the layout has none of that kind.
template <typename T>
T& layout_component(report::TRLCustomSite& root, const std::string& form, const std::string& name) {
    auto* found = dynamic_cast<T*>(root.Find(name));
    if (!found) throw Error(form + ": component " + name + " not found");
    return *found;
}

}  // namespace tarvek
