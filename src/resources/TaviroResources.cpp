#include "TaviroResources.h"

#include <QtCore/QtGlobal>

static void initTaviroQrc()
{
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(translations);
}

namespace Taviro {
void initResources()
{
    static const bool done = (initTaviroQrc(), true);
    Q_UNUSED(done);
}
} // namespace Taviro
