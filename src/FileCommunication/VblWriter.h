#pragma once

#include "VblSections.h"

#include <QFileDevice>
#include <QVector3D>

#include <functional>
#include <memory>

// Writes the fixed part of a ".vbl" file: head, section table and the text sections in order.
[[nodiscard]] bool writeVblHead(QDataStream &stream, bool compressed, const QByteArray &product,
                                const QList<ISectionRW *> &textSections);

// A whole ".vbl" writer on Qt Core: the sections, the file and one block per frame.
// The file is written unbuffered, one block at a time, so that the file on disk always ends on a whole
// block or inside the one being written (a killed process leaves a file readable up to its last block).
class VblWriter
{
public:
    enum class Result
    {
        Written,
        Skipped, // a frame that is neither a line nor an auxiliary packet
        Failed
    };
    // Makes the (unopened) file for a name; a QFile by default.
    using FileMaker = std::function<std::unique_ptr<QFileDevice>(const QString &fileName)>;

    VblWriter();
    ~VblWriter();

    // Fills the five text sections from the block.
    void setSensorInfo(const VEXA3D_SENSOR_INFO_T &info);
    void setFileMaker(FileMaker maker) { m_maker = std::move(maker); }
    // Creates the file and writes head, table and text sections.
    [[nodiscard]] bool open(const QString &fileName, bool compressed);
    // One block. time is "yyyy-MM-dd hh:mm:ss.zzz". A block that fails is cut off the file again.
    [[nodiscard]] Result appendFrame(int connection, const QSharedPointer<SensorData> &frame,
                                     const QVector3D &position, const QVector3D &rotation,
                                     const QString &time);
    [[nodiscard]] bool writeFrame(int connection, const QSharedPointer<SensorData> &frame,
                                  const QVector3D &position, const QVector3D &rotation, const QString &time)
    {
        return appendFrame(connection, frame, position, rotation, time) == Result::Written;
    }
    // False when closing lost data.
    [[nodiscard]] bool finish();
    void close() { (void)finish(); }

    bool isOpen() const { return m_file && m_file->isOpen(); }
    QString fileName() const { return m_fileName; }
    // The reason of the last failure.
    QString errorString() const { return m_error; }
    // Bytes of the file so far.
    qint64 size() const { return isOpen() ? m_file->pos() : 0; }

    VersionSectionRW &versionSection() { return m_version; }
    SensorParamSectionRW &paramSection() { return m_param; }
    ScanPointParamSectionRW &pointSection() { return m_point; }
    ScanEchoParamSectionRW &echoSection() { return m_echo; }
    ScanLineParamSectionRW &lineSection() { return m_line; }
    ScanBlockSectionRW &scanSection() { return m_scan; }
    QList<ISectionRW *> textSections() { return {&m_version, &m_param, &m_point, &m_echo, &m_line}; }

private:
    void fail(const QString &fallback);

    VEXA3D_SENSOR_INFO_T m_info;
    VersionSectionRW m_version;
    SensorParamSectionRW m_param;
    ScanPointParamSectionRW m_point;
    ScanEchoParamSectionRW m_echo;
    ScanLineParamSectionRW m_line;
    ScanBlockSectionRW m_scan;
    FileMaker m_maker;
    std::unique_ptr<QFileDevice> m_file;
    QDataStream m_stream;
    QString m_fileName;
    QString m_error;
};
