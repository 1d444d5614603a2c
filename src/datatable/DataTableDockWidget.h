#pragma once

#include "DRALMeasurementData.h"
#include "Vexa3dTypes.h"

#include <QDockWidget>
#include <QMap>
#include <QSharedPointer>

class DRALTableView;
class QLabel;
class QPushButton;
class QSpinBox;
class RefreshThrottle;

// The "Data Table" dock: the last line received, the choice of the line shown and of the emphasised
// spot, and the table of the chosen line. It keeps the lines of the newest frame, so that a paused log
// can be redrawn with a new emphasised spot. GUI thread.
class DataTableDockWidget : public QDockWidget
{
    Q_OBJECT

public:
    // The lines of one frame are kept up to about this many bytes.
    static constexpr qint64 MaximumKeptBytes = 64 * 1024 * 1024;

    explicit DataTableDockWidget(QWidget *parent = nullptr);

    DRALTableView *tableView() const { return m_view; }
    QPushButton *pauseButton() const { return m_pause; }
    int motorField() const;
    int remField() const;
    int line() const;
    int spot() const;

public slots:
    void addMeasurementData(uint managerIndex, int dataIndex, QSharedPointer<DRALMeasurementData> record);
    void clear();
    // Follows a spot picked in the 3D view.
    void setRaySpot(int vField, int hField, int line, int spot);
    void updateTable(int vField, int hField, int line);
    void logStarted();
    void logPaused();
    // Sends the kept lines of the newest frame again, the first one flagged.
    void redraw();
    void setSensorInfo(VEXA3D_SENSOR_INFO_T info);

signals:
    // Motor field, rem field, line and spot of the spot to highlight in the 3D view.
    void setEmphasisedSpot(int vField, int hField, int line, int spot);
    void redrawMeasurementData(QSharedPointer<DRALMeasurementData> data, bool isFirst);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void showLastLine();
    // Passes the chosen field and line to the table and shows the kept line of that choice, if any.
    void selectionChanged();
    void emphasisChanged();
    void setSelection(int motorField, int remField, int line, int spot);
    void minimumChanged(int value);
    void maximumChanged(int value);

    DRALTableView *m_view = nullptr;
    QLabel *m_timestampCaption = nullptr;
    QLabel *m_motorCaption = nullptr;
    QLabel *m_remCaption = nullptr;
    QLabel *m_lineCaption = nullptr;
    QLabel *m_timestampValue = nullptr;
    QLabel *m_motorValue = nullptr;
    QLabel *m_remValue = nullptr;
    QLabel *m_lineValue = nullptr;
    QLabel *m_motorSpinCaption = nullptr;
    QLabel *m_remSpinCaption = nullptr;
    QLabel *m_lineSpinCaption = nullptr;
    QLabel *m_spotSpinCaption = nullptr;
    QLabel *m_rangeCaption = nullptr;
    QSpinBox *m_motorSpin = nullptr;
    QSpinBox *m_remSpin = nullptr;
    QSpinBox *m_lineSpin = nullptr;
    QSpinBox *m_spotSpin = nullptr;
    QSpinBox *m_minimumSpin = nullptr;
    QSpinBox *m_maximumSpin = nullptr;
    QPushButton *m_pause = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_copy = nullptr;
    RefreshThrottle *m_labelThrottle = nullptr;

    QSharedPointer<DRALMeasurementData> m_last;
    // The newest frame's lines by motor field, rem field and line.
    QMap<quint64, QSharedPointer<DRALMeasurementData>> m_frameLines;
    qint64 m_keptBytes = 0;
    int m_frame = -1;
    bool m_logPaused = false;
};
