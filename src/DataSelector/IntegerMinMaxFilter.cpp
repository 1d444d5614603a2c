#include "IntegerMinMaxFilter.h"

#include "BoolProperty.h"
#include "IntegerProperty.h"

IntegerMinMaxFilter::IntegerMinMaxFilter(QObject *parent) : DataFilter(parent)
{
    m_min = new IntegerProperty(this);
    m_min->setKey(QStringLiteral("min"));
    m_max = new IntegerProperty(this);
    m_max->setKey(QStringLiteral("max"));
    group()->addChild(m_min);
    group()->addChild(m_max);
    setRange(-100, 100);

    // The window never turns inside out: the other end follows the one the user moved past it.
    connect(m_min, &IntegerProperty::intValueChanged, this, [this](int v) {
        if (float(v) > float(m_max->intValue()))
            m_max->setIntValue(v);
        publish();
        emit changed();
    });
    connect(m_max, &IntegerProperty::intValueChanged, this, [this](int v) {
        if (float(v) < float(m_min->intValue()))
            m_min->setIntValue(v);
        publish();
        emit changed();
    });
    connect(group(), &BoolProperty::boolValueChanged, this, [this] {
        publish();
        emit changed();
    });
}

void IntegerMinMaxFilter::apply(VEXA3D_MEASUREMENT_DATA_T &data)
{
    const std::shared_ptr<const Window> w = m_window.load();
    if (w->enabled)
        applyWindow(data, *w);
}

void IntegerMinMaxFilter::retranslate()
{
    const QString u = unit();
    const QString suffix = u.isEmpty() ? QString() : QLatin1Char(' ') + u;
    m_min->setName(tr("Min") + suffix);
    m_max->setName(tr("Max") + suffix);
    DataFilter::retranslate();
}

void IntegerMinMaxFilter::setRange(int lo, int hi)
{
    for (IntegerProperty *p : {m_min, m_max}) {
        p->setMinValue(lo);
        p->setMaxValue(hi);
    }
    m_min->setIntValue(lo);
    m_max->setIntValue(hi);
    m_min->setDefaultValue(QVariant(lo));
    m_max->setDefaultValue(QVariant(hi));
    publish();
}

void IntegerMinMaxFilter::publish()
{
    auto w = std::make_shared<Window>();
    w->enabled = group()->boolValue();
    w->min = m_min->intValue();
    w->max = m_max->intValue();
    m_window.store(std::move(w));
}
