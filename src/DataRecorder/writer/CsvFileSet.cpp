#include "CsvFileSet.h"

#include "DRALAuxiliaryData.h"
#include "DRALMeasurementData.h"

#include <QFile>

namespace {
// Rows are handed to the file in pieces of about this size, and at the end of each batch.
constexpr size_t FlushThreshold = 256 * 1024;
} // namespace

CsvFileSet::CsvFileSet(const QString &prefix, const VEXA3D_SENSOR_INFO_T &info, DeviceMaker maker)
    : m_prefix(prefix), m_rows(info), m_maker(std::move(maker))
{
    if (!m_maker)
        m_maker = [](const QString &name) { return std::unique_ptr<QIODevice>(new QFile(name)); };
}

CsvFileSet::~CsvFileSet()
{
    (void)close();
}

QString CsvFileSet::fileName(const QString &prefix, int connection, bool auxiliary, int part)
{
    return QStringLiteral("%1_connection%2_%3%4.csv")
        .arg(prefix)
        .arg(connection)
        .arg(auxiliary ? QStringLiteral("aux_") : QString())
        .arg(part);
}

CsvFileSet::Result CsvFileSet::write(qint64 index, const SensorData &frame)
{
    const int connection = index <= 0 ? 1 : 2;
    const int first = (connection - 1) * 2;
    if (const auto *line = dynamic_cast<const DRALMeasurementData *>(&frame)) {
        Slot &slot = m_slots[first];
        if (!slot.device && open(slot, connection, false) != Result::Ok)
            return Result::Failed;
        if (const auto data = line->data())
            m_rows.appendMeasurementRows(slot.buffer, *data);
        if (finishRecord(slot, MeasurementLimit) != Result::Ok)
            return Result::Failed;
    }
    if (const auto *packet = dynamic_cast<const DRALAuxiliaryData *>(&frame)) {
        Slot &slot = m_slots[first + 1];
        if (!slot.device && open(slot, connection, true) != Result::Ok)
            return Result::Failed;
        if (const auto data = packet->data())
            m_rows.appendAuxiliaryRow(slot.buffer, *data);
        if (finishRecord(slot, AuxiliaryLimit) != Result::Ok)
            return Result::Failed;
    }
    return Result::Ok;
}

// Counts the record; a full file is closed and the next record starts the next part.
CsvFileSet::Result CsvFileSet::finishRecord(Slot &slot, int limit)
{
    if (++slot.count > limit) {
        const Result result = closeSlot(slot);
        ++slot.part;
        return result;
    }
    return slot.buffer.size() >= FlushThreshold ? flush(slot) : Result::Ok;
}

CsvFileSet::Result CsvFileSet::open(Slot &slot, int connection, bool auxiliary)
{
    slot.name = fileName(m_prefix, connection, auxiliary, slot.part);
    std::unique_ptr<QIODevice> device = m_maker(slot.name);
    // Unbuffered: the rows are buffered here, so a failed write is seen at once and can be undone.
    if (!device || !device->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        m_error = tr("Cannot create the file %1: %2")
                      .arg(slot.name, device ? device->errorString() : tr("no device"));
        return Result::Failed;
    }
    slot.device = std::move(device);
    slot.count = 0;
    slot.buffer.clear();
    m_opened.append(slot.name);
    if (auxiliary)
        m_rows.appendAuxiliaryHeader(slot.buffer);
    else
        m_rows.appendMeasurementHeader(slot.buffer);
    return Result::Ok;
}

CsvFileSet::Result CsvFileSet::flush(Slot &slot)
{
    if (!slot.device || slot.buffer.size() == 0)
        return Result::Ok;
    const qint64 start = slot.device->pos();
    const qint64 wanted = qint64(slot.buffer.size());
    const qint64 written = slot.device->write(slot.buffer.data(), wanted);
    slot.buffer.clear();
    if (written == wanted)
        return Result::Ok;
    m_error = tr("Cannot write the file %1: %2").arg(slot.name, slot.device->errorString());
    // The buffer ends on a whole row: cut a partial write back so the file ends on one too.
    if (auto *file = qobject_cast<QFileDevice *>(slot.device.get()))
        (void)file->resize(start);
    slot.device->close();
    slot.device.reset();
    return Result::Failed;
}

CsvFileSet::Result CsvFileSet::closeSlot(Slot &slot)
{
    if (!slot.device)
        return Result::Ok;
    const Result result = flush(slot);
    if (slot.device) {
        slot.device->close();
        slot.device.reset();
    }
    return result;
}

CsvFileSet::Result CsvFileSet::flush()
{
    Result result = Result::Ok;
    for (Slot &slot : m_slots) {
        if (flush(slot) != Result::Ok)
            result = Result::Failed;
    }
    return result;
}

CsvFileSet::Result CsvFileSet::close()
{
    Result result = Result::Ok;
    for (Slot &slot : m_slots) {
        if (closeSlot(slot) != Result::Ok)
            result = Result::Failed;
    }
    return result;
}
