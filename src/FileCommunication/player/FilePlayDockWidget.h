#pragma once

#include <QDateTime>
#include <QDockWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;
class QSpinBox;
class QToolButton;

// The "Log Player" dock: transport buttons, the position slider and spin box, the time read-outs, the
// play speed and the loop switch of the log player connection.
class FilePlayDockWidget : public QDockWidget
{
    Q_OBJECT

public:
    explicit FilePlayDockWidget(QWidget *parent = nullptr);

    // A duration in the read-out's form "days hours:minutes:seconds.milliseconds", without leading
    // zeros; the days are left out (not the blank before the hours) when there are none.
    static QString durationText(qint64 milliseconds);
    // The speed of a combo index: 1/8, 1/4, 1/2, 1.
    static float speedOf(int index);

    QSlider *slider() const { return m_slider; }
    QSpinBox *spinBox() const { return m_spinBox; }
    QComboBox *speedBox() const { return m_speedBox; }
    QCheckBox *loopBox() const { return m_loopBox; }
    QToolButton *startButton() const { return m_startButton; }
    QToolButton *pauseButton() const { return m_pauseButton; }
    QToolButton *stopButton() const { return m_stopButton; }
    QLabel *timestampLabel() const { return m_timestampValue; }
    QLabel *logTimeLabel() const { return m_logTimeValue; }
    QLabel *elapsedLabel() const { return m_elapsedValue; }
    QLabel *totalLabel() const { return m_totalValue; }
    qint64 totalMilliseconds() const { return m_totalMs; }

public slots:
    void setStartEnabled(bool enabled);
    void setPauseEnabled(bool enabled);
    void setStopEnabled(bool enabled);
    void setPlayerEnabled(bool enabled);
    void setProgressEnabled(bool enabled);
    void setProgressMaximum(int maximum);
    void setProgressValue(int value);
    void setTimestamp(qlonglong timestamp);
    void setLogTime(const QString &logTime);
    void setElapseTime(const QString &logTime);
    void updateReadingProcess(int pos, qlonglong time, const QString &logTime);
    void setLogtimeSettings(const QString &start, const QString &end);
    void setPlaySpeed(const QString &text);

signals:
    void startClicked();
    void pauseClicked();
    void stopClicked();
    void progressChanged(int value);
    void loopChanged(int state);
    void playSpeedChanged(float speed);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void resetReadouts();

    QSlider *m_slider = nullptr;
    QSpinBox *m_spinBox = nullptr;
    QLabel *m_timestampCaption = nullptr;
    QLabel *m_timestampValue = nullptr;
    QLabel *m_logTimeCaption = nullptr;
    QLabel *m_logTimeValue = nullptr;
    QLabel *m_elapsedValue = nullptr;
    QLabel *m_totalValue = nullptr;
    QLabel *m_speedCaption = nullptr;
    QComboBox *m_speedBox = nullptr;
    QCheckBox *m_loopBox = nullptr;
    QToolButton *m_startButton = nullptr;
    QToolButton *m_pauseButton = nullptr;
    QToolButton *m_stopButton = nullptr;
    QWidget *m_player = nullptr;

    QDateTime m_start;
    QDateTime m_end;
    qint64 m_totalMs = 0;
};
