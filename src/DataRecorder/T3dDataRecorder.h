#pragma once

#include "DataRecorder.h"

#include <memory>

class BoolProperty;
class FileProperty;

// Records every frame as a block of a ".vbl" log file. The settings, actions and states live here; the
// file writing is the sink that createSink makes.
class T3dDataRecorder : public DataRecorder
{
    Q_OBJECT
    Q_PROPERTY(QString filename READ filename WRITE setFilename NOTIFY filenameChanged)
public:
    explicit T3dDataRecorder(QObject *parent = nullptr);
    ~T3dDataRecorder() override;

    QString displayName() const override;
    QString typeKey() const override;

    QString filename() const { return m_filename; }
    FileProperty *fileProperty() const { return m_file; }
    BoolProperty *compressionProperty() const { return m_compression; }

public slots:
    void retranslate() override;
    void startRecording() override;
    void setFilename(const QString &filename);

signals:
    void filenameChanged(QString filename);

protected:
    // The writer of one log file, made on the GUI thread at start and then used only by the worker.
    virtual std::unique_ptr<RecordSink> createSink(const QString &fileName, bool compression) const;

    void lockSettings(bool locked) override;

private:
    FileProperty *m_file = nullptr;
    BoolProperty *m_compression = nullptr;
    QString m_filename;
};
