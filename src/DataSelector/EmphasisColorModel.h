#pragma once

#include <QObject>
#include <QVector3D>

#include <atomic>

class BoolProperty;
class EmphasisColorScheme;

// The colours of the spot and line picked in the data table.
class EmphasisColorModel : public QObject
{
    Q_OBJECT
public:
    enum ColorIndex
    {
        LineColor = 0,
        SpotColor = 1
    };

    explicit EmphasisColorModel(QObject *parent = nullptr);

    BoolProperty *property() const;
    EmphasisColorScheme *scheme() const { return m_scheme; }
    bool isEnabled() const { return (m_enabled.load() & 1) != 0; }
    // (0, 0, 0) unless type is 1; else the colour index (0 line, 1 spot). Safe to call from any thread.
    QVector3D color(int type, int index) const;
    void retranslate();

signals:
    void changeEmphansisType(uchar type);

private:
    EmphasisColorScheme *m_scheme = nullptr;
    std::atomic<uchar> m_enabled{0};
};
