#pragma once

#include <QList>
#include <QObject>
#include <QRect>
#include <QRectF>
#include <QVector>

class QFontMetrics;
class QPainter;

// A 2D overlay painted over the 3D picture; layers nest, children paint in list order.
// A child may dock to a canvas edge: it then takes a band of that edge, the parent stacks the bands of one
// edge inward (side bands run between the top and bottom ones) and keeps every band clear of the areas
// set with setKeepClear(), such as an inset viewport, by moving the child into the longer free stretch.
class LayerItem : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int ZOrder READ ZOrder WRITE setZOrder NOTIFY ZOrderChanged)

public:
    struct Dock
    {
        Qt::Edge edge = Qt::TopEdge;
        int depth = 0; // pixels taken from the edge; 0: not docked
    };

    explicit LayerItem(QObject *parent = nullptr);

    virtual void paint(QPainter *painter, QRect rect);
    // True when the last painted picture no longer shows what paint() would draw now, for a state that
    // changes without a changed() signal (such as the data arriving). Children count.
    virtual bool pictureOutdated();
    // Where this layer docks when painted with a font of these metrics.
    virtual Dock dock(const QFontMetrics &metrics) const;
    // The rectangle each child is painted in, in list order.
    QVector<QRect> childAreas(const QRect &rect, const QFontMetrics &metrics) const;
    // Areas, as fractions of the painted rectangle, that docked children keep clear of.
    void setKeepClear(const QList<QRectF> &areas);
    QList<QRectF> keepClear() const { return m_keepClear; }

    // Child layers are not owned.
    void addLayer(LayerItem *layer);
    void removeLayer(LayerItem *layer);
    QList<LayerItem *> layers() const { return m_layers; }
    int ZOrder() const { return m_ZOrder; }

public slots:
    void setZOrder(int ZOrder);

signals:
    void ZOrderChanged(int ZOrder);
    void changed();

private:
    int m_ZOrder = 0;
    QList<LayerItem *> m_layers;
    QList<QRectF> m_keepClear;
};
