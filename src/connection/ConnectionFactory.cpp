#include "ConnectionFactory.h"

#include "DRALAuxiliaryData.h"
#include "DRALMeasurementData.h"
#include "DRALScanManager.h"
#include "FileScanManager.h"

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
        // The samples go on with the record: the readout, the fusion and the recorders need them.
        if (auto packet = record.dynamicCast<DRALAuxiliaryData>())
            return QSharedPointer<DRALAuxiliaryData>::create(*packet);
        return {};
    default:
        return {};
    }
}

ScanManager *ConnectionFactory::createManager(int kind, QObject *parent) const
{
    if (kind == LogPlayerConnection)
        return new FileScanManager(new ConnectionRecordFactory, parent);
    return new DRALScanManager(parent);
}
