#pragma once

#include "Published.h"

#include <QColor>
#include <QObject>
#include <QVector3D>
#include <QVector>

class BoolProperty;
class ColorProperty;

// A checkable group of colours addressed by index.
class EmphasisColorScheme : public QObject
{
    Q_OBJECT
public:
    explicit EmphasisColorScheme(QObject *parent = nullptr);

    BoolProperty *property() const { return m_group; }
    // Appends a colour to the group.
    ColorProperty *addColor(const QString &key, const QColor &color);
    // The index-th colour as floats, (0, 0, 0) past the end. Safe to call from any thread.
    QVector3D color(int index) const;
    int count() const { return m_colors.size(); }
    ColorProperty *colorProperty(int index) const { return m_colors.value(index); }

signals:
    void changed();

private:
    void publish();

    BoolProperty *m_group = nullptr;
    QVector<ColorProperty *> m_colors;
    Published<QVector<QVector3D>> m_published;
};
