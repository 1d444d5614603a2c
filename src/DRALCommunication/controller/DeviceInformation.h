#pragma once

#include "Vexa3dTypes.h"

#include <QString>

// The text of a live connection's "Device Information" box.
namespace DeviceInformation {

// The sensor's half stays empty until the first initialisation fills info.
QString text(const QString &connectionName, const QString &address, int port,
             const VEXA3D_SENSOR_INFO_T &info);

} // namespace DeviceInformation
