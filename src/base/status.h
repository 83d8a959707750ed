// Every operation of the program either succeeds or ends with the code of the failure that
// stopped it; the caller receives that status unchanged and hands it on, up to the event that
// started the chain, where the runtime shows the error report.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace vorlin {

// Failure codes, as the error report shows them.
enum Failure : std::int32_t {
  kInvalidArgument = 5,
  kOverflow = 6,
  kOutOfMemory = 7,
  kTypeMismatch = 13,
  kDllNotFound = 48,
  kControlArrayElementMissing = 340,
  kEntryPointNotFound = 453,
  kWindowFailure = 1000,
};

class [[nodiscard]] Status {
 public:
  constexpr Status() = default;
  constexpr Status(std::int32_t code, std::string_view message) : code_(code), message_(message) {}

  constexpr bool ok() const { return code_ == 0; }
  constexpr bool failed() const { return code_ != 0; }
  constexpr std::int32_t code() const { return code_; }
  // Static text: the message always points at storage that lives for the whole run.
  constexpr std::string_view message() const { return message_; }

 private:
  std::int32_t code_ = 0;
  std::string_view message_;
};

inline constexpr Status kOk{};

// The first failure among the statuses of steps that were all carried out, in their order; kOk
// when every one succeeded. Releases use it: each is made whatever the one before answered.
constexpr Status firstFailure(std::initializer_list<Status> statuses) {
  for (const Status& s : statuses) {
    if (s.failed()) return s;
  }
  return kOk;
}

template <class T>
struct [[nodiscard]] Result {
  // A failure converts to a result with no value.
  constexpr Result(Status s, T v = T{}) : status(s), value(v) {}  // NOLINT: implicit on purpose
  Status status;
  T value;
};

}  // namespace vorlin

// Ends the calling operation with the status of `expr` when it failed.
#define VORLIN_TRY(expr)                                                         \
  do {                                                                           \
    if (const ::vorlin::Status vorlin_status_ = (expr); vorlin_status_.failed()) \
      return vorlin_status_;                                                     \
  } while (0)
