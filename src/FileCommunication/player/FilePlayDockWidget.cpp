#include "FilePlayDockWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
const QString Unknown = QStringLiteral("--");
const QString LogTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz");
constexpr qint64 DayMs = 86400000;
} // namespace

FilePlayDockWidget::FilePlayDockWidget(QWidget *parent) : QDockWidget(parent)
{
    setObjectName(QStringLiteral("FilePlayDockWidget"));
    setWindowIcon(QIcon(QStringLiteral(":/FileCommunication/detail")));

    m_player = new QWidget(this);
    auto *layout = new QVBoxLayout(m_player);

    auto *buttons = new QHBoxLayout;
    m_startButton = new QToolButton(m_player);
    m_startButton->setIcon(QIcon(QStringLiteral(":/DataRecorder/start")));
    m_pauseButton = new QToolButton(m_player);
    m_pauseButton->setIcon(QIcon(QStringLiteral(":/DataRecorder/pause")));
    m_stopButton = new QToolButton(m_player);
    m_stopButton->setIcon(QIcon(QStringLiteral(":/DataRecorder/stop")));
    for (QToolButton *button : {m_startButton, m_pauseButton, m_stopButton}) {
        button->setEnabled(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    layout->addLayout(buttons);

    auto *progress = new QHBoxLayout;
    m_slider = new QSlider(Qt::Horizontal, m_player);
    m_spinBox = new QSpinBox(m_player);
    progress->addWidget(m_slider, 1);
    progress->addWidget(m_spinBox);
    layout->addLayout(progress);

    auto *readouts = new QGridLayout;
    m_timestampCaption = new QLabel(m_player);
    m_timestampValue = new QLabel(m_player);
    m_logTimeCaption = new QLabel(m_player);
    m_logTimeValue = new QLabel(m_player);
    m_elapsedValue = new QLabel(m_player);
    m_totalValue = new QLabel(m_player);
    readouts->addWidget(m_timestampCaption, 0, 0);
    readouts->addWidget(m_timestampValue, 0, 1, 1, 3);
    readouts->addWidget(m_logTimeCaption, 1, 0);
    readouts->addWidget(m_logTimeValue, 1, 1, 1, 3);
    readouts->addWidget(m_elapsedValue, 2, 1);
    readouts->addWidget(new QLabel(QStringLiteral("/"), m_player), 2, 2);
    readouts->addWidget(m_totalValue, 2, 3);
    layout->addLayout(readouts);

    auto *options = new QHBoxLayout;
    m_speedCaption = new QLabel(m_player);
    m_speedBox = new QComboBox(m_player);
    m_speedBox->addItems(
        {QStringLiteral("x1/8"), QStringLiteral("x1/4"), QStringLiteral("x1/2"), QStringLiteral("x1")});
    m_speedBox->setCurrentIndex(3);
    m_loopBox = new QCheckBox(m_player);
    options->addWidget(m_speedCaption);
    options->addWidget(m_speedBox);
    options->addStretch();
    options->addWidget(m_loopBox);
    layout->addLayout(options);
    layout->addStretch();
    setWidget(m_player);

    connect(m_startButton, &QToolButton::clicked, this, &FilePlayDockWidget::startClicked);
    connect(m_pauseButton, &QToolButton::clicked, this, &FilePlayDockWidget::pauseClicked);
    connect(m_stopButton, &QToolButton::clicked, this, &FilePlayDockWidget::stopClicked);
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        const QSignalBlocker blocker(m_spinBox);
        m_spinBox->setValue(value);
        emit progressChanged(value);
    });
    connect(m_spinBox, QOverload<int>::of(&QSpinBox::valueChanged), this, [this](int value) {
        const QSignalBlocker blocker(m_slider);
        m_slider->setValue(value);
        emit progressChanged(value);
    });
    connect(m_loopBox, &QCheckBox::stateChanged, this, &FilePlayDockWidget::loopChanged);
    connect(m_speedBox, &QComboBox::currentTextChanged, this, &FilePlayDockWidget::setPlaySpeed);

    resetReadouts();
    setProgressEnabled(false);
    retranslate();
}

QString FilePlayDockWidget::durationText(qint64 milliseconds)
{
    const qint64 days = milliseconds / DayMs;
    const qint64 rest = milliseconds % DayMs;
    return QStringLiteral("%1 %2:%3:%4.%5")
        .arg(days > 0 ? QString::number(days) : QString())
        .arg(rest / 3600000)
        .arg(rest / 60000 % 60)
        .arg(rest / 1000 % 60)
        .arg(rest % 1000);
}

float FilePlayDockWidget::speedOf(int index)
{
    return float(std::pow(2.0, index - 3));
}

void FilePlayDockWidget::setStartEnabled(bool enabled)
{
    m_startButton->setEnabled(enabled);
}

void FilePlayDockWidget::setPauseEnabled(bool enabled)
{
    m_pauseButton->setEnabled(enabled);
}

void FilePlayDockWidget::setStopEnabled(bool enabled)
{
    m_stopButton->setEnabled(enabled);
}

void FilePlayDockWidget::setPlayerEnabled(bool enabled)
{
    m_player->setEnabled(enabled);
}

void FilePlayDockWidget::setProgressEnabled(bool enabled)
{
    m_slider->setEnabled(enabled);
    m_spinBox->setEnabled(enabled);
    if (!enabled)
        resetReadouts();
}

void FilePlayDockWidget::resetReadouts()
{
    m_timestampValue->setText(Unknown);
    m_logTimeValue->setText(Unknown);
    setProgressMaximum(0);
    m_elapsedValue->setText(Unknown);
    m_totalValue->setText(Unknown);
    m_end = QDateTime();
    m_totalMs = 0;
}

void FilePlayDockWidget::setProgressMaximum(int maximum)
{
    const QSignalBlocker sliderBlocker(m_slider);
    const QSignalBlocker spinBlocker(m_spinBox);
    m_slider->setMaximum(maximum);
    m_spinBox->setMaximum(maximum);
}

void FilePlayDockWidget::setProgressValue(int value)
{
    const QSignalBlocker sliderBlocker(m_slider);
    const QSignalBlocker spinBlocker(m_spinBox);
    m_slider->setValue(value);
    m_spinBox->setValue(value);
}

void FilePlayDockWidget::setTimestamp(qlonglong timestamp)
{
    m_timestampValue->setText(timestamp < 0 ? Unknown : QString::number(timestamp));
}

void FilePlayDockWidget::setLogTime(const QString &logTime)
{
    m_logTimeValue->setText(logTime.isEmpty() ? Unknown : logTime);
}

void FilePlayDockWidget::setElapseTime(const QString &logTime)
{
    const QDateTime now = QDateTime::fromString(logTime, LogTimeFormat);
    if (logTime.isEmpty() || m_totalMs <= 0 || !now.isValid() || !m_end.isValid()) {
        m_elapsedValue->setText(Unknown);
        return;
    }
    const qint64 elapsed = qBound<qint64>(0, m_totalMs - now.msecsTo(m_end), m_totalMs);
    m_elapsedValue->setText(durationText(elapsed));
}

void FilePlayDockWidget::updateReadingProcess(int pos, qlonglong time, const QString &logTime)
{
    setProgressValue(pos);
    setTimestamp(time);
    setLogTime(logTime);
    setElapseTime(logTime);
}

void FilePlayDockWidget::setLogtimeSettings(const QString &start, const QString &end)
{
    const QDateTime startTime = QDateTime::fromString(start, LogTimeFormat);
    const QDateTime endTime = QDateTime::fromString(end, LogTimeFormat);
    if (start.isEmpty() || end.isEmpty() || !startTime.isValid() || !endTime.isValid()) {
        m_start = QDateTime();
        m_end = QDateTime();
        m_totalMs = 0;
        m_totalValue->setText(Unknown);
        return;
    }
    m_start = startTime;
    m_end = endTime;
    m_totalMs = qMax<qint64>(0, startTime.msecsTo(endTime));
    m_totalValue->setText(durationText(m_totalMs));
}

void FilePlayDockWidget::setPlaySpeed(const QString &text)
{
    Q_UNUSED(text);
    emit playSpeedChanged(speedOf(m_speedBox->currentIndex()));
}

void FilePlayDockWidget::changeEvent(QEvent *event)
{
    QDockWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void FilePlayDockWidget::retranslate()
{
    setWindowTitle(tr("Log Player"));
    m_timestampCaption->setText(tr("Timestamp"));
    m_logTimeCaption->setText(tr("Log time"));
    m_speedCaption->setText(tr("play speed"));
    m_loopBox->setText(tr("Loop playback"));
    m_startButton->setText(tr("Start"));
    m_startButton->setToolTip(tr("Start"));
    m_pauseButton->setText(tr("Pause"));
    m_pauseButton->setToolTip(tr("Pause"));
    m_stopButton->setText(tr("Stop"));
    m_stopButton->setToolTip(tr("Stop"));
}
