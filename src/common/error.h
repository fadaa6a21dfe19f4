#pragma once
// Errors at the core's edge are values: Error says what failed, Result<T> carries either a
// value or an Error. Nothing in the core throws for a failed operation on a file.

#include <string>
#include <utility>
#include <variant>

namespace veyla {

enum class ErrorKind {
  NotFound,          // the path names nothing (or a dangling link)
  NotRegularFile,    // a directory, FIFO, device or socket: never read or written
  PermissionDenied,  // the system refused access
  NoSpace,           // the disk is full or the quota is used up
  FileTooLarge,      // the process's file-size limit or the file system's largest file
  Io,                // any other failure of the system; see sysErrno
};

struct Error {
  ErrorKind kind = ErrorKind::Io;
  int sysErrno = 0;       // errno of the failed call, 0 when none
  std::string operation;  // what was attempted: "open", "write", "sync", ...

  // One line in English for logs and the command-line tool, e.g. "write: No space left on device".
  std::string Describe() const;
};

// Maps an errno value to its kind.
ErrorKind KindFromErrno(int err);
Error ErrorFromErrno(std::string operation, int err);

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : v_(std::move(value)) {}  // NOLINT: implicit by design
  Result(Error error) : v_(std::move(error)) {}  // NOLINT
  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() & { return std::get<0>(v_); }
  const T& value() const& { return std::get<0>(v_); }
  T&& value() && { return std::get<0>(std::move(v_)); }
  const Error& error() const { return std::get<1>(v_); }
  // The value, or `fallback` when the operation failed (for callers that treat a failure as
  // "nothing there").
  T value_or(T fallback) const& { return ok() ? std::get<0>(v_) : std::move(fallback); }
  T value_or(T fallback) && { return ok() ? std::get<0>(std::move(v_)) : std::move(fallback); }

 private:
  std::variant<T, Error> v_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Error error) : error_(std::move(error)), ok_(false) {}  // NOLINT
  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  const Error& error() const { return error_; }

 private:
  Error error_;
  bool ok_ = true;
};

}  // namespace veyla
