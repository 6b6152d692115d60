#include "AppResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterAppResources() {
    Q_INIT_RESOURCE(app);
}

namespace quorrin {

void EnsureAppResources() {
    static const bool registered = (RegisterAppResources(), true);
    (void)registered;
}

} // namespace quorrin
