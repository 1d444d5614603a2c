#pragma once

#include "Vexa3dTypes.h"

#include <QAbstractTableModel>
#include <QVector>

#include <limits>

class RefreshThrottle;

// The echoes of one chosen scan line, one row each. Lines may arrive at the sensor's full rate; the rows
// are replaced at most once per screen refresh, with the newest matching line. GUI thread.
class DRALTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        FrameNumberColumn,
        MotorFieldNumberColumn,
        RemFieldNumberColumn,
        LineNumberColumn,
        SpotNumberColumn,
        EchoNumberColumn,
        RangeColmn,
        LevelColumn,
        VerticalAngleColumn,
        HorizontalAngleColumn,
        XColumn,
        YColumn,
        ZColumn,
        ColumnCount
    };
    Q_ENUM(Column)

    // How the sensor family names its interlace fields.
    enum InterlaceType
    {
        MotorRemInterlace,
        HorizontalVerticalInterlace
    };
    Q_ENUM(InterlaceType)

    struct Row
    {
        int frameNumber = 0;
        int motorFieldNumber = 0;
        int remFieldNumber = 0;
        int lineNumber = 0;
        int spotNumber = 0;
        int echoNumber = 0;
        double range = 0.0;
        quint32 level = 0;
        double secondAngle = 0.0;
        double firstAngle = 0.0;
        float x = 0.0f;
        float y = 0.0f;
        float z = 0.0f;
        quint32 timestamp = 0;
    };

    explicit DRALTableModel(QObject *parent = nullptr);
    ~DRALTableModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Ignored unless the line matches the selected line and fields.
    void addMeasurementData(const VEXA3D_MEASUREMENT_DATA_T &data);
    void clear();
    void setSelectLine(int line);
    void setSelectMotorField(int motorField);
    void setSelectRemField(int remField);
    // All three at once, with one reset.
    void setSelection(int motorField, int remField, int line);
    int selectedLine() const { return m_line; }
    int selectedMotorField() const { return m_motorField; }
    int selectedRemField() const { return m_remField; }
    // Spots outside [min, max] are left out.
    void setDisplayRange(int min, int max);
    int displayMinimum() const { return m_displayMin; }
    int displayMaximum() const { return m_displayMax; }
    void setInterlaceType(InterlaceType type);
    InterlaceType interlaceType() const { return m_interlaceType; }
    void selectRow(int row);
    int selectedRow() const { return m_selectedRow; }
    Row row(int index) const;

    // Shows a line still waiting for the next refresh now.
    void flush();
    // Header names after a language change.
    void retranslate();

    // Radians brought into (-pi, pi], in degrees with 3 decimals.
    static QString angleText(double radians);

private:
    void applyPending();
    void rebuild(bool forceReset);

    QVector<Row> m_lineRows;    // every echo of the shown line
    QVector<Row> m_rows;        // those within the display range
    QVector<Row> m_pendingRows; // the newest matching line, waiting for the refresh
    bool m_hasPending = false;
    RefreshThrottle *m_throttle = nullptr;
    int m_selectedRow = -1;
    quint16 m_line = 0;
    quint16 m_motorField = 0;
    quint16 m_remField = 0;
    int m_displayMin = 0;
    int m_displayMax = std::numeric_limits<int>::max();
    InterlaceType m_interlaceType = MotorRemInterlace;
};
