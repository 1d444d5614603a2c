#pragma once

#include "DataRecorder.h"
#include "IFileDevice.h"

#include <QMap>
#include <QSharedPointer>
#include <atomic>

// The converter's worker: reads a log through its file device on a thread of its own and writes the
// CSV files of the conversion beside it (the writing is CsvConversion's, shared with the command line).
class DataRecorderToCSV : public DataRecorder
{
    Q_OBJECT
public:
    explicit DataRecorderToCSV(QObject *parent = nullptr);
    ~DataRecorderToCSV() override;

    QString displayName() const override { return QString(); }
    QString typeKey() const override { return QString(); }
    PropertyItem *rootProperty() const override { return nullptr; }

    // Replaces an earlier device of the same suffix.
    void addDevice(const QSharedPointer<IFileDevice> &device);
    // Opens the log with the device of its suffix and starts indexing it; false while converting, for
    // a suffix without a device, or a file the device cannot open.
    [[nodiscard]] bool openFile(const QString &name);
    int recordCount() const;
    QString fileName() const { return m_fileName; }
    QSharedPointer<IFileDevice> currentDevice() const { return m_device; }

    // After the worker finished: whether every record of the log went into the files, and the files.
    bool succeeded() const { return m_succeeded; }
    qint64 recordsConverted() const { return m_converted; }
    QStringList outputFiles() const { return m_outputs; }

public slots:
    void retranslate() override {}
    void addRecord(FileRecord::file_record_t record) override { Q_UNUSED(record); }
    void startRecording() override;
    void stopRecording() override;

signals:
    void deviceOpened();

protected:
    void run() override;

private slots:
    void initializedDevice();

private:
    QSharedPointer<IFileDevice> m_device;
    QMap<QString, QSharedPointer<IFileDevice>> m_devices;
    QString m_fileName;
    // Written by the worker, read after its finished signal.
    std::atomic<bool> m_succeeded{false};
    std::atomic<qint64> m_converted{0};
    QStringList m_outputs;
};
