// The binding layer: calls bound by library and entry-point name, and what a call that cannot be
// bound reports.
#include <gtest/gtest.h>

#include <string>

#include "runtime/win32/binding.h"
// After windows.h, which binding.h includes.
#include <shellapi.h>
#include "runtime/win32/shell.h"

namespace vorlin::win32 {
namespace {

constexpr char kNoSuchLibrary[] = "vorlin_no_such_library";
constexpr char kNoSuchEntryPoint[] = "DeleteDCEverywhere";
constexpr char kDeleteDC[] = "DeleteDC";
constexpr char kGetSystemMetrics[] = "GetSystemMetrics";

// What a call that cannot be bound answers: no call, and a failure naming the library and the
// entry point.
template <class Binding>
void expectUnbound(const Binding& bound, Failure code, const char* library, const char* entry) {
  EXPECT_EQ(bound.status.code(), code);
  const std::string message(bound.status.message());
  EXPECT_NE(message.find(library), std::string::npos) << message;
  EXPECT_NE(message.find(entry), std::string::npos) << message;
  EXPECT_EQ(bound.value, nullptr);
}

TEST(Binding, AMissingEntryPointOrLibraryFailsNamingLibraryAndEntryPoint) {
  Bound<BOOL(WINAPI*)(HDC), kGdi32, kNoSuchEntryPoint> noEntryPoint;
  expectUnbound(noEntryPoint.get(), kEntryPointNotFound, "gdi32", kNoSuchEntryPoint);
  Bound<BOOL(WINAPI*)(HDC), kNoSuchLibrary, kDeleteDC> noLibrary;
  expectUnbound(noLibrary.get(), kDllNotFound, kNoSuchLibrary, kDeleteDC);
}

TEST(Binding, BindsTheNamedEntryPointOfTheNamedLibrary) {
  Bound<int(WINAPI*)(int), kUser32, kGetSystemMetrics> metrics;
  const auto bound = metrics.get();
  ASSERT_TRUE(bound.status.ok());
  EXPECT_EQ(
      reinterpret_cast<void*>(bound.value),
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32"), "GetSystemMetrics")));
  EXPECT_EQ(bound.value(SM_CXICON), GetSystemMetrics(SM_CXICON));
}

TEST(Binding, HandlesWidenBySignExtension) {
  EXPECT_EQ(reinterpret_cast<std::intptr_t>(fromHandle(-2)), std::intptr_t{-2});
  EXPECT_EQ(toHandle(fromHandle(static_cast<Handle>(0x8001'0042u))),
            static_cast<Handle>(0x8001'0042u));
}

TEST(WideRecord, CarriesTheSameFieldsInTheSixtyFourBitLayout) {
  NotifyIconRecord r{};
  writeU32(r, record_offset::cbSize, 88);
  writeU32(r, record_offset::hWnd, 0x8000'1234u);  // a handle with its top bit set
  writeU32(r, record_offset::uID, 1);
  writeU32(r, record_offset::uFlags, 7);
  writeU32(r, record_offset::uCallbackMessage, 512);
  writeU32(r, record_offset::hIcon, 0x0002'0abcu);
  const std::string tip = "Tenwick Vorlin";
  for (std::size_t i = 0; i < kTipSize; ++i) r[record_offset::szTip + i] = ' ';
  for (std::size_t i = 0; i < tip.size(); ++i) r[record_offset::szTip + i] = tip[i];
  r[record_offset::szTip + tip.size()] = 0;

  const WideNotifyIconRecord w = widenRecord(r);
  auto u32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(w[at] | w[at + 1] << 8 | w[at + 2] << 16 | w[at + 3] << 24);
  };
  EXPECT_EQ(u32(0), 104u);
  EXPECT_EQ(u32(4), 0u);  // padding before the 8-byte hWnd
  EXPECT_EQ(u32(8), 0x8000'1234u);
  EXPECT_EQ(u32(12), 0xFFFF'FFFFu);  // sign extension
  EXPECT_EQ(u32(16), 1u);
  EXPECT_EQ(u32(20), 7u);
  EXPECT_EQ(u32(24), 512u);
  EXPECT_EQ(u32(32), 0x0002'0abcu);
  EXPECT_EQ(u32(36), 0u);
  for (std::size_t i = 0; i < kTipSize; ++i) EXPECT_EQ(w[40 + i], r[record_offset::szTip + i]) << i;
  if constexpr (sizeof(void*) == 8) {
    EXPECT_EQ(offsetof(NOTIFYICONDATAA, szTip) + 64, kWideRecordSize);
    EXPECT_EQ(offsetof(NOTIFYICONDATAA, hIcon), 32u);
  } else {
    EXPECT_EQ(offsetof(NOTIFYICONDATAA, szTip) + 64, kNotifyIconRecordSize);
  }
}

}  // namespace
}  // namespace vorlin::win32
