#include "VblWriter.h"

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

VblWriter::VblWriter()
{
    m_scan.setWriteConverter(&Vbl::toPayload);
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

bool VblWriter::open(const QString &fileName, bool compressed)
{
    close();
    m_file.setFileName(fileName);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    m_stream.setDevice(&m_file);
    m_scan.setCompressed(compressed);
    m_scan.setContext(QSharedPointer<Vbl::VblSectionContext>::create(m_param.list(), m_point.list(),
                                                                     m_echo.list(), m_line.list()));
    return writeVblHead(m_stream, compressed, QByteArray(m_info.product, int(strnlen(m_info.product, 64))),
                        textSections());
}

bool VblWriter::writeFrame(int connection, const QSharedPointer<SensorData> &frame, const QVector3D &position,
                           const QVector3D &rotation, const QString &time)
{
    Vbl::SCAN_BLOCK_T header;
    header.index = connection;
    for (int i = 0; i < 3; ++i) {
        header.position[i] = position[i];
        header.rotation[i] = rotation[i];
    }
    const QByteArray text = time.toLatin1().leftJustified(23, '\0', true);
    std::memcpy(header.dateTime, text.constData(), 23);
    m_scan.setHeader(header);
    m_scan.setFrame(frame);
    return m_file.isOpen() && m_scan.writeSection(m_stream);
}

void VblWriter::close()
{
    if (m_file.isOpen())
        m_file.close();
    m_stream.setDevice(nullptr);
}
