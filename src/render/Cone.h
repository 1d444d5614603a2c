#pragma once

// Cone and Cylinder share their implementation.
#include "Cylinder.h"
