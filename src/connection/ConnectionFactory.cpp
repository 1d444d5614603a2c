#include "ConnectionFactory.h"

#include "DRALAuxiliaryData.h"
#include "DRALMeasurementData.h"
#include "DRALScanManager.h"

QSharedPointer<SensorData>
ConnectionRecordFactory::createRecord(const QSharedPointer<SensorData> &record) const
{
    if (!record)
        return {};
    switch (record->dataType()) {
    case DRALMeasurementData::Type:
        if (auto line = record.dynamicCast<DRALMeasurementData>())
            return QSharedPointer<DRALMeasurementData>::create(*line);
        return {};
    case DRALAuxiliaryData::Type:
        return QSharedPointer<DRALAuxiliaryData>::create();
    default:
        return {};
    }
}

ScanManager *ConnectionFactory::createManager(int kind, QObject *parent) const
{
    if (kind == LogPlayerConnection)
        return nullptr; // the log player is not part of this build yet
    return new DRALScanManager(parent);
}
