#include "render/graphics_owners.h"

namespace vorlin {

Status OwnedObject::take(const Result<Handle>& made) {
  if (!letGo()) {
    if (made.status.ok()) (void)(graphics_.*release_)(made.value);
    return kTooManyUnreleased;
  }
  if (made.status.ok()) handle_ = made.value;
  return made.status;
}

Status OwnedObject::takeFrom(OwnedObject& other) {
  if (count_ + other.count_ + 1 > kMaxUnreleased || !letGo()) return kTooManyUnreleased;
  handle_ = std::exchange(other.handle_, 0);
  for (std::size_t i = 0; i < other.count_; ++i) unreleased_[count_++] = other.unreleased_[i];
  other.count_ = 0;
  return kOk;
}

Status OwnedObject::release() {
  Status first = kOk;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < count_; ++i) {
    if (!releaseOne(unreleased_[i], first)) unreleased_[kept++] = unreleased_[i];
  }
  count_ = kept;
  if (handle_ != 0 && releaseOne(handle_, first)) handle_ = 0;
  return first;
}

bool OwnedObject::releaseOne(Handle h, Status& first) {
  const Status released = (graphics_.*release_)(h);
  if (released.failed() && first.ok()) first = released;
  return released.ok();
}

bool OwnedObject::letGo() {
  if (handle_ == 0) return true;
  Status ignored = kOk;
  if (releaseOne(handle_, ignored)) {
    handle_ = 0;
    return true;
  }
  if (count_ == kMaxUnreleased) return false;
  unreleased_[count_++] = std::exchange(handle_, 0);
  return true;
}

}  // namespace vorlin
