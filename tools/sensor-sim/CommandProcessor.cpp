#include "SensorSimulator.h"

#include <cstdio>
#include <cstring>

namespace Vexa3dSim {

namespace {

bool startsWith(const std::string &text, const std::string &prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool matchesAny(const std::string &command, const std::vector<std::string> &prefixes)
{
    for (const std::string &p : prefixes)
        if (startsWith(command, p))
            return true;
    return false;
}

// Parses exactly `digits` decimal digits at text[at..]; -1 when they are not there.
int parseDigits(const std::string &text, size_t at, size_t digits)
{
    if (text.size() < at + digits)
        return -1;
    int v = 0;
    for (size_t i = 0; i < digits; ++i) {
        const char c = text[at + i];
        if (c < '0' || c > '9')
            return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::string hexValues(const std::vector<uint16_t> &values)
{
    std::string out;
    out.reserve(values.size() * 5);
    char buf[8];
    for (size_t i = 0; i < values.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%04X", values[i]);
        if (i)
            out += ',';
        out += buf;
    }
    return out;
}

std::string twoDigits(int v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

} // namespace

CommandProcessor::CommandProcessor(const Config &config) : m_config(config), m_generator(config)
{
    m_horizontalInterlace = std::max(1, static_cast<int>(config.geometry.horizontalInterlace));
    m_verticalInterlace = std::max(1, static_cast<int>(config.geometry.verticalInterlace));
}

void CommandProcessor::setConfig(const Config &config)
{
    m_config = config;
    m_generator = Generator(config);
    if (m_horizontalInterlace > config.geometry.motorInterlaceCount)
        m_horizontalInterlace = std::max(1, static_cast<int>(config.geometry.horizontalInterlace));
    if (m_verticalInterlace > config.geometry.remInterlaceCount)
        m_verticalInterlace = std::max(1, static_cast<int>(config.geometry.verticalInterlace));
}

void CommandProcessor::connectionOpened(int64_t nowMs)
{
    for (bool &s : m_started)
        s = false;
    m_preparedAtMs = nowMs + m_config.preparingMs;
}

CommandProcessor::Result CommandProcessor::handle(const std::string &command, int64_t nowMs)
{
    Result result;
    const Faults &faults = m_config.faults;
    if (matchesAny(command, faults.silentCommands))
        return result;
    if (matchesAny(command, faults.refusedCommands)) {
        result.reply = makePacket(faults.refuseType, faults.refuseStatus, command);
        return result;
    }
    if (command.size() < 3) {
        result.reply = makePacket("ERR", "001", command);
        return result;
    }
    bool ok = false;
    std::string status = "000";
    std::string payload = payloadFor(command, nowMs, &ok, &status);
    if (!ok) {
        result.reply = makePacket("ERR", status, command);
        return result;
    }
    if (matchesAny(command, faults.wrongEchoCommands) && !payload.empty())
        payload[0] = payload[0] == '#' ? '$' : '#';
    result.reply = makePacket(command.substr(0, 3), "000", payload);
    if (command == "RST") {
        result.dropConnection = true;
        m_horizontalInterlace = std::max(1, static_cast<int>(m_config.geometry.horizontalInterlace));
        m_verticalInterlace = std::max(1, static_cast<int>(m_config.geometry.verticalInterlace));
        connectionOpened(nowMs);
    }
    return result;
}

std::string CommandProcessor::payloadFor(const std::string &cmd, int64_t nowMs, bool *ok, std::string *status)
{
    const Geometry &g = m_config.geometry;
    *ok = true;
    auto fail = [&](const char *code) {
        *ok = false;
        *status = code;
        return std::string();
    };
    auto value = [&](long v) { return cmd + "\n" + std::to_string(v) + "\n"; };

    if (cmd == "VER") {
        const Identity &id = m_config.identity;
        return "vend:" + id.vendor + "\nprod:" + id.product + "\nseri:" + id.serial +
               "\nfirm:" + id.firmware + "\nprot:" + id.protocol + "\n";
    }
    if (startsWith(cmd, "GET:spec.")) {
        const std::string name = cmd.substr(9);
        if (name == "motorInterlaceCount")
            return value(g.motorInterlaceCount);
        if (name == "remInterlaceCount")
            return value(g.remInterlaceCount);
        if (name == "firstLineNumber")
            return value(g.firstLineNumber);
        if (name == "lastLineNumber")
            return value(g.lastLineNumber);
        if (name == "spotCount")
            return value(g.spotCount);
        if (name == "echoCount")
            return value(g.echoCount);
        if (name == "regionCount")
            return value(g.regionCount);
        if (name == "isLsbResult")
            return value(g.isLsbResult);
        if (name == "accelScale")
            return value(g.accelScale);
        if (name == "gyroScale")
            return value(g.gyroScale);
        return fail("001");
    }
    if (cmd == "GET:swdr")
        return value(g.swdr);
    if (cmd == "GET:_itl")
        return cmd + "\n0," + twoDigits(m_horizontalInterlace) + "\n";
    if (cmd == "GET:_itv")
        return cmd + "\n0," + twoDigits(m_verticalInterlace) + "\n";
    if (startsWith(cmd, "SET:_itl=0,") || startsWith(cmd, "SET:_itv=0,")) {
        const bool horizontal = cmd[7] == 'l';
        const int v = parseDigits(cmd, 11, 2);
        const int limit = horizontal ? g.motorInterlaceCount : g.remInterlaceCount;
        if (cmd.size() != 13 || v < 1 || v > limit)
            return fail("002");
        (horizontal ? m_horizontalInterlace : m_verticalInterlace) = v;
        return cmd;
    }

    // Tables: "GET:tblh", "GET:tblh[cc]", "GET:tvff", "GET:tvff[cc]".
    const bool horizontalTable = startsWith(cmd, "GET:tblh");
    const bool verticalTable = !horizontalTable && startsWith(cmd, "GET:tv") && parseDigits(cmd, 6, 2) >= 0;
    if (horizontalTable || verticalTable) {
        const size_t base = 8;
        int chunk = -1;
        if (cmd.size() == base + 4 && cmd[base] == '[' && cmd[base + 3] == ']') {
            chunk = parseDigits(cmd, base + 1, 2);
            if (chunk < 0 || chunk >= g.chunkCount())
                return fail("002");
        } else if (cmd.size() != base) {
            return fail("001");
        }
        const int field = verticalTable ? parseDigits(cmd, 6, 2) : 0;
        if (verticalTable && field >= m_verticalInterlace)
            return fail("002");
        const int from = chunk < 0 ? 0 : chunk * 256;
        const int to = chunk < 0 ? g.spotCount : std::min<int>(g.spotCount, from + 256);
        if (24 + cmd.size() + 1 + 5 * static_cast<size_t>(to - from) > 65535)
            return fail("003"); // would not fit one packet: only the chunked form serves it
        std::vector<uint16_t> values;
        for (int s = from; s < to; ++s)
            values.push_back(verticalTable ? m_generator.verticalValue(m_verticalInterlace, field, s)
                                           : m_generator.horizontalValue(s));
        return cmd + "\n" + hexValues(values) + "\n";
    }
    if (cmd == "GET:stat") {
        const bool preparing = nowMs < m_preparedAtMs;
        const std::string ro = preparing ? "099" : m_config.statRangeCode;
        const std::string ri = preparing ? "099" : m_config.statLevelCode;
        const std::string ax = preparing ? "099" : m_config.statAuxCode;
        return cmd + "\n_ro=" + ro + "\n_ri=" + ri + "\n_ra=" + ro + "\n_ax=" + ax + "\n";
    }
    if (cmd == "RST")
        return cmd;
    if (startsWith(cmd, "DAT:") && cmd.size() == 8 && cmd[6] == '=' && (cmd[7] == '0' || cmd[7] == '1')) {
        const std::string kind = cmd.substr(4, 2);
        int index = 0;
        if (kind == "ro")
            index = static_cast<int>(DataKind::Range);
        else if (kind == "ri")
            index = static_cast<int>(DataKind::RangeLevel);
        else if (kind == "ax")
            index = static_cast<int>(DataKind::Auxiliary);
        else if (kind == "ra")
            index = static_cast<int>(DataKind::ExtendedRange);
        else
            return fail("001");
        m_started[index] = cmd[7] == '1';
        return cmd;
    }
    return fail("001");
}

} // namespace Vexa3dSim
