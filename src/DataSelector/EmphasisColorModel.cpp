#include "EmphasisColorModel.h"

#include "BoolProperty.h"
#include "ColorProperty.h"
#include "EmphasisColorScheme.h"

EmphasisColorModel::EmphasisColorModel(QObject *parent) : QObject(parent)
{
    m_scheme = new EmphasisColorScheme(this);
    BoolProperty *group = m_scheme->property();
    group->setKey(QStringLiteral("datatable"));
    group->setBoolValue(false);
    group->setDefaultValue(false);
    m_scheme->addColor(QStringLiteral("line"), QColor(Qt::darkBlue));
    m_scheme->addColor(QStringLiteral("spot"), QColor(Qt::red));
    connect(group, &BoolProperty::boolValueChanged, this, [this](bool on) {
        const uchar type = on ? 1 : 0;
        if (type == m_enabled.load())
            return;
        m_enabled.store(type);
        emit changeEmphansisType(type);
    });
    retranslate();
}

BoolProperty *EmphasisColorModel::property() const
{
    return m_scheme->property();
}

QVector3D EmphasisColorModel::color(int type, int index) const
{
    return type == 1 ? m_scheme->color(index) : QVector3D();
}

void EmphasisColorModel::retranslate()
{
    property()->setName(tr("Datatable"));
    m_scheme->colorProperty(LineColor)->setName(tr("Line"));
    m_scheme->colorProperty(SpotColor)->setName(tr("Spot"));
    for (int i = 0; i < m_scheme->count(); ++i)
        m_scheme->colorProperty(i)->retranslate();
    property()->retranslate();
}
