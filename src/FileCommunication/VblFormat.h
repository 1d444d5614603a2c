#pragma once

#include "ParamDefinitions.h"
#include "SensorData.h"
#include "Vexa3dTypes.h"

#include <QByteArray>
#include <QObject>
#include <QSharedPointer>

#include <cstdint>

class QDataStream;
class QIODevice;

namespace Vbl {

#pragma pack(push, 1)
struct VblFileRecord
{
    uint8_t fixed[6] = {1, 1, 0, 2, 0, 0};
    uint8_t compression = 0;
    uint8_t reserved = 0;
    char application[16] = "Taviro3DViewer";
    char product[16] = {};
};

struct SectionTableHead
{
    uint32_t count = 0;
    uint32_t reserved = 0;
};

struct SectionTableEntry
{
    char name[8] = {};
    uint32_t offset = 0;
};

struct SCAN_BLOCK_T
{
    int64_t offset = 0;
    int32_t index = 0;
    uint32_t length = 0;
    float position[3] = {};
    float rotation[3] = {};
    uint8_t kind = 0;
    char dateTime[23] = {};
};
#pragma pack(pop)

static_assert(sizeof(VblFileRecord) == 40, "file head layout");
static_assert(sizeof(SectionTableHead) == 8, "table head layout");
static_assert(sizeof(SectionTableEntry) == 12, "table entry layout");
static_assert(sizeof(SCAN_BLOCK_T) == 64, "block header layout");

enum PayloadKind : uint8_t
{
    MeasurementPayload = 0,
    AuxiliaryPayload = 1
};

// Limits for what a file may make the reader allocate.
constexpr qint64 MaxPayloadBytes = 64 * 1024 * 1024;
constexpr qint64 MaxRecordBytes = 64 * 1024 * 1024;
constexpr int MaxSamples = VEXA3D_MAX_AUX_SAMPLES;
// Connection indexes beyond this are treated as damage, not as thousands of sources.
constexpr int MaxConnectionIndex = 255;

// "yyyy-MM-dd hh:mm:ss.zzz" with digits and separators in their places.
bool isValidLogTime(const char *text23);

// The in-memory size a line record of this geometry takes (an estimate that counts the vectors).
qint64 lineRecordBytes(qint64 spots, qint64 echoes, qint64 regions);

// The geometry a file announces, refused when a line of it could not be held sanely.
bool isSaneGeometry(const VEXA3D_SPEC_T &spec);

// Bytes from the current position to the end of the device (0 for a sequential one).
qint64 bytesLeft(const QIODevice *device);

// Reads a payload of storedLength bytes and, when compressed, inflates it. Refuses a stored length past
// the end of the device and an announced inflated size above maxInflated, before allocating.
bool readPayload(QIODevice *device, qint64 storedLength, bool compressed, qint64 maxInflated,
                 QByteArray &out);

// The four definition lists of a file, and where the scan values sit among them.
class VblSectionContext : public QObject
{
    Q_OBJECT
public:
    VblSectionContext(const ParamList &params, const ScanParamList &points, const ScanParamList &echoes,
                      const ScanParamList &lines, QObject *parent = nullptr);

    const ParamList &params() const { return m_params; }
    const ScanParamList &pointFields() const { return m_points; }
    const ScanParamList &echoFields() const { return m_echoes; }
    const ScanParamList &lineFields() const { return m_lines; }

    int pointCount() const { return m_points.size(); }
    int echoFieldCount() const { return m_echoes.size(); }
    int lineFieldCount() const { return m_lines.size(); }

    // The "isDetected_" run of the point fields, -1 start when absent.
    int detectedStart() const { return m_detectedStart; }
    int detectedCount() const { return m_detectedCount; }
    // Index of "echoCount" among the echo fields, or -1.
    int echoCountField() const { return m_echoCountField; }
    // Per line field: which record field it is (see LineField), or -1.
    int lineFieldRole(int i) const { return m_lineRoles.at(i); }

    enum LineField
    {
        MotorField,
        RemField,
        DustState,
        DustRatio,
        Output,
        Input,
        DirtState,
        DirtRatio,
        LineReady,
        DetectionArea
    };

private:
    ParamList m_params;
    ScanParamList m_points;
    ScanParamList m_echoes;
    ScanParamList m_lines;
    int m_detectedStart = -1;
    int m_detectedCount = 0;
    int m_echoCountField = -1;
    QVector<int> m_lineRoles;
};

// A measurement payload: one line record in the file's layout.
class ScanPointData : public MeasurementData
{
public:
    explicit ScanPointData(QSharedPointer<VEXA3D_MEASUREMENT_DATA_T> data = {});

    bool readFrom(QDataStream &stream) override;
    bool writeTo(QDataStream &stream) const override;
    int byteSize() const override;
    int dataType() const override { return MeasurementPayload; }
    qint64 timestamp() const override { return m_data ? m_data->timestamp : 0; }
    void setSharedContext(QObject *context) override;

    void setCompressed(bool compressed) { m_compressed = compressed; }
    void setStoredLength(quint32 length) { m_storedLength = length; }

    // The uncompressed payload; false when the record does not fit the context's layout.
    bool serialize(QByteArray &out) const;
    bool parse(const char *bytes, qint64 length);

    QSharedPointer<VEXA3D_MEASUREMENT_DATA_T> data() const { return m_data; }

private:
    int spotRecords() const;
    int echoesPerSpot() const;

    QSharedPointer<VEXA3D_MEASUREMENT_DATA_T> m_data;
    const VblSectionContext *m_context = nullptr;
    bool m_compressed = false;
    quint32 m_storedLength = 0;
};

// An auxiliary payload: one inertial packet.
class ImuAuxiliaryData : public AuxiliaryData
{
public:
    explicit ImuAuxiliaryData(QSharedPointer<VEXA3D_AUXILIARY_DATA_T> data = {});

    bool readFrom(QDataStream &stream) override;
    bool writeTo(QDataStream &stream) const override;
    int byteSize() const override;
    int dataType() const override { return AuxiliaryPayload; }
    qint64 timestamp() const override { return m_data ? m_data->timestamp : 0; }

    void setCompressed(bool compressed) { m_compressed = compressed; }
    void setStoredLength(quint32 length) { m_storedLength = length; }

    bool serialize(QByteArray &out) const;
    bool parse(const char *bytes, qint64 length);

    QSharedPointer<VEXA3D_AUXILIARY_DATA_T> data() const { return m_data; }

private:
    int sampleCount() const;

    QSharedPointer<VEXA3D_AUXILIARY_DATA_T> m_data;
    bool m_compressed = false;
    quint32 m_storedLength = 0;
};

// A frame's payload in the file's layout, written into out (a buffer handed in again keeps its memory).
// Live records are written straight from their data, without building a payload object.
enum class PayloadWrite
{
    Done,
    NotPayload, // neither a line nor an auxiliary packet
    Misfit      // a record that does not fit the file's layout
};
[[nodiscard]] PayloadWrite serializeFrame(const SensorData &frame, const VblSectionContext *context,
                                          QByteArray &out, PayloadKind &kind);
// Whether serializeFrame can make a payload of this frame's kind.
bool isPayloadFrame(const SensorData *frame);

// Frame converters between the live records and the payload records.
QSharedPointer<SensorData> toPayload(const QSharedPointer<SensorData> &frame);
QSharedPointer<SensorData> fromPayload(const QSharedPointer<SensorData> &payload,
                                       const VEXA3D_SENSOR_INFO_T &info);

} // namespace Vbl
