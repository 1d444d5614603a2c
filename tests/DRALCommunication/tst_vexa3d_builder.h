#pragma once

// Byte-level packet builders, independent of the library's own decoding code so the tests check the
// wire format and malformed input rather than restate the decoder, and a simulated sensor.

#include "SensorSimulator.h"
#include "Vexa3dMemoryConnection.h"
#include "Vexa3dSensor.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Vexa3dTest {

inline void put16(std::string &s, size_t at, uint16_t v)
{
    s[at] = char(v & 0xFF);
    s[at + 1] = char(v >> 8);
}

inline void put32(std::string &s, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
}

inline void append16(std::string &s, uint16_t v)
{
    s.push_back(char(v & 0xFF));
    s.push_back(char(v >> 8));
}

inline void append32(std::string &s, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s.push_back(char((v >> (8 * i)) & 0xFF));
}

// A framed packet: 24-byte header then payload. headerLength and totalLength may be forced.
inline std::string frame(const std::string &type, const std::string &payload,
                         const std::string &status = "000", int headerLength = 24, int totalLength = -1)
{
    std::string s(24, '\0');
    s.replace(0, 4, "DRAL");
    s.replace(4, 3, type.substr(0, 3));
    s.replace(8, 3, status.substr(0, 3));
    put16(s, 12, uint16_t(headerLength));
    put16(s, 14, uint16_t(totalLength >= 0 ? totalLength : int(24 + payload.size()) + (headerLength - 24)));
    if (headerLength > 24)
        s.append(size_t(headerLength - 24), '\0');
    return s + payload;
}

// The reply to a command: its type is the command's first three characters, its payload echoes it.
inline std::string reply(const std::string &command, const std::string &rest = std::string())
{
    return frame(command.substr(0, 3), command + rest);
}

struct Echo
{
    uint16_t range = 0;
    uint16_t level = 0;
};

struct MeasurementPacket
{
    std::string type = "_ri";
    std::string status = "000";
    uint16_t headerLength = 24; // measurement header length
    uint32_t timestamp = 1000;
    int16_t start = 0;
    int16_t end = 0;
    uint8_t frameNumber = 1;
    uint8_t motorField = 0;
    uint16_t line = 0;
    uint16_t spotOffset = 0;
    uint8_t remField = 0;
    uint8_t remCount = 1;
    uint16_t dust = 0;
    uint8_t output = 0;
    uint8_t input = 0;
    uint16_t dirt = 0;
    std::vector<uint32_t> areas;
    std::vector<std::vector<Echo>> spots;
    std::vector<uint16_t> offsets; // forced offsets (spotsInPacket + 1 entries) when not empty
    int spotsInPacket = -1;        // forced count when >= 0
    int extraEchoes = 0;           // echo entries appended beyond the last offset

    std::string payload() const
    {
        std::string h(headerLength, '\0');
        auto fits = [&](size_t at, size_t n) { return at + n <= h.size(); };
        if (fits(0, 2))
            put16(h, 0, headerLength);
        if (fits(2, 4))
            put32(h, 2, timestamp);
        if (fits(10, 2))
            put16(h, 10, uint16_t(start));
        if (fits(12, 2))
            put16(h, 12, uint16_t(end));
        if (fits(14, 1))
            h[14] = char(frameNumber);
        if (fits(15, 1))
            h[15] = char(motorField);
        if (fits(16, 2))
            put16(h, 16, line);
        if (fits(18, 2))
            put16(h, 18, spotOffset);
        if (fits(20, 1))
            h[20] = char(remField);
        if (fits(21, 1))
            h[21] = char(remCount);
        if (fits(22, 2))
            put16(h, 22, dust);
        if (fits(24, 1))
            h[24] = char(output);
        if (fits(25, 1))
            h[25] = char(input);
        if (fits(26, 2))
            put16(h, 26, dirt);
        for (size_t c = 0; c < areas.size(); ++c)
            if (fits(28 + 4 * c, 4))
                put32(h, 28 + 4 * c, areas[c]);

        const int count = spotsInPacket >= 0 ? spotsInPacket : int(spots.size());
        std::string index;
        append16(index, 0);
        append16(index, uint16_t(count));
        std::vector<uint16_t> offs = offsets;
        if (offs.empty()) {
            uint16_t o = 0;
            offs.push_back(0);
            for (const auto &spot : spots) {
                o = uint16_t(o + spot.size());
                offs.push_back(o);
            }
        }
        for (uint16_t o : offs)
            append16(index, o);
        if (count % 2 == 0)
            append16(index, 0);

        std::string echoes;
        for (const auto &spot : spots) {
            for (const Echo &e : spot) {
                append16(echoes, e.range);
                if (type != "_ro")
                    append16(echoes, e.level);
            }
        }
        for (int i = 0; i < extraEchoes; ++i) {
            append16(echoes, 0);
            if (type != "_ro")
                append16(echoes, 0);
        }
        return h + index + echoes;
    }

    std::string bytes() const { return frame(type, payload(), status); }
};

struct AuxiliaryPacket
{
    std::string status = "000";
    uint16_t headerLength = 12;
    uint32_t timestamp = 5000;
    uint32_t bits = 0xFFC00000u;
    uint8_t sampleCount = 0;
    uint8_t interval = 10;
    std::vector<int32_t> values;

    std::string bytes() const
    {
        std::string p(headerLength, '\0');
        put16(p, 0, headerLength);
        put32(p, 2, timestamp);
        put32(p, 6, bits);
        p[10] = char(sampleCount);
        p[11] = char(interval);
        for (int32_t v : values)
            append32(p, uint32_t(v));
        return frame("_ax", p, status);
    }
};

// The simulator's command processor behind a memory connection: a well-formed sensor for the sensor
// object's tests. Its clock moves 100 ms per command; an override answers one command with raw bytes.
struct SimulatedSensor
{
    Vexa3dSim::Config config;
    std::map<std::string, std::string> overrides; // command (without newline) -> raw reply bytes
    std::vector<std::string> commands;            // received, without newline
    std::unique_ptr<Vexa3dSim::CommandProcessor> processor;
    int64_t clockMs = 0;

    std::unique_ptr<Vexa3dSensor> makeSensor(Vexa3dMemoryConnection **connection = nullptr)
    {
        processor.reset(new Vexa3dSim::CommandProcessor(config));
        processor->connectionOpened(clockMs);
        auto *memory = new Vexa3dMemoryConnection;
        memory->setResponder([this](const std::string &written, Vexa3dMemoryConnection &conn) {
            const std::string cmd = written.substr(0, written.find('\n'));
            commands.push_back(cmd);
            const auto it = overrides.find(cmd);
            if (it != overrides.end())
                return conn.feed(it->second);
            const std::vector<uint8_t> reply = processor->handle(cmd, clockMs += 100).reply;
            conn.feed(reply.data(), reply.size());
        });
        if (connection)
            *connection = memory;
        return std::unique_ptr<Vexa3dSensor>(new Vexa3dSensor(std::unique_ptr<Vexa3dConnection>(memory)));
    }

    int count(const std::string &prefix) const
    {
        int n = 0;
        for (const std::string &c : commands)
            n += c.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }
};

} // namespace Vexa3dTest
