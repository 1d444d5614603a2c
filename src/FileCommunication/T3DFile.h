#pragma once

#include "SensorData.h"
#include "Vexa3dTypes.h"

#include <QSharedPointer>

#include <cstdint>

class QIODevice;

#pragma pack(push, 1)
struct T3D_FILE_HEAD
{
    char magic[6] = {'T', 'A', 'V', 'I', 'R', 'O'};
    uint8_t unused[6] = {};
    uint8_t compression = 0;
};

struct T3D_SCAN_HEADER
{
    uint8_t unused0[8] = {};
    int64_t offset = 0;
    int32_t index = 0;
    uint8_t type = 0;
    uint8_t unused1[3] = {};
    uint32_t length = 0;
    uint8_t unused2[4] = {};
    double position[3] = {};
    double rotation[3] = {};
    char dateTime[23] = {};
    uint8_t unused3 = 0;
};
#pragma pack(pop)

static_assert(sizeof(T3D_FILE_HEAD) == 13, "legacy head layout");
static_assert(sizeof(T3D_SCAN_HEADER) == 104, "legacy record header layout");

// Reader of the legacy ".t3d" payloads (raw sensor library records of a 74-spot, 4-echo sensor).
namespace T3DFile {
constexpr int MeasurementType = 17;
constexpr int AuxiliaryType = 18;
constexpr int SpotCount = 74;
constexpr int EchoCount = 4;
constexpr qint64 MeasurementBytes = 19555;
constexpr qint64 AuxiliaryBytes = 11236;

// The fixed description of every legacy file.
VEXA3D_SENSOR_INFO_T sensorInfo();

// Reads the payload that follows header at the device's position into a live record.
[[nodiscard]] bool readScanData(QIODevice &device, QSharedPointer<SensorData> &out,
                                const T3D_SCAN_HEADER &header, bool compressed);
} // namespace T3DFile
