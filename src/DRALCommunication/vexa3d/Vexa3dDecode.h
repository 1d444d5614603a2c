#pragma once

// Decoding of the sensor's data packets as free functions over bytes, the scan geometry and its angle
// tables: the sensor object frames the stream and calls them, the fuzz target and the benchmark call them
// directly. Plain C++17, never throws.

#include "Vexa3dTypes.h"

#include <cstdint>
#include <vector>

// Result codes of the sensor library; the values are those its callers have always compared against.
enum Vexa3dResult : int
{
    Vexa3dOk = 1,                 // done, or a whole packet waits
    Vexa3dNone = 0,               // nothing complete yet, or another kind of packet waits
    Vexa3dOpened = 0,             // open() succeeded
    Vexa3dClosed = 0,             // close() is done
    Vexa3dFailed = -1,            // refused or failed command, failed read
    Vexa3dConnectionLost = -6,    // the peer closed or reset the connection
    Vexa3dTimeout = -2,           // no matching reply in time
    Vexa3dNotInitialized = -3,    // not initialised, or output sized for another geometry
    Vexa3dAborted = -4,           // the caller asked the wait to end
    Vexa3dStreamsNotStopped = -5, // the streams could not be stopped after opening
    Vexa3dNotOpened = -15,        // the connection could not be opened
    Vexa3dPacketDropped = 2,      // readReply(): the packet was consumed, its payload did not fit
};

constexpr int VEXA3D_FRAME_HEADER_LENGTH = 24;
constexpr int VEXA3D_MAX_REPLY_PAYLOAD = 16384;      // reply payload buffers hold this plus a zero byte
constexpr int VEXA3D_MAX_MEASUREMENT_HEADER = 16384; // longest measurement header accepted
constexpr int VEXA3D_MAX_AUX_SAMPLE_BYTES = 16384;   // longest auxiliary sample data accepted

// Geometry a sensor may report before it is refused (so a bad reply cannot demand gigabytes).
constexpr int VEXA3D_MAX_SPOT_COUNT = 8192;
constexpr int VEXA3D_MAX_ECHO_COUNT = 64;
constexpr int VEXA3D_MAX_REGION_COUNT = 64;
constexpr int VEXA3D_MAX_ECHO_ENTRIES = 1 << 16;           // spotCount x echoCount
constexpr int VEXA3D_MAX_VERTICAL_TABLE_ENTRIES = 1 << 20; // remInterlaceCount^2 x spotCount

// The decoded part of a 24-byte frame header.
struct Vexa3dPacketHeader
{
    char type[4] = {};   // three characters and a zero byte
    char status[4] = {}; // three digits and a zero byte
    uint16_t headerLength = 0;
    uint16_t totalLength = 0;
};

// Reads the frame header at bytes (VEXA3D_FRAME_HEADER_LENGTH of them, starting at the mark "DRAL").
// False when the mark is missing or the lengths contradict each other or exceed maxTotalLength.
[[nodiscard]] bool vexa3dReadFrameHeader(const uint8_t *bytes, uint32_t maxTotalLength,
                                         Vexa3dPacketHeader &header);

// Whether the scan geometry is one the library accepts (within the limits above, at least one field).
[[nodiscard]] bool vexa3dGeometryAcceptable(const VEXA3D_SPEC_T &spec);

// The scan geometry with its angle tables: the horizontal fraction of the sweep per spot and the
// vertical angle per interlace count, field and spot, with their cosines and sines, and a small cache of
// the swept angle's cosine and sine per line span.
class Vexa3dGeometry
{
public:
    // Takes the geometry and sizes flat tables (fractions 0, angles 0). False when the geometry is refused
    // or memory is short; the tables are empty then.
    [[nodiscard]] bool reset(const VEXA3D_SPEC_T &spec);
    const VEXA3D_SPEC_T &spec() const { return m_spec; }
    bool isSized() const { return m_sized; }

    double horizontal(int spot) const;
    double verticalAngle(int count, int field, int spot) const;
    [[nodiscard]] bool setHorizontal(const double *fractions, int n, int firstSpot = 0);
    [[nodiscard]] bool setVertical(int count, int field, const double *angles, int n, int firstSpot = 0);
    bool verticalLoaded(int count) const;
    void setVerticalLoaded(int count);
    void setAllVerticalLoaded();

    // Measurement packets that gave the line nothing: malformed, without the angle tables of their
    // field, or a continuation of a line whose start was lost.
    uint64_t discardedPackets() const { return m_discardedPackets; }

private:
    friend bool vexa3dDecodeMeasurement(const uint8_t *, const Vexa3dPacketHeader &, Vexa3dGeometry &,
                                        VEXA3D_MEASUREMENT_DATA_T &);
    bool decodeMeasurement(const uint8_t *packet, const Vexa3dPacketHeader &header,
                           VEXA3D_MEASUREMENT_DATA_T &output, bool &used);
    static constexpr int SpanCacheEntries = 4;

    size_t verticalBase(int count, int field) const;
    int spanCacheEntry(int span);
    void clearSpanCache();

    VEXA3D_SPEC_T m_spec;
    bool m_sized = false;
    std::vector<double> m_horizontal;
    std::vector<double> m_verticalAngle; // [count - 1][field][spot], flattened
    std::vector<double> m_verticalCos;
    std::vector<double> m_verticalSin;
    std::vector<uint8_t> m_verticalLoaded;
    // cos and sin of the swept part of the horizontal angle per spot, for the last few line spans:
    // with them a spot's angle needs no trigonometry of its own.
    std::vector<double> m_spanCos; // [entry][spot]
    std::vector<double> m_spanSin;
    std::vector<uint8_t> m_spanValid;
    int m_spanKey[SpanCacheEntries] = {};
    uint32_t m_spanUsed[SpanCacheEntries] = {};
    uint32_t m_spanClock = 0;
    uint64_t m_discardedPackets = 0;
};

// Whether a frame type is a measurement packet ("_ro", "_ri", "_ra") or an auxiliary one ("_ax").
bool vexa3dIsMeasurement(const Vexa3dPacketHeader &header);
bool vexa3dIsAuxiliary(const Vexa3dPacketHeader &header);

// Decodes one measurement packet (packet points at its mark, header.totalLength bytes) into output,
// which must be sized for the geometry (VEXA3D_MEASUREMENT_DATA_T::allocate): the spots it carries, the
// line header, and every echo as range, angles and point. A packet that starts a line (spot offset 0)
// clears the spots of the line before; a later packet adds to the line only when it carries the same
// line, fields and frame and starts where the line so far ends, else the line is kept broken (no spots
// received) until the next line starts. False for a malformed packet, another packet type, an unsized
// geometry, a field number at or beyond the field count or a field count whose tables are not loaded;
// output is then unchanged.
[[nodiscard]] bool vexa3dDecodeMeasurement(const uint8_t *packet, const Vexa3dPacketHeader &header,
                                           Vexa3dGeometry &geometry, VEXA3D_MEASUREMENT_DATA_T &output);

// Decodes one auxiliary packet into output. False for a malformed packet; output is then unchanged.
[[nodiscard]] bool vexa3dDecodeAuxiliary(const uint8_t *packet, const Vexa3dPacketHeader &header,
                                         VEXA3D_AUXILIARY_DATA_T &output);
