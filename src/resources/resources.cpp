#include "resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE declares its initialiser at the point of use, so it must be called outside our namespace.
static void registerCompiledResources() {
    Q_INIT_RESOURCE(resources);
}

namespace pellimo {

void initResources() {
    registerCompiledResources();
}

} // namespace pellimo
