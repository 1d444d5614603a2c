#pragma once

#include "DRALAuxiliaryData.h"
#include "DRALMeasurementData.h"
#include "SensorData.h"
#include "Vexa3dTypes.h"

#include <QMetaType>
#include <QSharedPointer>

Q_DECLARE_METATYPE(QSharedPointer<SensorData>)
Q_DECLARE_METATYPE(QSharedPointer<MeasurementData>)
Q_DECLARE_METATYPE(QSharedPointer<AuxiliaryData>)
Q_DECLARE_METATYPE(QSharedPointer<DRALMeasurementData>)
Q_DECLARE_METATYPE(QSharedPointer<DRALAuxiliaryData>)
Q_DECLARE_METATYPE(VEXA3D_SENSOR_INFO_T)
Q_DECLARE_METATYPE(VEXA3D_MEASUREMENT_DATA_T)

namespace Taviro {
// Registers the record types under their names so queued signals can carry them. Safe to call again.
void registerRecordMetaTypes();
} // namespace Taviro
