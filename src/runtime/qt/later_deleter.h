// Ownership of Qt objects that may be taken down from inside their own signal handlers.
#pragma once

#include <QObject>

namespace vorlin::qt {

// Takes an object down once control has left its event handlers.
struct LaterDeleter {
  void operator()(QObject* object) const { object->deleteLater(); }
};

}  // namespace vorlin::qt
