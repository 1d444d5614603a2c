#pragma once

#include "IFileDevice.h"
#include "ParamDefinitions.h"
#include "VblFormat.h"

#include <QByteArray>
#include <QDataStream>
#include <QObject>
#include <QSharedPointer>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>

class ISectionRead
{
public:
    virtual ~ISectionRead() = default;
    [[nodiscard]] virtual bool readSection(QDataStream &stream) = 0;
    virtual void clearSection() = 0;
};

class ISectionWrite
{
public:
    virtual ~ISectionWrite() = default;
    [[nodiscard]] virtual bool writeSection(QDataStream &stream) = 0;
    virtual qint64 sectionSize() const = 0;
};

class ISectionRW : public ISectionRead, public ISectionWrite
{
public:
    virtual QString sectionName() const = 0;
};

template <typename T> class ModelMixin
{
public:
    const QVector<QSharedPointer<T>> &list() const { return m_list; }
    void setList(const QVector<QSharedPointer<T>> &list) { m_list = list; }

protected:
    QVector<QSharedPointer<T>> m_list;
};

// A text section: a 32-bit byte count, then the entries' text forms joined by ":".
template <typename D> class AbstractStringSectionRW : public ISectionRW, public ModelMixin<D>
{
public:
    explicit AbstractStringSectionRW(const QString &name) : m_name(name) {}

    QString sectionName() const override { return m_name; }
    void clearSection() override { this->m_list.clear(); }

    bool readSection(QDataStream &stream) override
    {
        this->m_list.clear();
        quint32 length = 0;
        if (stream.readRawData(reinterpret_cast<char *>(&length), 4) != 4)
            return false;
        // The count comes from the file: never allocate more than is there.
        if (qint64(length) > Vbl::bytesLeft(stream.device()))
            return false;
        QByteArray bytes(int(length), Qt::Uninitialized);
        if (stream.readRawData(bytes.data(), int(length)) != int(length))
            return false;
        const QStringList parts = QString::fromLocal8Bit(bytes).split(QLatin1Char(':'), Qt::SkipEmptyParts);
        QVector<QSharedPointer<D>> entries;
        for (const QString &part : parts) {
            if (QSharedPointer<D> entry = parseEntry(part))
                entries << entry;
        }
        this->m_list = entries;
        onReadCompleted();
        return true;
    }

    bool writeSection(QDataStream &stream) override
    {
        const QByteArray bytes = text();
        const quint32 length = quint32(bytes.size());
        return stream.writeRawData(reinterpret_cast<const char *>(&length), 4) == 4 &&
               stream.writeRawData(bytes.constData(), bytes.size()) == bytes.size();
    }

    qint64 sectionSize() const override { return 4 + text().size(); }

    virtual QSharedPointer<D> parseEntry(const QString &entry) const = 0;

protected:
    virtual void onReadCompleted() {}

private:
    QByteArray text() const
    {
        QStringList parts;
        for (const QSharedPointer<D> &entry : this->m_list)
            parts << entry->toString();
        return parts.join(QLatin1Char(':')).toLocal8Bit();
    }

    QString m_name;
};

class SensorParamSectionRW : public QObject, public AbstractStringSectionRW<IParamDefinition>
{
    Q_OBJECT
public:
    explicit SensorParamSectionRW(QObject *parent = nullptr)
        : QObject(parent), AbstractStringSectionRW(QStringLiteral("param"))
    {
    }
    QSharedPointer<IParamDefinition> parseEntry(const QString &entry) const override
    {
        return parseSensorParamDefinition(entry);
    }

signals:
    void readCompleted(const ParamList &list);

protected:
    void onReadCompleted() override { emit readCompleted(m_list); }
};

class VersionSectionRW : public QObject, public AbstractStringSectionRW<VersionDefinition>
{
    Q_OBJECT
public:
    explicit VersionSectionRW(QObject *parent = nullptr)
        : QObject(parent), AbstractStringSectionRW(QStringLiteral("version"))
    {
    }
    QSharedPointer<VersionDefinition> parseEntry(const QString &entry) const override
    {
        return parseVersionDefinition(entry);
    }

signals:
    void readCompleted(const VersionInfoList &list);

protected:
    void onReadCompleted() override { emit readCompleted(m_list); }
};

class ScanParamSectionRW : public QObject, public AbstractStringSectionRW<IScanParamDefinition>
{
    Q_OBJECT
public:
    ScanParamSectionRW(const QString &name, QObject *parent) : QObject(parent), AbstractStringSectionRW(name)
    {
    }
    QSharedPointer<IScanParamDefinition> parseEntry(const QString &entry) const override
    {
        return parseScanParamDefinition(entry);
    }

signals:
    void readCompleted(const ScanParamList &list);

protected:
    void onReadCompleted() override { emit readCompleted(m_list); }
};

class ScanPointParamSectionRW : public ScanParamSectionRW
{
    Q_OBJECT
public:
    explicit ScanPointParamSectionRW(QObject *parent = nullptr)
        : ScanParamSectionRW(QStringLiteral("sppdef"), parent)
    {
    }
};

class ScanEchoParamSectionRW : public ScanParamSectionRW
{
    Q_OBJECT
public:
    explicit ScanEchoParamSectionRW(QObject *parent = nullptr)
        : ScanParamSectionRW(QStringLiteral("sepdef"), parent)
    {
    }
};

class ScanLineParamSectionRW : public ScanParamSectionRW
{
    Q_OBJECT
public:
    explicit ScanLineParamSectionRW(QObject *parent = nullptr)
        : ScanParamSectionRW(QStringLiteral("slpdef"), parent)
    {
    }
};

struct BlockDeflater;

// One block of the scan section: a 64-byte header and its payload.
class ScanBlockSectionRW : public ISectionRW, public ModelMixin<Vbl::SCAN_BLOCK_T>
{
public:
    using Converter = std::function<QSharedPointer<SensorData>(const QSharedPointer<SensorData> &)>;

    QString sectionName() const override { return QStringLiteral("scan"); }
    void clearSection() override;
    bool readSection(QDataStream &stream) override;
    bool writeSection(QDataStream &stream) override;
    qint64 sectionSize() const override { return 64 + qint64(m_header.length); }

    const Vbl::SCAN_BLOCK_T &header() const { return m_header; }
    // Index, position, rotation and time text of the next block to write; offset, kind and length are
    // filled by writeSection.
    void setHeader(const Vbl::SCAN_BLOCK_T &header) { m_header = header; }
    QSharedPointer<SensorData> frame() const { return m_frame; }
    void setFrame(const QSharedPointer<SensorData> &frame) { m_frame = frame; }
    bool isCompressed() const { return m_compressed; }
    void setCompressed(bool compressed) { m_compressed = compressed; }
    QSharedPointer<Vbl::VblSectionContext> context() const { return m_context; }
    void setContext(const QSharedPointer<Vbl::VblSectionContext> &context) { m_context = context; }
    void setReadConverter(Converter converter) { m_readConverter = std::move(converter); }

private:
    Vbl::SCAN_BLOCK_T m_header;
    QSharedPointer<SensorData> m_frame;
    bool m_compressed = false;
    QSharedPointer<Vbl::VblSectionContext> m_context;
    Converter m_readConverter;
    // The payload and the block being written, kept for their capacity.
    QByteArray m_payload;
    QByteArray m_block;
    // One deflate state for every block: its memory is set up once, not per block.
    std::shared_ptr<BlockDeflater> m_deflater;
};

// What an index walk found.
struct LogIndex
{
    enum Status
    {
        Complete,
        BadDate,   // a date text out of pattern
        Truncated, // a block cut off at the end of the file
        BadHeader, // a header that cannot belong to a block (kind, connection, offset)
        Interrupted
    };

    QVector<qint64> offsets;
    int maxConnection = -1;
    int measurementCount = 0;
    int auxiliaryCount = 0;
    Status status = Complete;
    qint64 errorOffset = -1; // where the walk stopped on an error
    bool hasFirst = false;
    FileRecordInfo first;
    FileRecordInfo last;

    bool isCorrupted() const { return status != Complete && status != Interrupted; }
    void append(const FileRecordInfo &info, bool measurement);
};

// Reads the small headers of an index walk. When blocks are small it reads ahead a window and serves
// several headers from it; when they are large it reads each header alone.
class HeaderWindow
{
public:
    explicit HeaderWindow(QIODevice &device) : m_device(device) {}
    // Up to size bytes at pos; the count read (0 at the end of the device).
    qint64 read(qint64 pos, char *out, qint64 size);

private:
    QIODevice &m_device;
    QByteArray m_window;
    qint64 m_start = 0;
    qint64 m_length = 0;
    qint64 m_lastPos = -1;
};

// Walks the block headers from the stream's position, skipping the payloads.
class ScanBlockCountR : public ISectionRead
{
public:
    bool readSection(QDataStream &stream) override;
    void clearSection() override { m_index = LogIndex(); }
    const LogIndex &index() const { return m_index; }
    LogIndex takeIndex() { return std::exchange(m_index, LogIndex()); }

private:
    LogIndex m_index;
};

FileRecordInfo recordInfo(const Vbl::SCAN_BLOCK_T &header);
QString statusText(LogIndex::Status status);
