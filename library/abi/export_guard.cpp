#include "abi/export_guard.h"

#include <exception>
#include <new>
#include <string>

#include "platform/ui.h"

namespace oldvek {

void ReportUncaught(std::string_view what) noexcept {
  try {
    std::string why;
    try {
      throw;
    } catch (const std::bad_alloc&) {
      why = "there is not enough memory";
    } catch (const std::exception& error) {
      why = error.what();
    } catch (...) {
      why = "an unexpected failure";
    }
    ShowError(std::string(what) + ": " + why + ".");
  } catch (...) {
    // Not even the box could be shown: the failure stays silent rather than end the caller.
  }
}

}  // namespace oldvek
