#pragma once

#include "PropertyItem.h"

#include <QColor>
#include <QList>
#include <QVector3D>

class QPainter;

// The last maxCount samples of a value, drawn as a line graph in the value column.
class IntegerSerieProperty : public PropertyItem
{
    Q_OBJECT

public:
    explicit IntegerSerieProperty(QObject *parent = nullptr);

    QList<int> samples() const { return m_samples; }
    int maxCount() const { return m_maxCount; }
    int largest() const { return m_largest; }
    int smallest() const { return m_smallest; }
    QColor color() const { return m_color; }

    void addValue(int sample);
    void clear();
    bool paint(QPainter *painter, const QStyleOptionViewItem &option) override;

public slots:
    void setMaxCount(int count);
    void setColor(const QColor &color);

signals:
    void maxCountChanged(int count);
    void colorChanged(const QColor &color);

private:
    QList<int> m_samples;
    int m_maxCount = 50;
    int m_largest;
    int m_smallest;
    QColor m_color = Qt::red;
};

class FloatSerieProperty : public PropertyItem
{
    Q_OBJECT

public:
    explicit FloatSerieProperty(QObject *parent = nullptr);

    QList<float> samples() const { return m_samples; }
    int maxCount() const { return m_maxCount; }
    float largest() const { return m_largest; }
    float smallest() const { return m_smallest; }
    QColor color() const { return m_color; }

    void addValue(float sample);
    void clear();
    bool paint(QPainter *painter, const QStyleOptionViewItem &option) override;

public slots:
    void setMaxCount(int count);
    void setColor(const QColor &color);

signals:
    void maxCountChanged(int count);
    void colorChanged(const QColor &color);

private:
    QList<float> m_samples;
    int m_maxCount = 50;
    float m_largest = -2147483648.0f;
    float m_smallest = 2147483648.0f;
    QColor m_color = Qt::red;
};

// Three float series (X, Y, Z) in red, green and blue.
class Vector3DSerieProperty : public PropertyItem
{
    Q_OBJECT

public:
    explicit Vector3DSerieProperty(QObject *parent = nullptr);

    int maxCount() const { return m_maxCount; }
    FloatSerieProperty *xSerie() const { return m_series[0]; }
    FloatSerieProperty *ySerie() const { return m_series[1]; }
    FloatSerieProperty *zSerie() const { return m_series[2]; }

    void addValue(const QVector3D &sample);
    void clear();
    void retranslate() override;

public slots:
    void setMaxCount(int count);

signals:
    void maxCountChanged(int count);

private:
    int m_maxCount = 50;
    FloatSerieProperty *m_series[3] = {nullptr, nullptr, nullptr};
};
