#include "DataRecorderSource.h"
