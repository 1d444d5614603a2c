#pragma once

#include "Published.h"

#include <QColor>
#include <QObject>
#include <QVector3D>

#include <limits>
#include <memory>

class FloatProperty;
class PropertyItem;
class QPainter;
class QRect;

// Maps a value to a colour over the user's value window [min, max].
class ColorScheme : public QObject
{
    Q_OBJECT
public:
    // Everything color() needs, frozen; the colour models hand it to the streaming thread.
    struct Params
    {
        using MapFunction = QVector3D (*)(const Params &params, float value);
        float min = std::numeric_limits<float>::lowest();
        float max = std::numeric_limits<float>::max();
        bool inverted = true;
        QVector3D minColor{1.0f, 1.0f, 0.0f};
        QVector3D maxColor{1.0f, 0.0f, 0.0f};
        MapFunction map = nullptr;

        QVector3D color(float value) const { return map ? map(*this, value) : QVector3D(1.0f, 0.0f, 0.0f); }
    };

    explicit ColorScheme(QObject *parent = nullptr);
    ~ColorScheme() override;

    virtual QVector3D color(float value) const;
    virtual PropertyItem *property() const;
    virtual QString name() const = 0;
    // A bar of the scheme's colours from min to max; orientation 1 is horizontal, anything else vertical.
    virtual void drawLegend(QPainter *painter, const QRect &rect, int orientation) const;
    virtual void retranslate();
    virtual QColor minColor() const { return QColor(255, 255, 0); }
    virtual QColor maxColor() const { return QColor(255, 0, 0); }
    virtual bool invertedRange() const { return true; }

    float minValue() const { return m_min; }
    float maxValue() const { return m_max; }
    FloatProperty *minProperty() const { return m_minProperty; }
    FloatProperty *maxProperty() const { return m_maxProperty; }
    std::shared_ptr<const Params> params() const { return m_params.load(); }

public slots:
    virtual void setMaxDefaultValue(float value);
    virtual void setMinDefaultValue(float value);
    virtual void setMaxValue(float value);
    virtual void setMinValue(float value);
    virtual void setValueRange(float min, float max);
    virtual void setMinColor(const QColor &) {}
    virtual void setMaxColor(const QColor &) {}
    virtual void setInvertedRange(bool) {}

signals:
    void changed();

protected:
    // The subclass's mapping; subclasses call publish() at the end of their constructor and after
    // every change of their own settings.
    virtual Params::MapFunction mapFunction() const = 0;
    void publish();
    PropertyItem *group() const { return m_group; }

    // t = (v - min) / (max - min), inverted when asked, as a rounded 0..255 step.
    static int rampStep(const Params &params, float value);
    static QVector3D toVector(const QColor &color);

private:
    float m_max = std::numeric_limits<float>::max();
    float m_min = std::numeric_limits<float>::lowest();
    PropertyItem *m_group = nullptr;
    FloatProperty *m_maxProperty = nullptr;
    FloatProperty *m_minProperty = nullptr;
    Published<Params> m_params;
};
