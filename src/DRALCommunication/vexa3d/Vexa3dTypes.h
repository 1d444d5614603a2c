#pragma once

// Plain records of the sensor library. They are copied whole and stored in log files,
// so their byte layouts are fixed and checked at compile time.

#include <cstddef>
#include <cstdint>
#include <vector>

#pragma pack(push, 1)
struct VEXA3D_SPEC_T
{
    uint8_t motorInterlaceCount = 20;
    uint8_t remInterlaceCount = 10;
    uint16_t firstLineNumber = 0;
    uint16_t lastLineNumber = 35;
    uint16_t lineCount = 36;
    uint16_t spotCount = 74;
    uint8_t echoCount = 4;
    uint8_t regionCount = 2;
    uint8_t isLsbResult = 0;
    uint8_t padding0 = 0;
    uint16_t accelScale = 4;
    uint16_t gyroScale = 500;
    uint8_t swdr = 0;
    uint8_t padding1 = 0;
};

struct VEXA3D_SENSOR_INFO_T
{
    VEXA3D_SPEC_T spec;
    char vendor[64] = {};
    char product[64] = {};
    char serial[64] = {};
    char firmware[64] = {};
    char protocol[64] = {};
};

struct VEXA3D_ECHO_T
{
    double range = 0.0;       // metres
    double firstAngle = 0.0;  // radians; vertical when swdr is 0
    double secondAngle = 0.0; // radians; horizontal when swdr is 0
    uint32_t level = 0;
    uint32_t padding = 0;
};

struct VEXA3D_POINT_T
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    uint32_t level = 0;
    uint32_t padding = 0;
};

struct VEXA3D_AUX_SAMPLE_T
{
    int32_t timestamp = 0;
    int32_t gyroX = 0, gyroY = 0, gyroZ = 0;
    int32_t accelX = 0, accelY = 0, accelZ = 0;
    int32_t magX = 0, magY = 0, magZ = 0;
    int32_t temperature = 0;
};

constexpr int VEXA3D_MAX_AUX_SAMPLES = 255;

struct VEXA3D_AUXILIARY_DATA_T
{
    uint32_t timestamp = 0;
    VEXA3D_AUX_SAMPLE_T samples[VEXA3D_MAX_AUX_SAMPLES] = {};
    uint32_t kinds = 0; // bit 0 gyro, 1 acceleration, 2 magnetic field, 3 temperature
    uint32_t sampleCount = 0;
    char status[3] = {};
    uint8_t padding = 0;
};
#pragma pack(pop)

static_assert(sizeof(VEXA3D_SPEC_T) == 20, "scan geometry layout");
static_assert(offsetof(VEXA3D_SPEC_T, accelScale) == 14 && offsetof(VEXA3D_SPEC_T, swdr) == 18,
              "scan geometry offsets");
static_assert(sizeof(VEXA3D_SENSOR_INFO_T) == 340, "sensor info layout");
static_assert(offsetof(VEXA3D_SENSOR_INFO_T, protocol) == 276, "sensor info offsets");
static_assert(sizeof(VEXA3D_ECHO_T) == 32, "echo layout");
static_assert(sizeof(VEXA3D_POINT_T) == 32, "point layout");
static_assert(sizeof(VEXA3D_AUX_SAMPLE_T) == 44, "aux sample layout");
static_assert(sizeof(VEXA3D_AUXILIARY_DATA_T) == 11236, "auxiliary packet layout");
static_assert(offsetof(VEXA3D_AUXILIARY_DATA_T, kinds) == 11224 &&
                  offsetof(VEXA3D_AUXILIARY_DATA_T, status) == 11232,
              "auxiliary packet offsets");

// The largest line record a scan geometry may demand. Geometries come from sensors and log files, so
// they are bounded before they size anything.
constexpr uint64_t VEXA3D_MAX_RECORD_BYTES = uint64_t(64) << 20;

struct VEXA3D_SPOT_T
{
    std::vector<VEXA3D_ECHO_T> echoes;             // echoCount entries
    std::vector<VEXA3D_POINT_T> points;            // echoCount entries
    std::vector<std::vector<uint8_t>> regionFlags; // echoCount x regionCount
    uint32_t count = 0;                            // valid echoes in this spot
};

// One scan line, sized once from the scan geometry so it never reallocates while data flows.
struct VEXA3D_MEASUREMENT_DATA_T
{
    std::vector<VEXA3D_SPOT_T> spots;
    uint32_t timestamp = 0;
    uint8_t frameNumber = 0;
    uint8_t motorFieldNumber = 0;
    uint8_t remFieldNumber = 0;
    uint16_t lineNumber = 0;
    uint16_t receivedSpotCount = 0;
    char status[3] = {};
    uint8_t dustState = 0;
    uint16_t dustRatioX10 = 0;
    uint8_t output = 0;
    uint8_t input = 0;
    uint8_t dirtState = 0;
    uint16_t dirtRatioX10 = 0;
    std::vector<uint32_t> totalDetectionArea; // regionCount entries
    uint8_t isLineDataReady = 0;

    VEXA3D_MEASUREMENT_DATA_T() = default;
    // Sized for spec, or left empty when the geometry is refused (see allocate).
    explicit VEXA3D_MEASUREMENT_DATA_T(const VEXA3D_SPEC_T &spec) { static_cast<void>(allocate(spec)); }

    // Memory a record of this geometry takes, computed without overflow.
    static uint64_t bytesFor(const VEXA3D_SPEC_T &spec)
    {
        const uint64_t spots = spec.spotCount;
        const uint64_t echoes = spec.echoCount;
        const uint64_t regions = spec.regionCount;
        const uint64_t perEcho =
            sizeof(VEXA3D_ECHO_T) + sizeof(VEXA3D_POINT_T) + sizeof(std::vector<uint8_t>) + regions;
        return spots * (sizeof(VEXA3D_SPOT_T) + echoes * perEcho) + 4 * regions;
    }

    // Sizes every vector from the scan geometry and zeroes all fields. False, with the record left
    // empty, when the record would exceed VEXA3D_MAX_RECORD_BYTES or memory is short; never throws.
    [[nodiscard]] bool allocate(const VEXA3D_SPEC_T &spec) noexcept
    {
        spots.clear();
        totalDetectionArea.clear();
        clearHeader();
        if (bytesFor(spec) > VEXA3D_MAX_RECORD_BYTES)
            return false;
        try {
            spots.assign(spec.spotCount, VEXA3D_SPOT_T{});
            for (VEXA3D_SPOT_T &spot : spots) {
                spot.echoes.assign(spec.echoCount, VEXA3D_ECHO_T{});
                spot.points.assign(spec.echoCount, VEXA3D_POINT_T{});
                spot.regionFlags.assign(spec.echoCount, std::vector<uint8_t>(spec.regionCount, 0));
            }
            totalDetectionArea.assign(spec.regionCount, 0);
        } catch (...) {
            spots.clear();
            totalDetectionArea.clear();
            return false;
        }
        return true;
    }

    // Zeroes the header fields and the spot counts without touching the allocations.
    void clearHeader()
    {
        timestamp = 0;
        frameNumber = motorFieldNumber = remFieldNumber = 0;
        lineNumber = receivedSpotCount = 0;
        status[0] = status[1] = status[2] = 0;
        dustState = output = input = dirtState = 0;
        dustRatioX10 = dirtRatioX10 = 0;
        for (uint32_t &a : totalDetectionArea)
            a = 0;
        isLineDataReady = 0;
    }
};
