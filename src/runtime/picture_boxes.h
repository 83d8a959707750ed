// The pictures of a loaded window's picture boxes, as every runtime keeps them: each box's picture
// loaded by the graphics service into a memory device context when the window loads, and every
// one released when the window goes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "base/failures.h"
#include "runtime/form_desc.h"
#include "runtime/graphics.h"

namespace vorlin {

class PictureBoxes {
 public:
  // Loads the picture of each picture box of `desc` that has one. At a failure the pictures
  // loaded so far are released, and the failure that stopped the load is the answer.
  Status load(Graphics& graphics, const FormDesc& desc) {
    for (const ControlDesc& c : desc.controls) {
      if (c.kind != ControlKind::PictureBox || c.picture == nullptr) continue;
      if (const Status added = add(graphics, c); added.failed()) {
        (void)release(graphics);
        return added;
      }
    }
    return kOk;
  }

  // Every picture goes, whatever a release answers; the first failure is the answer.
  Status release(Graphics& graphics) {
    Status released = kOk;
    for (std::size_t i = 0; i < count_; ++i)
      released = firstFailure({released, graphics.releasePicture(boxes_[i].dc)});
    count_ = 0;
    return released;
  }

  // The device context of the picture box `control`, `index`.
  Result<Handle> dc(int control, std::int16_t index) const {
    for (std::size_t i = 0; i < count_; ++i) {
      if (boxes_[i].control == control && boxes_[i].index == index) return {kOk, boxes_[i].dc};
    }
    return kNoSuchElement;
  }

 private:
  struct Box {
    int control = kNone;
    std::int16_t index = kNone;
    Handle dc = 0;
  };
  static constexpr std::size_t kMaxBoxes = 16;
  static constexpr Status kTooMany{kOutOfMemory, "Out of memory: too many picture boxes"};

  Status add(Graphics& graphics, const ControlDesc& c) {
    if (count_ == kMaxBoxes) return kTooMany;
    const Result<Handle> dc = graphics.loadPicture(*c.picture);
    VORLIN_TRY(dc.status);
    boxes_[count_++] = {c.id, c.index, dc.value};
    return kOk;
  }

  std::array<Box, kMaxBoxes> boxes_{};
  std::size_t count_ = 0;
};

}  // namespace vorlin
