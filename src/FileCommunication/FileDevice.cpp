#include "FileDevice.h"

#include <QtDebug>

#include <cstring>

FileDevice::FileDevice(QObject *parent) : LogFileDevice(parent)
{
    for (ISectionRW *section : QList<ISectionRW *>{&m_version, &m_param, &m_point, &m_echo, &m_line})
        m_sections.insert(section->sectionName(), section);
    connect(&m_version, &VersionSectionRW::readCompleted, this,
            [this](const VersionInfoList &list) { sensorInfoFromVersions(list, m_info); });
    connect(&m_param, &SensorParamSectionRW::readCompleted, this,
            [this](const ParamList &list) { sensorInfoFromParams(list, m_info); });
    // Runs under the device mutex, where m_info is stable.
    m_scan.setReadConverter(
        [this](const QSharedPointer<SensorData> &payload) { return Vbl::fromPayload(payload, m_info); });
}

FileDevice::~FileDevice()
{
    stopIndexing();
}

bool FileDevice::openFile(const QString &fileName)
{
    if (!openForReading(fileName))
        return false;
    if (!readHeadAndSections()) {
        closeFile();
        return false;
    }
    return true;
}

bool FileDevice::readHeadAndSections()
{
    QMutexLocker lock(&m_mutex);
    m_info = VEXA3D_SENSOR_INFO_T();
    m_scanOffset = -1;
    const qint64 size = m_file.size();
    Vbl::SectionTableHead table;
    if (m_stream.readRawData(reinterpret_cast<char *>(&m_head), 40) != 40 ||
        m_stream.readRawData(reinterpret_cast<char *>(&table), 8) != 8)
        return false;
    // The count comes from the file: the table must fit before anything is read for it.
    if (qint64(table.count) * 12 > size - 48)
        return false;
    QVector<Vbl::SectionTableEntry> entries(int(table.count));
    if (m_stream.readRawData(reinterpret_cast<char *>(entries.data()), int(12 * table.count)) !=
        int(12 * table.count))
        return false;
    for (ISectionRW *section : qAsConst(m_sections))
        section->clearSection();
    for (const Vbl::SectionTableEntry &entry : qAsConst(entries)) {
        const QString name = QString::fromLatin1(entry.name, int(strnlen(entry.name, 8)));
        if (name == m_scan.sectionName()) {
            m_scanOffset = entry.offset;
            continue;
        }
        ISectionRW *section = m_sections.value(name);
        if (!section)
            continue;
        m_stream.resetStatus();
        if (qint64(entry.offset) > size || !m_file.seek(entry.offset) || !section->readSection(m_stream))
            qDebug() << "failed read section :" << name;
    }
    m_compressed = m_head.compression != 0;
    m_scan.setCompressed(m_compressed);
    m_scan.setContext(QSharedPointer<Vbl::VblSectionContext>::create(m_param.list(), m_point.list(),
                                                                     m_echo.list(), m_line.list()));
    if (m_info.product[0] == 0)
        std::memcpy(m_info.product, m_head.product, strnlen(m_head.product, 15));
    // Geometry from the file sizes every line record: refuse what no sensor could have.
    if (!Vbl::isSaneGeometry(m_info.spec)) {
        qDebug() << "impossible scan geometry in" << m_file.fileName();
        return false;
    }
    if (m_scanOffset < 0 || m_scanOffset > size)
        return false;
    m_stream.resetStatus();
    return m_file.seek(m_scanOffset);
}

LogIndex FileDevice::walkFrom(QIODevice &device) const
{
    ScanBlockCountR counter;
    if (!device.seek(m_scanOffset))
        return {};
    QDataStream stream(&device);
    (void)counter.readSection(stream);
    return counter.takeIndex();
}

bool FileDevice::readAt(qint64 offset, QSharedPointer<SensorData> &frame, FileRecordInfo &header)
{
    if (!m_file.seek(offset) || !m_scan.readSection(m_stream))
        return false;
    frame = m_scan.frame();
    header = recordInfo(m_scan.header());
    return true;
}
