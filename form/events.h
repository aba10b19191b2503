// The one dispatcher of user-interface events.
#pragma once
#include <functional>

namespace kvr {

class IUi;

// Runs one user-interface event: an input/output error or any other failure
// that escapes it ends the operation and goes to the general error report; the
// station keeps running with the state reached.
void RunEvent(IUi& ui, const std::function<void()>& fn);

}  // namespace kvr
