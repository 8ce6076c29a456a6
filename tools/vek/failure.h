#ifndef OLDVEK_TOOLS_VEK_FAILURE_H_
#define OLDVEK_TOOLS_VEK_FAILURE_H_

#include <stdexcept>
#include <string>

#include "base/status.h"

namespace vek {

// vek's exit statuses, as "vek --help" lists them.
enum ExitCode : int { kDone = 0, kNothingFound = 1, kUsageError = 2, kFailed = 3 };

// Ends a command: main prints "vek: <message>" and exits with `code`.
class Failure : public std::runtime_error {
 public:
  Failure(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

[[noreturn]] inline void Fail(const std::string& message) { throw Failure(kFailed, message); }
[[noreturn]] inline void UsageFail(const std::string& message) { throw Failure(kUsageError, message); }

inline void Must(const oldvek::Status& status) {
  if (!status.ok()) Fail(status.message());
}
template <typename T>
T Must(oldvek::Result<T> result) {
  if (!result.ok()) Fail(result.status().message());
  return std::move(*result);
}

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_FAILURE_H_
