#include "DRALTableModel.h"

#include "RefreshThrottle.h"

#include <QBrush>
#include <QColor>
#include <QMutex>
#include <QMutexLocker>

namespace {
// The rows of every table model, as the lines could be delivered from another thread.
QMutex rowsMutex;

QString fixed3(double value)
{
    return QString::number(value, 'f', 3);
}
} // namespace

DRALTableModel::DRALTableModel(QObject *parent)
    : QAbstractTableModel(parent), m_throttle(new RefreshThrottle([this] { applyPending(); }, this))
{
}

DRALTableModel::~DRALTableModel() = default;

int DRALTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    QMutexLocker lock(&rowsMutex);
    return m_rows.size();
}

int DRALTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(ColumnCount);
}

QString DRALTableModel::angleText(double radians)
{
    constexpr double pi = 3.141592653589793;
    if (radians > pi)
        radians -= 2.0 * pi;
    return fixed3(radians * double(180.0f) / pi);
}

DRALTableModel::Row DRALTableModel::row(int index) const
{
    QMutexLocker lock(&rowsMutex);
    return index >= 0 && index < m_rows.size() ? m_rows.at(index) : Row();
}

QVariant DRALTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() < 0 || index.column() >= ColumnCount)
        return QVariant();
    Row r;
    {
        QMutexLocker lock(&rowsMutex);
        if (index.row() < 0 || index.row() >= m_rows.size())
            return QVariant();
        r = m_rows.at(index.row());
    }
    if (role == Qt::BackgroundRole)
        return index.row() == m_selectedRow ? QVariant(QBrush(QColor(Qt::magenta).lighter(180))) : QVariant();
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (Column(index.column())) {
    case FrameNumberColumn:
        return r.frameNumber;
    case MotorFieldNumberColumn:
        return r.motorFieldNumber;
    case RemFieldNumberColumn:
        return r.remFieldNumber;
    case LineNumberColumn:
        return r.lineNumber;
    case SpotNumberColumn:
        return r.spotNumber;
    case EchoNumberColumn:
        return r.echoNumber;
    case RangeColmn:
        return fixed3(r.range);
    case LevelColumn:
        return r.level;
    case VerticalAngleColumn:
        return angleText(r.firstAngle);
    case HorizontalAngleColumn:
        return angleText(r.secondAngle);
    case XColumn:
        return fixed3(double(r.x));
    case YColumn:
        return fixed3(double(r.y));
    case ZColumn:
        return fixed3(double(r.z));
    case ColumnCount:
        break;
    }
    return QVariant();
}

QVariant DRALTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const bool hv = m_interlaceType == HorizontalVerticalInterlace;
    switch (Column(section)) {
    case FrameNumberColumn:
        return tr("Frame");
    case MotorFieldNumberColumn:
        return hv ? tr("Horizontal-Field") : tr("Motor-Field");
    case RemFieldNumberColumn:
        return hv ? tr("Vertical-Field") : tr("ReM-Field");
    case LineNumberColumn:
        return tr("Line");
    case SpotNumberColumn:
        return tr("Spot");
    case EchoNumberColumn:
        return tr("Echo");
    case RangeColmn:
        return tr("Range[m]");
    case LevelColumn:
        return tr("Level");
    case VerticalAngleColumn:
        return tr("V-Angle[deg]");
    case HorizontalAngleColumn:
        return tr("H-Angle[deg]");
    case XColumn:
        return tr("X[m]");
    case YColumn:
        return tr("Y[m]");
    case ZColumn:
        return tr("Z[m]");
    case ColumnCount:
        break;
    }
    return QVariant();
}

void DRALTableModel::addMeasurementData(const VEXA3D_MEASUREMENT_DATA_T &data)
{
    if (data.lineNumber != m_line || data.motorFieldNumber != m_motorField ||
        data.remFieldNumber != m_remField)
        return;
    QVector<Row> rows;
    const int spots = qMin<int>(data.receivedSpotCount, int(data.spots.size()));
    rows.reserve(spots * 4);
    for (int s = 0; s < spots; ++s) {
        const VEXA3D_SPOT_T &spot = data.spots[size_t(s)];
        // A damaged record may claim more echoes than it carries.
        const int echoes =
            qMin(qMin<qint64>(spot.count, qint64(spot.echoes.size())), qint64(spot.points.size()));
        for (int e = 0; e < echoes; ++e) {
            const VEXA3D_ECHO_T &echo = spot.echoes[size_t(e)];
            if (echo.range == 0.0 && echo.level == 0)
                continue;
            const VEXA3D_POINT_T &point = spot.points[size_t(e)];
            Row r;
            r.frameNumber = data.frameNumber;
            r.motorFieldNumber = data.motorFieldNumber;
            r.remFieldNumber = data.remFieldNumber;
            r.lineNumber = data.lineNumber;
            r.spotNumber = s;
            r.echoNumber = e;
            r.range = echo.range;
            r.level = echo.level;
            r.secondAngle = echo.secondAngle;
            r.firstAngle = echo.firstAngle;
            r.x = float(point.x);
            r.y = float(point.y);
            r.z = float(point.z);
            r.timestamp = data.timestamp;
            rows.append(r);
        }
    }
    {
        QMutexLocker lock(&rowsMutex);
        m_pendingRows.swap(rows);
        m_hasPending = true;
    }
    m_throttle->request();
}

void DRALTableModel::flush()
{
    m_throttle->flush();
}

void DRALTableModel::applyPending()
{
    {
        QMutexLocker lock(&rowsMutex);
        if (!m_hasPending)
            return;
        m_lineRows.swap(m_pendingRows);
        m_pendingRows.clear();
        m_hasPending = false;
    }
    rebuild(false);
}

void DRALTableModel::rebuild(bool forceReset)
{
    QVector<Row> shown;
    shown.reserve(m_lineRows.size());
    for (const Row &r : qAsConst(m_lineRows)) {
        if (r.spotNumber >= m_displayMin && r.spotNumber <= m_displayMax)
            shown.append(r);
    }
    const bool sameCount = shown.size() == rowCount();
    if (forceReset || !sameCount) {
        beginResetModel();
        {
            QMutexLocker lock(&rowsMutex);
            m_rows.swap(shown);
        }
        endResetModel();
    } else {
        {
            QMutexLocker lock(&rowsMutex);
            m_rows.swap(shown);
        }
        if (!m_rows.isEmpty())
            emit dataChanged(index(0, 0), index(m_rows.size() - 1, ColumnCount - 1));
    }
}

void DRALTableModel::clear()
{
    {
        QMutexLocker lock(&rowsMutex);
        m_pendingRows.clear();
        m_hasPending = false;
    }
    m_lineRows.clear();
    m_selectedRow = -1;
    rebuild(true);
}

void DRALTableModel::setSelectLine(int line)
{
    m_line = quint16(line);
    clear();
}

void DRALTableModel::setSelectMotorField(int motorField)
{
    m_motorField = quint16(motorField);
    clear();
}

void DRALTableModel::setSelectRemField(int remField)
{
    m_remField = quint16(remField);
    clear();
}

void DRALTableModel::setSelection(int motorField, int remField, int line)
{
    m_motorField = quint16(motorField);
    m_remField = quint16(remField);
    m_line = quint16(line);
    clear();
}

void DRALTableModel::setDisplayRange(int min, int max)
{
    if (min == m_displayMin && max == m_displayMax)
        return;
    m_displayMin = min;
    m_displayMax = max;
    rebuild(true);
}

void DRALTableModel::setInterlaceType(InterlaceType type)
{
    if (type == m_interlaceType)
        return;
    m_interlaceType = type;
    emit headerDataChanged(Qt::Horizontal, MotorFieldNumberColumn, RemFieldNumberColumn);
}

void DRALTableModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void DRALTableModel::selectRow(int row)
{
    if (row == m_selectedRow)
        return;
    const int previous = m_selectedRow;
    m_selectedRow = row;
    for (int r : {previous, row}) {
        if (r >= 0 && r < rowCount())
            emit dataChanged(index(r, 0), index(r, ColumnCount - 1), {Qt::BackgroundRole});
    }
}
