#include "DataSelector.h"

float DataSelector::value(const VEXA3D_SPOT_T &spot, int echoIndex, int lineNumber, int motorFieldNumber,
                          int remFieldNumber) const
{
    return function()->value(spot, echoIndex, lineNumber, motorFieldNumber, remFieldNumber);
}
