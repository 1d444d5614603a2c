#include "CommunicationDevice.h"
