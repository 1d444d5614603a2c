#pragma once

#include "DataRecorder.h"

#include <memory>

class BoolProperty;
class FileProperty;
class IntegerProperty;
class QAction;

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
    PropertyItem *rootProperty() const override;

    QString filename() const { return m_filename; }
    FileProperty *fileProperty() const { return m_file; }
    IntegerProperty *recordCountProperty() const { return m_count; }
    BoolProperty *compressionProperty() const { return m_compression; }
    QAction *startAction() const { return m_startAction; }
    QAction *stopAction() const { return m_stopAction; }

public slots:
    void retranslate() override;
    void startRecording() override;
    void setFilename(const QString &filename);

signals:
    void filenameChanged(QString filename);

protected:
    // The writer of one log file, made on the GUI thread at start and then used only by the worker.
    virtual std::unique_ptr<RecordSink> createSink(const QString &fileName, bool compression) const;

private:
    void setRecordingState(bool recording);

    PropertyItem *m_root = nullptr;
    FileProperty *m_file = nullptr;
    IntegerProperty *m_count = nullptr;
    BoolProperty *m_compression = nullptr;
    QAction *m_startAction = nullptr;
    QAction *m_stopAction = nullptr;
    QString m_filename;
};
