#pragma once

#include "VblSections.h"

#include <QFile>
#include <QVector3D>

// Writes the fixed part of a ".vbl" file: head, section table and the text sections in order.
[[nodiscard]] bool writeVblHead(QDataStream &stream, bool compressed, const QByteArray &product,
                                const QList<ISectionRW *> &textSections);

// A whole ".vbl" writer on Qt Core: the sections, the file and one block per frame.
class VblWriter
{
public:
    VblWriter();

    // Fills the five text sections from the block.
    void setSensorInfo(const VEXA3D_SENSOR_INFO_T &info);
    [[nodiscard]] bool open(const QString &fileName, bool compressed);
    // One block. time is "yyyy-MM-dd hh:mm:ss.zzz".
    [[nodiscard]] bool writeFrame(int connection, const QSharedPointer<SensorData> &frame,
                                  const QVector3D &position, const QVector3D &rotation, const QString &time);
    void close();

    VersionSectionRW &versionSection() { return m_version; }
    SensorParamSectionRW &paramSection() { return m_param; }
    ScanPointParamSectionRW &pointSection() { return m_point; }
    ScanEchoParamSectionRW &echoSection() { return m_echo; }
    ScanLineParamSectionRW &lineSection() { return m_line; }
    ScanBlockSectionRW &scanSection() { return m_scan; }
    QList<ISectionRW *> textSections() { return {&m_version, &m_param, &m_point, &m_echo, &m_line}; }

private:
    VEXA3D_SENSOR_INFO_T m_info;
    VersionSectionRW m_version;
    SensorParamSectionRW m_param;
    ScanPointParamSectionRW m_point;
    ScanEchoParamSectionRW m_echo;
    ScanLineParamSectionRW m_line;
    ScanBlockSectionRW m_scan;
    QFile m_file;
    QDataStream m_stream;
};
