#include "Vector3DProperty.h"

#include "FloatProperty.h"

Vector3DProperty::Vector3DProperty(QObject *parent) : PropertyItem(parent)
{
    const struct
    {
        FloatProperty **child;
        const char *key;
        int component;
    } parts[] = {{&m_x, "x", 0}, {&m_y, "y", 1}, {&m_z, "z", 2}};
    for (const auto &part : parts) {
        auto *child = new FloatProperty(this);
        child->setKey(QString::fromLatin1(part.key));
        child->setFloatValue(0);
        child->setMinValue(m_minValue);
        child->setMaxValue(m_maxValue);
        addChild(child);
        const int component = part.component;
        connect(child, &FloatProperty::floatValueChanged, this, [this, component](float f) {
            // The child announces one change twice (relayed and direct); act once.
            if (m_settingVector || m_vector[component] == f)
                return;
            m_vector[component] = f;
            refreshText();
            emit vector3DValueChanged(m_vector);
        });
        *part.child = child;
    }
    refreshText();
    setReadOnly(true);
    retranslate();
}

void Vector3DProperty::refreshText()
{
    PropertyItem::setValue(QStringLiteral("%1; %2; %3")
                               .arg(double(m_vector.x()), 0, 'f', 3)
                               .arg(double(m_vector.y()), 0, 'f', 3)
                               .arg(double(m_vector.z()), 0, 'f', 3));
}

void Vector3DProperty::setVector3DValue(const QVector3D &value)
{
    if (value == m_vector)
        return;
    m_vector = value;
    FloatProperty *children[] = {m_x, m_y, m_z};
    // One call emits one vector3DValueChanged with the whole vector, not three half-updated ones.
    m_settingVector = true;
    for (int i = 0; i < 3; ++i) {
        children[i]->setFloatValue(value[i]);
        children[i]->setDefaultValue(QVariant(float(value[i])));
    }
    m_settingVector = false;
    m_vector = QVector3D(m_x->floatValue(), m_y->floatValue(), m_z->floatValue());
    refreshText();
    emit vector3DValueChanged(m_vector);
}

void Vector3DProperty::setValue(const QVariant &value)
{
    const QStringList parts = value.toString().split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (parts.size() != 3)
        return;
    setVector3DValue(QVector3D(parts.at(0).toFloat(), parts.at(1).toFloat(), parts.at(2).toFloat()));
}

void Vector3DProperty::setMinValue(float value)
{
    if (m_minValue == value)
        return;
    m_minValue = value;
    for (FloatProperty *child : {m_x, m_y, m_z})
        child->setMinValue(value);
    refreshText();
    emit minValueChanged(value);
}

void Vector3DProperty::setMaxValue(float value)
{
    if (m_maxValue == value)
        return;
    m_maxValue = value;
    for (FloatProperty *child : {m_x, m_y, m_z})
        child->setMaxValue(value);
    refreshText();
    emit maxValueChanged(value);
}

void Vector3DProperty::setLabels(const QString &x, const QString &y, const QString &z)
{
    // From now on the owner names the children, also after a language change.
    m_ownLabels = true;
    m_x->setName(x);
    m_y->setName(y);
    m_z->setName(z);
}

void Vector3DProperty::setKeys(const QString &x, const QString &y, const QString &z)
{
    m_x->setKey(x);
    m_y->setKey(y);
    m_z->setKey(z);
}

void Vector3DProperty::retranslate()
{
    if (!m_ownLabels) {
        m_x->setName(tr("X [m]"));
        m_y->setName(tr("Y [m]"));
        m_z->setName(tr("Z [m]"));
    }
    for (FloatProperty *child : {m_x, m_y, m_z})
        child->retranslate();
    PropertyItem::retranslate();
}
