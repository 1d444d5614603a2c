#include "DataTableDockWidget.h"

#include "DRALTableView.h"
#include "RefreshThrottle.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cstring>

namespace {
quint64 lineKey(int motorField, int remField, int line)
{
    return (quint64(quint8(motorField)) << 24) | (quint64(quint8(remField)) << 16) | quint16(line);
}

QSpinBox *spinBox(QWidget *parent, const char *name, int max)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(0, max);
    spin->setKeyboardTracking(false);
    return spin;
}

const QString unknown = QStringLiteral("--");
} // namespace

DataTableDockWidget::DataTableDockWidget(QWidget *parent)
    : QDockWidget(parent), m_labelThrottle(new RefreshThrottle([this] { showLastLine(); }, this))
{
    setObjectName(QStringLiteral("DataTableDockWidget"));
    auto *content = new QWidget(this);
    auto *layout = new QVBoxLayout(content);

    auto *lastLine = new QGridLayout;
    m_timestampCaption = new QLabel(content);
    m_motorCaption = new QLabel(content);
    m_remCaption = new QLabel(content);
    m_lineCaption = new QLabel(content);
    m_timestampValue = new QLabel(unknown, content);
    m_timestampValue->setObjectName(QStringLiteral("timestampValue"));
    m_motorValue = new QLabel(unknown, content);
    m_motorValue->setObjectName(QStringLiteral("motorFieldValue"));
    m_remValue = new QLabel(unknown, content);
    m_remValue->setObjectName(QStringLiteral("remFieldValue"));
    m_lineValue = new QLabel(unknown, content);
    m_lineValue->setObjectName(QStringLiteral("lineValue"));
    QLabel *captions[4] = {m_timestampCaption, m_motorCaption, m_remCaption, m_lineCaption};
    QLabel *values[4] = {m_timestampValue, m_motorValue, m_remValue, m_lineValue};
    for (int i = 0; i < 4; ++i) {
        values[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        values[i]->setMinimumWidth(values[i]->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
        lastLine->addWidget(captions[i], 0, 2 * i);
        lastLine->addWidget(values[i], 0, 2 * i + 1);
    }

    m_motorSpinCaption = new QLabel(content);
    m_remSpinCaption = new QLabel(content);
    m_lineSpinCaption = new QLabel(content);
    m_spotSpinCaption = new QLabel(content);
    m_motorSpin = spinBox(content, "motorFieldSpin", 255);
    m_remSpin = spinBox(content, "remFieldSpin", 255);
    m_lineSpin = spinBox(content, "lineSpin", 65535);
    m_spotSpin = spinBox(content, "spotSpin", 65535);
    QLabel *spinCaptions[4] = {m_motorSpinCaption, m_remSpinCaption, m_lineSpinCaption, m_spotSpinCaption};
    QSpinBox *spins[4] = {m_motorSpin, m_remSpin, m_lineSpin, m_spotSpin};
    for (int i = 0; i < 4; ++i) {
        spinCaptions[i]->setBuddy(spins[i]);
        lastLine->addWidget(spinCaptions[i], 1, 2 * i);
        lastLine->addWidget(spins[i], 1, 2 * i + 1);
    }
    layout->addLayout(lastLine);

    auto *controls = new QHBoxLayout;
    m_rangeCaption = new QLabel(content);
    m_minimumSpin = spinBox(content, "displayMinimumSpin", 65535);
    m_maximumSpin = spinBox(content, "displayMaximumSpin", 65535);
    m_maximumSpin->setValue(65535);
    m_pause = new QPushButton(QIcon(QStringLiteral(":/DataRecorder/pause")), QString(), content);
    m_pause->setObjectName(QStringLiteral("pauseButton"));
    m_pause->setCheckable(true);
    m_clear = new QPushButton(QIcon(QStringLiteral(":/datatable/clear")), QString(), content);
    m_clear->setObjectName(QStringLiteral("clearButton"));
    m_copy = new QPushButton(QIcon(QStringLiteral(":/datatable/copy")), QString(), content);
    m_copy->setObjectName(QStringLiteral("copyButton"));
    controls->addWidget(m_rangeCaption);
    controls->addWidget(m_minimumSpin);
    controls->addWidget(new QLabel(QStringLiteral("-"), content));
    controls->addWidget(m_maximumSpin);
    controls->addStretch(1);
    controls->addWidget(m_pause);
    controls->addWidget(m_clear);
    controls->addWidget(m_copy);
    layout->addLayout(controls);

    m_view = new DRALTableView(content);
    m_view->setObjectName(QStringLiteral("dataTableView"));
    layout->addWidget(m_view, 1);
    setWidget(content);

    for (QSpinBox *spin : {m_motorSpin, m_remSpin, m_lineSpin})
        connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this, [this] {
            selectionChanged();
            emphasisChanged();
        });
    connect(m_spotSpin, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &DataTableDockWidget::emphasisChanged);
    connect(m_minimumSpin, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &DataTableDockWidget::minimumChanged);
    connect(m_maximumSpin, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &DataTableDockWidget::maximumChanged);
    connect(m_clear, &QPushButton::clicked, this, &DataTableDockWidget::clear);
    connect(m_copy, &QPushButton::clicked, m_view, &DRALTableView::copy);

    m_view->setDisplayRange(m_minimumSpin->value(), m_maximumSpin->value());
    retranslate();
}

int DataTableDockWidget::motorField() const
{
    return m_motorSpin->value();
}

int DataTableDockWidget::remField() const
{
    return m_remSpin->value();
}

int DataTableDockWidget::line() const
{
    return m_lineSpin->value();
}

int DataTableDockWidget::spot() const
{
    return m_spotSpin->value();
}

void DataTableDockWidget::retranslate()
{
    setWindowTitle(tr("Data Table"));
    const bool hv = m_view->interlaceType() == DRALTableModel::HorizontalVerticalInterlace;
    const QString motor = hv ? tr("Horizontal-Field") : tr("Motor-Field");
    const QString rem = hv ? tr("Vertical-Field") : tr("Rem-Field");
    const QString spaced = QStringLiteral("%1 :");
    m_timestampCaption->setText(spaced.arg(tr("Timestamp")));
    m_motorCaption->setText(spaced.arg(motor));
    m_remCaption->setText(spaced.arg(rem));
    m_lineCaption->setText(spaced.arg(tr("Line")));
    const QString plain = QStringLiteral("%1:");
    m_motorSpinCaption->setText(plain.arg(motor));
    m_remSpinCaption->setText(plain.arg(rem));
    m_lineSpinCaption->setText(plain.arg(tr("Line")));
    m_spotSpinCaption->setText(plain.arg(tr("Spot")));
    m_rangeCaption->setText(tr("Display range(spot)"));
    m_pause->setText(tr("Pause"));
    m_clear->setText(tr("Clear"));
    m_copy->setText(tr("Copy"));
}

void DataTableDockWidget::changeEvent(QEvent *event)
{
    QDockWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void DataTableDockWidget::addMeasurementData(uint managerIndex, int dataIndex,
                                             QSharedPointer<DRALMeasurementData> record)
{
    Q_UNUSED(managerIndex)
    if (!record || !record->data() || m_pause->isChecked())
        return;
    const VEXA3D_MEASUREMENT_DATA_T &lineRecord = *record->data();
    m_last = record;
    m_labelThrottle->request();

    if (int(lineRecord.frameNumber) != m_frame) {
        m_frame = lineRecord.frameNumber;
        m_frameLines.clear();
        m_keptBytes = 0;
    }
    const quint64 key =
        lineKey(lineRecord.motorFieldNumber, lineRecord.remFieldNumber, lineRecord.lineNumber);
    const auto kept = m_frameLines.find(key);
    if (kept != m_frameLines.end()) {
        m_keptBytes -= kept.value()->byteSize();
        kept.value() = record;
        m_keptBytes += record->byteSize();
    } else if (m_keptBytes + record->byteSize() <= MaximumKeptBytes) {
        // Densely interlaced frames of long lines stop being kept at the limit.
        m_frameLines.insert(key, record);
        m_keptBytes += record->byteSize();
    }
    if (lineRecord.motorFieldNumber == m_motorSpin->value() &&
        lineRecord.remFieldNumber == m_remSpin->value() && lineRecord.lineNumber == m_lineSpin->value())
        m_view->addMeasurementData(lineRecord, dataIndex);
}

void DataTableDockWidget::showLastLine()
{
    if (!m_last) {
        for (QLabel *label : {m_timestampValue, m_motorValue, m_remValue, m_lineValue})
            label->setText(unknown);
        return;
    }
    const VEXA3D_MEASUREMENT_DATA_T &record = *m_last->data();
    m_timestampValue->setText(QString::number(record.timestamp));
    m_motorValue->setText(QString::number(record.motorFieldNumber));
    m_remValue->setText(QString::number(record.remFieldNumber));
    m_lineValue->setText(QString::number(record.lineNumber));
}

void DataTableDockWidget::clear()
{
    m_last.reset();
    m_frameLines.clear();
    m_keptBytes = 0;
    m_frame = -1;
    m_labelThrottle->request();
    m_labelThrottle->flush();
    m_view->clear();
}

void DataTableDockWidget::selectionChanged()
{
    m_view->tableModel()->setSelection(m_motorSpin->value(), m_remSpin->value(), m_lineSpin->value());
    const auto kept =
        m_frameLines.constFind(lineKey(m_motorSpin->value(), m_remSpin->value(), m_lineSpin->value()));
    if (kept != m_frameLines.constEnd()) {
        m_view->addMeasurementData(*kept.value()->data(), 0);
        m_view->tableModel()->flush();
    }
}

void DataTableDockWidget::emphasisChanged()
{
    emit setEmphasisedSpot(m_motorSpin->value(), m_remSpin->value(), m_lineSpin->value(),
                           m_spotSpin->value());
    // A paused log shows its frame again with the new spot.
    if (m_logPaused)
        redraw();
}

void DataTableDockWidget::setSelection(int motorField, int remField, int line, int spot)
{
    {
        const QSignalBlocker b1(m_motorSpin), b2(m_remSpin), b3(m_lineSpin), b4(m_spotSpin);
        m_motorSpin->setValue(motorField);
        m_remSpin->setValue(remField);
        m_lineSpin->setValue(line);
        m_spotSpin->setValue(spot);
    }
    selectionChanged();
    emphasisChanged();
}

void DataTableDockWidget::setRaySpot(int vField, int hField, int line, int spot)
{
    setSelection(vField, hField, line, spot);
}

void DataTableDockWidget::updateTable(int vField, int hField, int line)
{
    setSelection(vField, hField, line, m_spotSpin->value());
}

void DataTableDockWidget::logStarted()
{
    m_logPaused = false;
}

void DataTableDockWidget::logPaused()
{
    m_logPaused = true;
}

void DataTableDockWidget::redraw()
{
    bool first = true;
    for (const QSharedPointer<DRALMeasurementData> &line : qAsConst(m_frameLines)) {
        emit redrawMeasurementData(line, first);
        first = false;
    }
}

void DataTableDockWidget::setSensorInfo(VEXA3D_SENSOR_INFO_T info)
{
    const VEXA3D_SPEC_T &spec = info.spec;
    const int lastSpot = qMax(0, int(spec.spotCount) - 1);
    const int firstLine = spec.firstLineNumber;
    const int lastLine = qMax(firstLine, int(spec.lastLineNumber));
    {
        const QSignalBlocker b1(m_motorSpin), b2(m_remSpin), b3(m_lineSpin), b4(m_spotSpin);
        const QSignalBlocker b5(m_minimumSpin), b6(m_maximumSpin);
        m_motorSpin->setRange(0, qMax(0, int(spec.motorInterlaceCount) - 1));
        m_remSpin->setRange(0, qMax(0, int(spec.remInterlaceCount) - 1));
        m_lineSpin->setRange(firstLine, lastLine);
        m_spotSpin->setRange(0, lastSpot);
        m_minimumSpin->setRange(0, lastSpot);
        m_maximumSpin->setRange(0, lastSpot);
        m_minimumSpin->setValue(0);
        m_maximumSpin->setValue(lastSpot);
    }
    m_view->setDisplayRange(0, lastSpot);
    // Only one sensor family calls its fields horizontal and vertical.
    const bool hv = std::strncmp(info.product, "KRX", 3) == 0;
    m_view->setInterlaceType(hv ? DRALTableModel::HorizontalVerticalInterlace
                                : DRALTableModel::MotorRemInterlace);
    retranslate();
    selectionChanged();
    emphasisChanged();
}

void DataTableDockWidget::minimumChanged(int value)
{
    if (value > m_maximumSpin->value()) {
        const QSignalBlocker blocker(m_maximumSpin);
        m_maximumSpin->setValue(value);
    }
    m_view->setDisplayRange(m_minimumSpin->value(), m_maximumSpin->value());
}

void DataTableDockWidget::maximumChanged(int value)
{
    if (value < m_minimumSpin->value()) {
        const QSignalBlocker blocker(m_minimumSpin);
        m_minimumSpin->setValue(value);
    }
    m_view->setDisplayRange(m_minimumSpin->value(), m_maximumSpin->value());
}
