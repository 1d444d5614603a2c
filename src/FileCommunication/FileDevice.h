#pragma once

#include "LogFileDevice.h"

#include <QMap>

// The ".vbl" log: head, section table, text sections and the scan blocks.
class FileDevice : public LogFileDevice
{
    Q_OBJECT
public:
    explicit FileDevice(QObject *parent = nullptr);
    ~FileDevice() override;

    QString fileSuffix() const override { return QStringLiteral("vbl"); }
    bool openFile(const QString &fileName) override;

    const Vbl::VblFileRecord &fileHead() const { return m_head; }
    const ParamList &params() const { return m_param.list(); }

protected:
    LogIndex walkFrom(QIODevice &device) const override;
    bool readAt(qint64 offset, QSharedPointer<SensorData> &frame, FileRecordInfo &header) override;
    qint64 headerSize() const override { return 64; }

private:
    bool readHeadAndSections();

    Vbl::VblFileRecord m_head;
    VersionSectionRW m_version;
    SensorParamSectionRW m_param;
    ScanPointParamSectionRW m_point;
    ScanEchoParamSectionRW m_echo;
    ScanLineParamSectionRW m_line;
    ScanBlockSectionRW m_scan;
    QMap<QString, ISectionRW *> m_sections;
    qint64 m_scanOffset = -1;
};
