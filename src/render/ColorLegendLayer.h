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

    // Where the parts of a legend go, in the painter's coordinates.
    struct Geometry
    {
        QRect legend;
        QRect bar;
        QRect minLabel;
        QRect maxLabel;
    };

    void paint(QPainter *painter, QRect rect) override;
    bool pictureOutdated() override;
    // Docked to its edge while it has something to show.
    Dock dock(const QFontMetrics &metrics) const override;

    // The legend's outer rectangle (thickness pixels deep) and its colour bar for a canvas rectangle and an
    // edge.
    static QRect legendRect(const QRect &rect, Qt::Edge edge, int thickness = defaultThickness);
    static QRect barRect(const QRect &legend, Qt::Edge edge);
    // The whole layout in an area: side legends grow thicker and label boxes wider so that no label is
    // wider than its box.
    static Geometry geometry(const QRect &area, Qt::Edge edge, const QFontMetrics &metrics,
                             const QString &minText, const QString &maxText);
    // How deep a legend with these labels is, across its edge.
    static int thicknessFor(Qt::Edge edge, const QFontMetrics &metrics, const QString &minText,
                            const QString &maxText);
    // The min and max label texts of the current colour model, empty without one.
    QString minText() const;
    QString maxText() const;
    static constexpr int defaultThickness = 30;
    // Between the canvas edge and the legend, and between legends stacked on one edge.
    static constexpr int margin = 5;

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
    bool m_paintedNoLevels = false;
};
