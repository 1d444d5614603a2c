#pragma once

namespace Taviro {
// Registers the icon and translation resources of the static resources library.
// Safe to call more than once.
void initResources();
} // namespace Taviro
