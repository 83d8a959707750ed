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

// The libraries the program binds its calls from.
inline constexpr char kGdi32[] = "gdi32";
inline constexpr char kUser32[] = "user32";
inline constexpr char kComctl32[] = "comctl32";
inline constexpr char kShell32[] = "shell32";
inline constexpr char kAdvapi32[] = "advapi32";

// The module of a library, loaded on first request and kept for the run; null when it cannot
// be loaded.
HMODULE libraryModule(const char* library);

// What the program keeps of one entry point: its address once bound, and the text of a failure to
// bind it. All zero until the first request, so that a table of them is zero-filled memory, not
// part of the program file; the names are the caller's.
class EntryPoint {
 public:
  constexpr EntryPoint() = default;
  EntryPoint(const EntryPoint&) = delete;
  EntryPoint& operator=(const EntryPoint&) = delete;

  // The address of the entry point `name` of `library`, bound at the first request. A failure's
  // message names the library and the entry point.
  Result<FARPROC> address(const char* library, const char* name);
  // The same address, or null where it cannot be bound.
  FARPROC addressOrNull(const char* library, const char* name);
  bool bound() const { return address_ != nullptr; }

 private:
  FARPROC address_ = nullptr;
  std::array<char, 96> message_{};  // the failure's text, kept for the run
};

// A typed entry point: `Fn` is the pointer type of the platform function `Name` of `Library`
// (arrays of static storage: the names are part of the type, not of the object).
template <class Fn, const char* Library, const char* Name>
class Bound {
 public:
  Result<Fn> get() {
    const Result<FARPROC> a = entry_.address(Library, Name);
    VORLIN_TRY(a.status);
    return {kOk, reinterpret_cast<Fn>(reinterpret_cast<void*>(a.value))};
  }
  // The function, or null where it cannot be bound: for calls whose failures are never reported.
  Fn orNull() {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(entry_.addressOrNull(Library, Name)));
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
