// The owners of the Qt runtime: Qt objects that may be taken down from inside their own signal
// handlers, and the X server's replies, which the caller frees.
#pragma once

#include <QObject>
#include <cstdlib>
#include <memory>

namespace vorlin::qt {

// Takes an object down once control has left its event handlers.
struct LaterDeleter {
  void operator()(QObject* object) const { object->deleteLater(); }
};

// A reply of the X server (xcb), freed with its owner; empty when the request failed.
struct ReplyFreer {
  void operator()(void* reply) const { std::free(reply); }
};
template <class T>
using XcbReply = std::unique_ptr<T, ReplyFreer>;

template <class T>
XcbReply<T> ownedReply(T* reply) {
  return XcbReply<T>(reply);
}

}  // namespace vorlin::qt
