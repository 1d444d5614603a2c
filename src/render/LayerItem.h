#pragma once

#include <QList>
#include <QObject>
#include <QRect>

class QPainter;

// A 2D overlay painted over the 3D picture; layers nest, children paint in list order.
class LayerItem : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int ZOrder READ ZOrder WRITE setZOrder NOTIFY ZOrderChanged)

public:
    explicit LayerItem(QObject *parent = nullptr);

    virtual void paint(QPainter *painter, QRect rect);

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
};
