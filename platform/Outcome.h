#pragma once

#include <string>
#include <utility>
#include <variant>

namespace vendaro {

// Why a service call failed, as far as its caller must tell the cases apart.
enum class ErrorKind {
  BadInput,  // the request itself is wrong: a bad value, option or name
  NotFound,  // what the request names does not exist
  Io,        // a file or the database could not be read or written
  Network,   // a server could not be reached or refused the conversation
  Conflict,  // the request clashes with the state it meets (a refused step, a lock held)
};

// A failure: its kind and a message for the user, complete in itself.
struct Error {
  ErrorKind kind;
  std::string message;
};

inline Error failure(ErrorKind kind, std::string message) { return {kind, std::move(message)}; }

// The exit code of a command that ends with this error: 2 when the user's
// request cannot be carried out as asked (bad input, not found, refused),
// 1 when carrying it out failed (I/O, network).
inline int exitCodeFor(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::Io:
    case ErrorKind::Network:
      return 1;
    default:
      return 2;
  }
}

// What every service and platform call that can fail returns: its value, or
// the error that stopped it. Exceptions are kept for the boundaries that
// need them (constructors of handles).
template <typename T>
class [[nodiscard]] Outcome {
 public:
  Outcome(T value) : state_(std::in_place_index<0>, std::move(value)) {}  // NOLINT: implicit by design
  Outcome(Error error) : state_(std::in_place_index<1>, std::move(error)) {}  // NOLINT

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // The value; only when ok().
  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  // The error; only when !ok().
  const Error& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, Error> state_;
};

// A call that has no value to return.
template <>
class [[nodiscard]] Outcome<void> {
 public:
  Outcome() = default;
  Outcome(Error error) : error_(std::move(error)), ok_(false) {}  // NOLINT: implicit by design

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  const Error& error() const { return error_; }

 private:
  Error error_{ErrorKind::BadInput, {}};
  bool ok_ = true;
};

using Done = Outcome<void>;

}  // namespace vendaro
