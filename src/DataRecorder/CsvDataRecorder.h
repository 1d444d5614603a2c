#pragma once

#include "CsvFileSet.h"
#include "DataRecorder.h"

class FolderProperty;

// Records every frame as rows of CSV files in a chosen folder.
class CsvDataRecorder : public DataRecorder
{
    Q_OBJECT
    Q_PROPERTY(QString directory READ directory WRITE setDirectory NOTIFY directoryChanged)
public:
    explicit CsvDataRecorder(QObject *parent = nullptr);
    ~CsvDataRecorder() override;

    QString displayName() const override;
    QString typeKey() const override;

    QString directory() const { return m_directory; }
    FolderProperty *folderProperty() const { return m_folder; }

    // Where the files are made; QFile unless set (a test can hand in a device that fails).
    void setDeviceMaker(CsvFileSet::DeviceMaker maker) { m_deviceMaker = std::move(maker); }

public slots:
    void retranslate() override;
    void startRecording() override;
    void setDirectory(const QString &directory);

signals:
    void directoryChanged(QString directory);

protected:
    void lockSettings(bool locked) override;

private:
    FolderProperty *m_folder = nullptr;
    QString m_directory;
    CsvFileSet::DeviceMaker m_deviceMaker;
};
