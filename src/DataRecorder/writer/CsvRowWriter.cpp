#include "CsvRowWriter.h"

#include "GFormat.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char MeasurementHeader[] = "timestamp_ms,frame,motor_field,rem_field,line,spot,echo,range_m,level,"
                                     "h_angle_rad,v_angle_rad,x_m,y_m,z_m\r\n";
constexpr char MeasurementHeaderHV[] = "timestamp_ms,frame,h_field,v_field,line,spot,echo,range_m,level,"
                                       "h_angle_rad,v_angle_rad,x_m,y_m,z_m\r\n";
constexpr char AuxiliaryHeader[] = "timestamp_ms,gyro_x,gyro_y,gyro_z,accel_x,accel_y,accel_z,compass_x,"
                                   "compass_y,compass_z,temperature\r\n";

constexpr size_t MaxMeasurementRow = 14 * (GFormat::MaxGLength + 1) + 2;
constexpr size_t MaxAuxiliaryRow = 11 * (GFormat::MaxGLength + 1) + 2;

inline char *field(char *p, double v)
{
    p = GFormat::appendG(p, v);
    *p++ = ',';
    return p;
}

inline char *field(char *p, uint32_t v)
{
    p = GFormat::appendUInt(p, v);
    *p++ = ',';
    return p;
}

inline char *endRow(char *p)
{
    p[-1] = '\r'; // replaces the last field's comma
    *p++ = '\n';
    return p;
}

} // namespace

CsvRowWriter::CsvRowWriter(const VEXA3D_SENSOR_INFO_T &info)
{
    m_hvFieldNames = std::strncmp(info.product, "KRX", 3) == 0;
    // With swapped scan directions the first angle is the horizontal one.
    m_swappedAngles = info.spec.swdr != 0;
    m_gyroFactor = info.spec.gyroScale / 32767.0;
    m_accelFactor = info.spec.accelScale / 32767.0;
}

void CsvRowWriter::appendMeasurementHeader(CsvBuffer &out) const
{
    if (m_hvFieldNames)
        out.append(MeasurementHeaderHV, sizeof MeasurementHeaderHV - 1);
    else
        out.append(MeasurementHeader, sizeof MeasurementHeader - 1);
}

void CsvRowWriter::appendAuxiliaryHeader(CsvBuffer &out) const
{
    out.append(AuxiliaryHeader, sizeof AuxiliaryHeader - 1);
}

int CsvRowWriter::appendMeasurementRows(CsvBuffer &out, const VEXA3D_MEASUREMENT_DATA_T &line) const
{
    // The columns every row of the line shares.
    char prefix[5 * (GFormat::MaxUIntLength + 1)];
    char *pe = prefix;
    pe = field(pe, uint32_t(line.timestamp));
    pe = field(pe, uint32_t(line.frameNumber));
    pe = field(pe, uint32_t(line.motorFieldNumber));
    pe = field(pe, uint32_t(line.remFieldNumber));
    pe = field(pe, uint32_t(line.lineNumber));
    const size_t prefixLength = size_t(pe - prefix);

    const size_t spots = std::min<size_t>(line.receivedSpotCount, line.spots.size());
    int rows = 0;
    for (size_t s = 0; s < spots; ++s) {
        const VEXA3D_SPOT_T &spot = line.spots[s];
        const size_t echoes = std::min<size_t>(spot.count, std::min(spot.echoes.size(), spot.points.size()));
        for (size_t e = 0; e < echoes; ++e) {
            const VEXA3D_ECHO_T &echo = spot.echoes[e];
            const VEXA3D_POINT_T &point = spot.points[e];
            char *p = out.reserve(MaxMeasurementRow);
            std::memcpy(p, prefix, prefixLength);
            p += prefixLength;
            p = field(p, uint32_t(s));
            p = field(p, uint32_t(e));
            p = field(p, echo.range);
            p = field(p, echo.level);
            p = field(p, m_swappedAngles ? echo.firstAngle : echo.secondAngle);
            p = field(p, m_swappedAngles ? echo.secondAngle : echo.firstAngle);
            p = field(p, point.x);
            p = field(p, point.y);
            p = field(p, point.z);
            out.commit(endRow(p));
            ++rows;
        }
    }
    return rows;
}

int CsvRowWriter::appendAuxiliaryRow(CsvBuffer &out, const VEXA3D_AUXILIARY_DATA_T &packet) const
{
    const uint32_t count = std::min<uint32_t>(packet.sampleCount, VEXA3D_MAX_AUX_SAMPLES);
    if (count == 0)
        return 0;
    const VEXA3D_AUX_SAMPLE_T &s = packet.samples[count - 1];
    char *p = out.reserve(MaxAuxiliaryRow);
    // The packet's time stamp is the time of its first sample.
    p = field(p, uint32_t(packet.timestamp));
    p = field(p, s.gyroX * m_gyroFactor);
    p = field(p, s.gyroY * m_gyroFactor);
    p = field(p, s.gyroZ * m_gyroFactor);
    p = field(p, s.accelX * m_accelFactor);
    p = field(p, s.accelY * m_accelFactor);
    p = field(p, s.accelZ * m_accelFactor);
    p = field(p, double(float(s.magX) * 0.15f));
    p = field(p, double(float(s.magY) * 0.15f));
    p = field(p, double(float(s.magZ) * 0.15f));
    p = field(p, s.temperature / 333.87 + 21.0);
    out.commit(endRow(p));
    return 1;
}
