#include "form/events.h"

#include <exception>

#include "form/ui_services.h"

namespace kvr {

void RunEvent(IUi& ui, const std::function<void()>& fn) {
  try {
    fn();
  } catch (const std::exception& e) {
    // Input/output errors are runtime errors too: their text is the report.
    ui.ReportError(e.what());
  } catch (...) {
    ui.ReportError("Unbekannter Fehler");
  }
}

}  // namespace kvr
