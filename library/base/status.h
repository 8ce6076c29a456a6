#ifndef OLDVEK_BASE_STATUS_H_
#define OLDVEK_BASE_STATUS_H_

#include <optional>
#include <string>
#include <utility>

namespace oldvek {

// The outcome of an operation: success, or a failure with a message meant for the user
// ("cannot open C:\ARC\BASIC.VEK: access denied"). Failures travel as values; no exception
// ever crosses an export.
class [[nodiscard]] Status {
 public:
  // What kind of failure it is, where a caller can do something else about it.
  enum class Kind : unsigned char {
    kOther,
    kWriteRefused,  // an open for writing that the medium or the file's permissions refuse
    kInUse,         // a lock that another opener holds
    kChanged,       // a file changed by another program while it was read
  };

  Status() = default;
  static Status Ok() { return Status(); }
  static Status Error(std::string message, Kind kind = Kind::kOther) { return Status(std::move(message), kind); }

  bool ok() const { return !failed_; }
  const std::string& message() const { return message_; }
  Kind kind() const { return kind_; }

 private:
  Status(std::string message, Kind kind) : message_(std::move(message)), failed_(true), kind_(kind) {}

  std::string message_;
  bool failed_ = false;
  Kind kind_ = Kind::kOther;
};

// A value, or the Status that explains why there is none.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}          // NOLINT: implicit by design
  Result(Status status) : status_(std::move(status)) {}  // NOLINT: implicit by design

  bool ok() const { return value_.has_value(); }
  const Status& status() const { return status_; }
  T& value() { return *value_; }
  const T& value() const { return *value_; }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }

 private:
  std::optional<T> value_;
  Status status_;
};

}  // namespace oldvek

// Returns the failure of an expression that yields a Status.
#define OLDVEK_RETURN_IF_ERROR(expr)   \
  do {                                 \
    ::oldvek::Status status_ = (expr); \
    if (!status_.ok()) return status_; \
  } while (0)

#endif  // OLDVEK_BASE_STATUS_H_
