#include "runtime/win32/tray_promotion.h"

#include <array>
#include <iterator>

#include "runtime/win32/bound_calls.h"
#include "runtime/win32/owners.h"

namespace vorlin::win32 {
namespace {

constexpr wchar_t kSettings[] = L"Control Panel\\NotifyIconSettings";
// The key Explorer writes. Control Panel is one key in both views of the registry, so the 32-bit
// program reads the same one; the 64-bit view is asked for all the same.
constexpr REGSAM kView = KEY_WOW64_64KEY;

// A path: the program's own is shorter than MAX_PATH (it is not long-path aware), and Explorer's
// form of it, a known folder's id in front, a little longer.
using PathText = std::array<wchar_t, 400>;

// The known folders Explorer writes at the head of a path, each with the variable that names it to
// the 32-bit program as to the 64-bit one: the 32-bit program's own ProgramFiles is the x86
// folder, and its known-folder call does not answer the 64-bit one.
struct KnownFolder {
  const wchar_t* id;
  const wchar_t* variable;
};
constexpr KnownFolder kKnownFolders[] = {
    {L"{6D809377-6AF0-444B-8957-A3773F02200E}", L"ProgramW6432"},       // Program Files
    {L"{7C5A40EF-A0FB-4BFC-874A-C0F2E0B9FA8E}", L"ProgramFiles(x86)"},  // Program Files (x86)
};
constexpr int kIdLength = 38;
constexpr DWORD kShown = 1;  // IsPromoted: on the taskbar

// `path` as Explorer writes it, into `full` with a leading known folder written out; false where
// the folder is none of kKnownFolders or not set here, or the whole does not fit. `path` is a
// whole PathText, so that its first kIdLength characters can be read.
bool fullPath(const PathText& path, PathText& full) {
  const wchar_t* rest = path.data();
  DWORD n = 0;
  if (*rest == L'{') {
    const KnownFolder* f = std::begin(kKnownFolders);
    while (f != std::end(kKnownFolders) &&
           CompareStringOrdinal(rest, kIdLength, f->id, kIdLength, TRUE) != CSTR_EQUAL)
      ++f;
    if (f == std::end(kKnownFolders)) return false;
    n = GetEnvironmentVariableW(f->variable, full.data(), full.size());
    if (n == 0) return false;
    rest += kIdLength;
  }
  // A folder that did not fit (n beyond the end) copies nothing.
  for (; n < full.size(); ++n) {
    if ((full[n] = *rest++) == L'\0') return true;
  }
  return false;
}

// Sets IsPromoted to 1 in each of the program's own settings that has none: their path the
// program's, compared without regard to case, their id 1, and no GUID (an icon of another
// kind). Each value read has its type checked; a call that cannot be bound does nothing.
void promoteOwnEntries() {
  Advapi32Calls& calls = bound<Advapi32Calls>();
  const auto open = calls.RegOpenKeyExW.orNull();
  const auto enumerate = calls.RegEnumKeyExW.orNull();
  const auto get = calls.RegGetValueW.orNull();
  const auto set = calls.RegSetKeyValueW.orNull();
  PathText own;
  HKEY key = nullptr;
  if (open == nullptr || enumerate == nullptr || get == nullptr || set == nullptr ||
      // No path of its own, or one cut short.
      GetModuleFileNameW(nullptr, own.data(), own.size()) - 1 >= own.size() - 1 ||
      open(HKEY_CURRENT_USER, kSettings, 0, KEY_ENUMERATE_SUB_KEYS | kView, &key) != ERROR_SUCCESS)
    return;
  const OwnedHKEY settings(key);
  std::array<wchar_t, 32> name;  // Explorer names each by a number
  for (DWORD i = 0;; ++i) {
    DWORD length = name.size();
    const LONG found = enumerate(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (found == ERROR_MORE_DATA) continue;  // a longer name is none of Explorer's
    if (found != ERROR_SUCCESS) break;
    const wchar_t* entry = name.data();
    DWORD id = 0;
    DWORD size = sizeof(id);
    PathText path{};
    DWORD pathSize = sizeof(path);
    PathText full;
    if (get(key, entry, L"UID", RRF_RT_REG_DWORD, nullptr, &id, &size) != ERROR_SUCCESS ||
        id != 1 ||
        get(key, entry, L"ExecutablePath", RRF_RT_REG_SZ, nullptr, path.data(), &pathSize) !=
            ERROR_SUCCESS ||
        !fullPath(path, full) ||
        CompareStringOrdinal(full.data(), -1, own.data(), -1, TRUE) != CSTR_EQUAL)
      continue;
    bool unset = true;  // no GUID, and no choice of the user's
    for (const wchar_t* value : {L"IconGuid", L"IsPromoted"})
      unset =
          unset && get(key, entry, value, RRF_RT_ANY, nullptr, nullptr, nullptr) != ERROR_SUCCESS;
    // Into the subkey just read, which Explorer keeps for as long as it knows the icon.
    if (unset) set(key, entry, L"IsPromoted", REG_DWORD, &kShown, sizeof(kShown));
  }
}

}  // namespace

void TrayPromotion::lookIfDue() {
  const DWORD since = GetTickCount() - addedAt_;
  if (since < kLookAfter[next_]) return;
  // Looks that fell due together (after the machine slept) are one.
  while (next_ < kLooks && since >= kLookAfter[next_]) ++next_;
  promoteOwnEntries();  // a failure here is never worth a report
}

}  // namespace vorlin::win32
