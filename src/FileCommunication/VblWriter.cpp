#include "VblWriter.h"

#include <QDebug>
#include <QFile>

#include <cstring>

bool writeVblHead(QDataStream &stream, bool compressed, const QByteArray &product,
                  const QList<ISectionRW *> &textSections)
{
    Vbl::VblFileRecord head;
    head.compression = compressed ? 1 : 0;
    std::memcpy(head.product, product.constData(), size_t(std::min(product.size(), 15)));
    bool ok = stream.writeRawData(reinterpret_cast<const char *>(&head), 40) == 40;

    Vbl::SectionTableHead table;
    table.count = quint32(textSections.size() + 1);
    ok = ok && stream.writeRawData(reinterpret_cast<const char *>(&table), 8) == 8;
    qint64 offset = 48 + 12 * qint64(table.count);
    QStringList names;
    for (ISectionRW *section : textSections)
        names << section->sectionName();
    names << QStringLiteral("scan");
    for (int i = 0; i < names.size(); ++i) {
        Vbl::SectionTableEntry entry;
        const QByteArray name = names.at(i).toLatin1();
        std::memcpy(entry.name, name.constData(), size_t(std::min(name.size(), 7)));
        entry.offset = quint32(offset);
        ok = ok && stream.writeRawData(reinterpret_cast<const char *>(&entry), 12) == 12;
        if (i < textSections.size())
            offset += textSections.at(i)->sectionSize();
    }
    for (ISectionRW *section : textSections)
        ok = ok && section->writeSection(stream);
    return ok;
}

VblWriter::VblWriter() = default;

VblWriter::~VblWriter()
{
    close();
}

void VblWriter::setSensorInfo(const VEXA3D_SENSOR_INFO_T &info)
{
    m_info = info;
    m_version.setList(versionsFromInfo(info));
    m_param.setList(sensorParamsFromInfo(info));
    m_point.setList(pointFieldsFromInfo(info));
    m_echo.setList(echoFieldsFromInfo(info));
    m_line.setList(lineFieldsFromInfo(info));
}

void VblWriter::fail(const QString &fallback)
{
    const QString reason = m_file ? m_file->errorString() : QString();
    m_error = reason.isEmpty() || reason == QLatin1String("Unknown error") ? fallback : reason;
}

bool VblWriter::open(const QString &fileName, bool compressed)
{
    close();
    m_error.clear();
    m_fileName = fileName;
    m_file = m_maker ? m_maker(fileName) : std::make_unique<QFile>(fileName);
    if (!m_file) {
        m_error = QStringLiteral("no file");
        return false;
    }
    // Unbuffered: a block is on disk when appendFrame returns, and a failure belongs to that block.
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        fail(QStringLiteral("cannot be created"));
        m_file.reset();
        return false;
    }
    m_stream.setDevice(m_file.get());
    m_scan.setCompressed(compressed);
    m_scan.setContext(QSharedPointer<Vbl::VblSectionContext>::create(m_param.list(), m_point.list(),
                                                                     m_echo.list(), m_line.list()));
    if (!writeVblHead(m_stream, compressed, QByteArray(m_info.product, int(strnlen(m_info.product, 64))),
                      textSections())) {
        fail(QStringLiteral("the file head could not be written"));
        return false;
    }
    return true;
}

VblWriter::Result VblWriter::appendFrame(int connection, const QSharedPointer<SensorData> &frame,
                                         const QVector3D &position, const QVector3D &rotation,
                                         const QString &time)
{
    if (!isOpen()) {
        m_error = QStringLiteral("the file is not open");
        return Result::Failed;
    }
    if (!Vbl::isPayloadFrame(frame.data()))
        return Result::Skipped;
    Vbl::SCAN_BLOCK_T header;
    header.index = connection;
    for (int i = 0; i < 3; ++i) {
        header.position[i] = position[i];
        header.rotation[i] = rotation[i];
    }
    // Latin-1, cut or padded with zeros to 23 bytes, without a temporary per block.
    const int n = std::min(time.size(), 23);
    for (int i = 0; i < n; ++i) {
        const ushort c = time.at(i).unicode();
        header.dateTime[i] = c > 0xff ? '?' : char(c);
    }
    m_scan.setHeader(header);
    m_scan.setFrame(frame);
    const qint64 start = m_file->pos();
    const bool written = m_scan.writeSection(m_stream);
    // Not kept past its block: the caller decides where a record ends.
    m_scan.setFrame({});
    if (written)
        return Result::Written;
    if (m_stream.status() == QDataStream::Ok) {
        // Nothing reached the file: a record that does not fit the file's layout.
        qDebug() << "failed write scan section";
        return Result::Skipped;
    }
    fail(QStringLiteral("the block could not be written"));
    // Cut back to the block's start, so that the file ends on a whole block.
    m_stream.resetStatus();
    if (m_file->pos() != start) {
        (void)m_file->resize(start);
        (void)m_file->seek(start);
    }
    return Result::Failed;
}

bool VblWriter::finish()
{
    bool ok = true;
    if (m_file && m_file->isOpen()) {
        ok = m_file->flush();
        if (!ok)
            fail(QStringLiteral("the file could not be closed"));
        m_file->close();
    }
    m_stream.setDevice(nullptr);
    m_file.reset();
    return ok;
}
