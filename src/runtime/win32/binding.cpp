#include "runtime/win32/binding.h"

#include <cstring>

namespace vorlin::win32 {
namespace {

// The libraries loaded so far; they stay loaded until the program ends.
class LoadedLibraries {
 public:
  LoadedLibraries() = default;
  LoadedLibraries(const LoadedLibraries&) = delete;
  LoadedLibraries& operator=(const LoadedLibraries&) = delete;
  ~LoadedLibraries() {
    for (LoadedLibrary& e : libraries_) {
      if (e.module != nullptr) FreeLibrary(e.module);
    }
  }

  HMODULE find(const char* name) const {
    for (const LoadedLibrary& e : libraries_) {
      if (e.name != nullptr && std::strcmp(e.name, name) == 0) return e.module;
    }
    return nullptr;
  }
  bool add(const char* name, HMODULE module) {
    for (LoadedLibrary& e : libraries_) {
      if (e.name == nullptr) {
        e = {name, module};
        return true;
      }
    }
    return false;
  }

 private:
  struct LoadedLibrary {
    const char* name = nullptr;
    HMODULE module = nullptr;
  };
  std::array<LoadedLibrary, 8> libraries_{};
};

LoadedLibraries& loaded() {
  static LoadedLibraries libraries;
  return libraries;
}

}  // namespace

HMODULE libraryModule(const char* library) {
  if (HMODULE m = loaded().find(library); m != nullptr) return m;
  HMODULE m = LoadLibraryA(library);
  if (m != nullptr && !loaded().add(library, m)) {
    FreeLibrary(m);
    return nullptr;
  }
  return m;
}

Result<FARPROC> EntryPoint::address(const char* library, const char* name) {
  if (address_ != nullptr) return {kOk, address_};
  HMODULE module = libraryModule(library);
  if (module == nullptr) {
    wsprintfA(message_.data(), "File not found: %.30s (for %.30s)", library, name);
    return {Status{kDllNotFound, message_.data()}, nullptr};
  }
  FARPROC a = GetProcAddress(module, name);
  if (a == nullptr) {
    wsprintfA(message_.data(), "Can't find DLL entry point %.30s in %.30s", name, library);
    return {Status{kEntryPointNotFound, message_.data()}, nullptr};
  }
  address_ = a;
  return {kOk, a};
}

FARPROC EntryPoint::addressOrNull(const char* library, const char* name) {
  return address(library, name).value;
}

}  // namespace vorlin::win32
