#pragma once

#include "CsvBuffer.h"
#include "Vexa3dTypes.h"

// The CSV rows of measurement lines and auxiliary packets. The scales, the header names and the
// angle columns follow the sensor information the writer was built with.
class CsvRowWriter
{
public:
    explicit CsvRowWriter(const VEXA3D_SENSOR_INFO_T &info);

    void appendMeasurementHeader(CsvBuffer &out) const;
    void appendAuxiliaryHeader(CsvBuffer &out) const;
    // One row per echo of every received spot; returns the rows written.
    int appendMeasurementRows(CsvBuffer &out, const VEXA3D_MEASUREMENT_DATA_T &line) const;
    // One row from the packet's last sample, nothing for an empty packet; returns the rows written.
    int appendAuxiliaryRow(CsvBuffer &out, const VEXA3D_AUXILIARY_DATA_T &packet) const;

private:
    bool m_hvFieldNames = false;
    bool m_swappedAngles = false;
    double m_gyroFactor = 0.0;
    double m_accelFactor = 0.0;
};
