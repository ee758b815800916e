#include "EventPump.h"

#include <QCoreApplication>

namespace platform {

void DoEvents() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

}  // namespace platform
