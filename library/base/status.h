#ifndef OLDVEK_BASE_STATUS_H_
#define OLDVEK_BASE_STATUS_H_

#include <cassert>
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
  Result(T value) : value_(std::move(value)) {}  // NOLINT: implicit by design
  // The status must be a failure: a Result built from Status::Ok() would hold neither a value
  // nor a reason, and a caller passing its status() on would report success with nothing done.
  Result(Status status) : status_(std::move(status)) {  // NOLINT: implicit by design
    assert(!status_.ok() && "a Result without a value needs a failed Status");
  }

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

// Evaluates an expression that yields a Result. On failure, returns its Status from the enclosing
// function, which returns a Status or any Result; otherwise moves the value into `lhs`, a new
// variable or an existing one:
//   OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> index, file_system.Open(path, options));
//   OLDVEK_ASSIGN_OR_RETURN(size_, file_.Size());
// It is more than one statement: under an if or a loop, give it braces of its own.
#define OLDVEK_ASSIGN_OR_RETURN(lhs, ...) \
  OLDVEK_ASSIGN_OR_RETURN_IMPL_(OLDVEK_STATUS_CONCAT_(oldvek_result_, __COUNTER__), lhs, __VA_ARGS__)
#define OLDVEK_ASSIGN_OR_RETURN_IMPL_(result, lhs, ...) \
  auto result = (__VA_ARGS__);                          \
  if (!result.ok()) return result.status();             \
  lhs = std::move(*result)
#define OLDVEK_STATUS_CONCAT_(a, b) OLDVEK_STATUS_CONCAT_INNER_(a, b)
#define OLDVEK_STATUS_CONCAT_INNER_(a, b) a##b

#endif  // OLDVEK_BASE_STATUS_H_
