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
#include <utility>
#include <vector>

namespace Vexa3dTest {

// Writes v little-endian into n bytes at `at`, growing the string as needed.
inline void put(std::string &s, size_t at, uint32_t v, int n)
{
    if (s.size() < at + size_t(n))
        s.resize(at + size_t(n));
    for (int i = 0; i < n; ++i)
        s[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
}

inline void append(std::string &s, uint32_t v, int n)
{
    put(s, s.size(), v, n);
}

// A framed packet: 24-byte header then payload. headerLength and totalLength may be forced.
inline std::string frame(const std::string &type, const std::string &payload,
                         const std::string &status = "000", int headerLength = 24, int totalLength = -1)
{
    std::string s(24, '\0');
    s.replace(0, 4, "DRAL");
    s.replace(4, 3, type.substr(0, 3));
    s.replace(8, 3, status.substr(0, 3));
    put(s, 12, uint32_t(headerLength), 2);
    put(s, 14, uint32_t(totalLength >= 0 ? totalLength : int(24 + payload.size()) + (headerLength - 24)), 2);
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

    // The measurement header cut to headerLength (a field that does not fit is left out), the index
    // block and the echoes.
    std::string payload() const
    {
        std::string p;
        std::vector<std::pair<uint32_t, int>> header{
            {headerLength, 2}, {timestamp, 4},  {0, 4},      {uint16_t(start), 2}, {uint16_t(end), 2},
            {frameNumber, 1},  {motorField, 1}, {line, 2},   {spotOffset, 2},      {remField, 1},
            {remCount, 1},     {dust, 2},       {output, 1}, {input, 1},           {dirt, 2}};
        for (uint32_t area : areas)
            header.push_back({area, 4});
        for (size_t f = 0; f < header.size() && p.size() + size_t(header[f].second) <= headerLength; ++f)
            append(p, header[f].first, header[f].second);
        p.resize(headerLength);

        const int count = spotsInPacket >= 0 ? spotsInPacket : int(spots.size());
        append(p, 0, 2);
        append(p, uint32_t(count), 2);
        uint32_t offset = 0;
        if (offsets.empty())
            append(p, 0, 2);
        for (size_t s = 0; offsets.empty() && s < spots.size(); ++s)
            append(p, offset += uint32_t(spots[s].size()), 2);
        for (uint16_t o : offsets)
            append(p, o, 2);
        if (count % 2 == 0)
            append(p, 0, 2);
        const bool withLevel = type != "_ro";
        for (const auto &spot : spots)
            for (const Echo &e : spot)
                append(p, withLevel ? e.range | uint32_t(e.level) << 16 : e.range, withLevel ? 4 : 2);
        p.append(size_t(extraEchoes * (withLevel ? 4 : 2)), '\0');
        return p;
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
        std::string p;
        append(p, headerLength, 2);
        append(p, timestamp, 4);
        append(p, bits, 4);
        append(p, sampleCount, 1);
        append(p, interval, 1);
        p.resize(headerLength);
        for (int32_t v : values)
            append(p, uint32_t(v), 4);
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
