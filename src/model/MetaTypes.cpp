#include "MetaTypes.h"

namespace Taviro {
void registerRecordMetaTypes()
{
    static const bool done = [] {
        qRegisterMetaType<QSharedPointer<SensorData>>("QSharedPointer<SensorData>");
        qRegisterMetaType<QSharedPointer<MeasurementData>>("QSharedPointer<MeasurementData>");
        qRegisterMetaType<QSharedPointer<AuxiliaryData>>("QSharedPointer<AuxiliaryData>");
        qRegisterMetaType<QSharedPointer<DRALMeasurementData>>("QSharedPointer<DRALMeasurementData>");
        qRegisterMetaType<QSharedPointer<DRALAuxiliaryData>>("QSharedPointer<DRALAuxiliaryData>");
        qRegisterMetaType<VEXA3D_SENSOR_INFO_T>("VEXA3D_SENSOR_INFO_T");
        qRegisterMetaType<VEXA3D_MEASUREMENT_DATA_T>("VEXA3D_MEASUREMENT_DATA_T");
        return true;
    }();
    Q_UNUSED(done);
}
} // namespace Taviro
