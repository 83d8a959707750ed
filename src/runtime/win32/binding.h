// Calls into the platform's libraries, bound by library and entry-point name the first time
// they are made; the bound address is kept and reused for every later call.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "base/handles.h"
#include "base/status.h"

namespace vorlin::win32 {

// A platform handle as the program carries it, and back: 32 bits, widened by sign extension.
inline Handle toHandle(const void* h) {
  return static_cast<Handle>(reinterpret_cast<std::intptr_t>(h));
}
template <class H = HANDLE>
H fromHandle(Handle h) {
  return reinterpret_cast<H>(static_cast<std::intptr_t>(h));
}

// The libraries the program binds most of its calls from.
inline constexpr const char* kGdi32 = "gdi32";
inline constexpr const char* kUser32 = "user32";

// The module of a library, loaded on first request and kept for the run; null when it cannot
// be loaded.
HMODULE libraryModule(const char* library);

// One entry point of one library.
class EntryPoint {
 public:
  constexpr EntryPoint(const char* library, const char* name) : library_(library), name_(name) {}
  EntryPoint(const EntryPoint&) = delete;
  EntryPoint& operator=(const EntryPoint&) = delete;

  // The entry point's address, bound at the first request. A failure's message names the
  // library and the entry point.
  Result<FARPROC> address();
  bool bound() const { return address_ != nullptr; }

 private:
  const char* library_;
  const char* name_;
  FARPROC address_ = nullptr;
  std::array<char, 96> message_{};  // the failure's text, kept for the run
};

// A typed entry point: `Fn` is the pointer type of the platform function.
template <class Fn>
class Bound {
 public:
  constexpr Bound(const char* library, const char* name) : entry_(library, name) {}

  Result<Fn> get() {
    const Result<FARPROC> a = entry_.address();
    VORLIN_TRY(a.status);
    return {kOk, reinterpret_cast<Fn>(reinterpret_cast<void*>(a.value))};
  }
  bool bound() const { return entry_.bound(); }

 private:
  EntryPoint entry_;
};

}  // namespace vorlin::win32

// Binds `bound` (a Bound<Fn>) or ends the calling operation with the binding's failure; names
// the function pointer `fn`.
#define VORLIN_BIND(fn, bound)            \
  const auto fn##_bound_ = (bound).get(); \
  VORLIN_TRY(fn##_bound_.status);         \
  const auto fn = fn##_bound_.value
