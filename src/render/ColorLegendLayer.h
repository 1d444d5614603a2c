#pragma once

#include "LayerItem.h"

#include <QColor>
#include <QPointer>
#include <QRect>
#include <QString>

class ColorModel;
class ComboBoxProperty;

// The colour bar of a point cloud's colour model, with min and max labels and a title, along one canvas edge.
class ColorLegendLayer : public LayerItem
{
    Q_OBJECT
    Q_PROPERTY(
        QColor backgroundColor READ backgroundColor WRITE setBackgroundColor NOTIFY backgroundColorChanged)
    Q_PROPERTY(Qt::Edge position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor NOTIFY textColorChanged)
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)

public:
    explicit ColorLegendLayer(QObject *parent = nullptr);

    void paint(QPainter *painter, QRect rect) override;

    // The legend's outer rectangle and its colour bar for a canvas rectangle and an edge.
    static QRect legendRect(const QRect &rect, Qt::Edge edge);
    static QRect barRect(const QRect &legend, Qt::Edge edge);

    ColorModel *colorModel() const;
    QColor backgroundColor() const { return m_backgroundColor; }
    Qt::Edge position() const { return m_position; }
    QColor textColor() const { return m_textColor; }
    QString title() const { return m_title; }
    // The "Legend" combo box the point-cloud properties show.
    ComboBoxProperty *property() const { return m_property; }
    void retranslate();

public slots:
    void setColorModel(ColorModel *colorModel);
    void setBackgroundColor(QColor backgroundColor);
    void setInitialLegendPos(Qt::Edge position);
    void setPosition(Qt::Edge position);
    void setTextColor(QColor textColor);
    void setTitle(QString title);

signals:
    void backgroundColorChanged(QColor backgroundColor);
    void positionChanged(Qt::Edge position);
    void textColorChanged(QColor textColor);
    void titleChanged(QString title);

private:
    void onOptionChanged();

    QPointer<ColorModel> m_colorModel;
    QColor m_backgroundColor{Qt::white};
    Qt::Edge m_position = Qt::TopEdge;
    ComboBoxProperty *m_property;
    QColor m_textColor{Qt::white};
    QString m_title;
};
