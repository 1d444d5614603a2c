#pragma once

#include "Vexa3dTypes.h"

#include <QDialog>

class DataRecorderToCSV;
class QLabel;
class QLineEdit;
class QMessageBox;
class QProgressBar;
class QPushButton;

// Converts a stored log (".vbl", ".t3d") into CSV files in a "csv_<time>" folder beside it.
class T3dToCsvConverter : public QDialog
{
    Q_OBJECT
public:
    explicit T3dToCsvConverter(QWidget *parent = nullptr);
    ~T3dToCsvConverter() override;

    DataRecorderToCSV *worker() const { return m_worker; }
    bool isConverting() const { return m_converting; }
    QProgressBar *progressBar() const { return m_progress; }
    QPushButton *browseButton() const { return m_browse; }
    QPushButton *closeButton() const { return m_close; }
    QLineEdit *fileEdit() const { return m_fileEdit; }

    // Opens the log and converts it once it is indexed; false when it cannot be opened.
    bool convertFile(const QString &fileName);
    // Stops a running conversion.
    void stop();

public slots:
    void startConvert();
    void finishedConvert();
    void updateProgress();
    void openFile();
    void setSensorInfo(VEXA3D_SENSOR_INFO_T info);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void reset();
    void setCloseButtonHint(bool shown);
    // Shown without blocking; the box deletes itself when answered.
    QMessageBox *showMessage(int icon, const QString &text);

    DataRecorderToCSV *m_worker = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_browse = nullptr;
    QLineEdit *m_fileEdit = nullptr;
    QLabel *m_label = nullptr;
    QPushButton *m_close = nullptr;
    bool m_converting = false;
    int m_count = 0;
    QString m_lastError;
};
