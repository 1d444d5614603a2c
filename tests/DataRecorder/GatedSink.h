#pragma once

#include "VblRecordSink.h"

#include <future>

// A ".vbl" sink whose writes wait until the test opens the gate: a disk that cannot keep up.
class GatedSink : public VblRecordSink
{
public:
    GatedSink(const QString &file, const VEXA3D_SENSOR_INFO_T &info, std::shared_future<void> gate)
        : VblRecordSink(file, true, info), m_gate(std::move(gate))
    {
    }
    Result write(const FileRecord::file_record_t &record) override
    {
        m_gate.wait();
        return VblRecordSink::write(record);
    }

private:
    std::shared_future<void> m_gate;
};

// Lets the writes go; opening an open gate does nothing.
inline void openGate(std::promise<void> &gate)
{
    try {
        gate.set_value();
    } catch (const std::future_error &) {
    }
}
