#include "EmphasisColorScheme.h"

#include "BoolProperty.h"
#include "ColorProperty.h"

EmphasisColorScheme::EmphasisColorScheme(QObject *parent) : QObject(parent)
{
    m_group = new BoolProperty(this);
}

ColorProperty *EmphasisColorScheme::addColor(const QString &key, const QColor &color)
{
    auto *p = new ColorProperty(this);
    p->setKey(key);
    p->setColorValue(color);
    p->setDefaultValue(color);
    m_group->addChild(p);
    m_colors.append(p);
    connect(p, &ColorProperty::colorValueChanged, this, [this] {
        publish();
        emit changed();
    });
    publish();
    return p;
}

QVector3D EmphasisColorScheme::color(int index) const
{
    const std::shared_ptr<const QVector<QVector3D>> colors = m_published.load();
    return index >= 0 && index < colors->size() ? colors->at(index) : QVector3D();
}

void EmphasisColorScheme::publish()
{
    auto colors = std::make_shared<QVector<QVector3D>>();
    for (const ColorProperty *p : qAsConst(m_colors)) {
        const QColor c = p->colorValue();
        colors->append(QVector3D(float(c.redF()), float(c.greenF()), float(c.blueF())));
    }
    m_published.store(std::move(colors));
}
