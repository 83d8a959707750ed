// Graphics that fail on demand: every call is handed to the graphics underneath and recorded,
// and a call fails, as one that cannot be bound does, when it is the call numbered `failCall`
// (1: the next call) or is named `broken`. A release that fails never reaches the graphics
// underneath: its object stays live there, counted as lost once the program forgets it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/graphics.h"

namespace vorlin::test {

class FailingGraphics final : public Graphics {
 public:
  explicit FailingGraphics(Graphics& under) : under_(under) {}

  std::string_view broken;
  std::size_t failCall = 0;
  std::vector<std::string_view> calls;  // since failCall was last armed
  // What a failing call answers instead, when set; else "<library>: <call> could not be bound".
  Status failure;
  // An icon made of no mask answers success and no icon, as the platform does when the mask could
  // not be made (out of resources).
  bool noMask = false;

  void failAt(std::size_t call) {
    calls.clear();
    failCall = call;
  }
  std::size_t count(std::string_view name) const {
    return static_cast<std::size_t>(std::count(calls.begin(), calls.end(), name));
  }

  Result<Handle> CreateCompatibleDC(Handle dc) override {
    VORLIN_TRY(gate("gdi32: CreateCompatibleDC"));
    return under_.CreateCompatibleDC(dc);
  }
  Result<Handle> CreateCompatibleBitmap(Handle dc, std::int32_t w, std::int32_t h) override {
    VORLIN_TRY(gate("gdi32: CreateCompatibleBitmap"));
    return under_.CreateCompatibleBitmap(dc, w, h);
  }
  Result<Handle> SelectObject(Handle dc, Handle o) override {
    VORLIN_TRY(gate("gdi32: SelectObject"));
    return under_.SelectObject(dc, o);
  }
  Status BitBlt(Handle d, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, Handle s,
                std::int32_t sx, std::int32_t sy, std::uint32_t rop) override {
    VORLIN_TRY(gate("gdi32: BitBlt"));
    return under_.BitBlt(d, x, y, w, h, s, sx, sy, rop);
  }
  Result<Handle> CreateBitmap(std::int32_t w, std::int32_t h, std::uint32_t planes,
                              std::uint32_t bits, const void* data) override {
    VORLIN_TRY(gate("gdi32: CreateBitmap"));
    if (noMask) return {kOk, 0};
    return under_.CreateBitmap(w, h, planes, bits, data);
  }
  Status DeleteObject(Handle o) override {
    VORLIN_TRY(gate("gdi32: DeleteObject"));
    return under_.DeleteObject(o);
  }
  Status DeleteDC(Handle dc) override {
    VORLIN_TRY(gate("gdi32: DeleteDC"));
    return under_.DeleteDC(dc);
  }
  Result<Handle> CreateIconIndirect(const IconInfo& info) override {
    VORLIN_TRY(gate("user32: CreateIconIndirect"));
    return under_.CreateIconIndirect(info);
  }
  Status DestroyIcon(Handle icon) override {
    VORLIN_TRY(gate("user32: DestroyIcon"));
    return under_.DestroyIcon(icon);
  }
  Result<Handle> loadPicture(const art::Picture& p) override {
    VORLIN_TRY(gate("graphics: loadPicture"));
    return under_.loadPicture(p);
  }
  Status releasePicture(Handle dc) override { return under_.releasePicture(dc); }
  Status readIcon(Handle icon, IconPixels& out) override {
    VORLIN_TRY(gate("graphics: readIcon"));
    return under_.readIcon(icon, out);
  }
  LiveObjects liveObjects() const override { return under_.liveObjects(); }

 private:
  // `call`: the library and the call, static text.
  Status gate(std::string_view call) {
    const std::string_view name = call.substr(call.find(' ') + 1);
    calls.push_back(name);
    if (name != broken && calls.size() != failCall) return kOk;
    if (failure.failed()) return failure;
    messages_.push_back(std::string(call) + " could not be bound");
    return {kEntryPointNotFound, messages_.back()};
  }

  Graphics& under_;
  std::deque<std::string> messages_;  // the failures' texts, kept as long as a status may be
};

}  // namespace vorlin::test
