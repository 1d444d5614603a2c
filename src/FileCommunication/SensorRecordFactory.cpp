#include "SensorRecordFactory.h"
