#include "PointCloudProperty.h"

#include "ColorLegendLayer.h"
#include "ColorModel.h"
#include "ComboBoxProperty.h"
#include "Coordinate.h"
#include "DataFilterProperty.h"
#include "EmphasisColorModel.h"
#include "FloatProperty.h"
#include "IntegerProperty.h"
#include "Vector3DProperty.h"

#include <QIcon>

namespace {
// Sets the vector without touching its components' defaults, which setVector3DValue also overwrites.
void followVector(Vector3DProperty *property, const QVector3D &value)
{
    if (property->vector3DValue() == value)
        return;
    FloatProperty *parts[3] = {property->xProperty(), property->yProperty(), property->zProperty()};
    QVariant defaults[3];
    for (int i = 0; i < 3; ++i)
        defaults[i] = parts[i]->defaultValue();
    property->setVector3DValue(value);
    for (int i = 0; i < 3; ++i)
        parts[i]->setDefaultValue(defaults[i]);
}
} // namespace

PointCloudProperty::PointCloudProperty(int index, QObject *parent) : BoolProperty(parent), m_index(index)
{
    qRegisterMetaType<PointCloud *>("PointCloud*");
    // A cloud starts visible with its marker shown; the real states arrive with the cloud.
    setBoolValue(true);
    setDefaultValue(true);

    m_showCoordinate = new BoolProperty(this);
    m_showCoordinate->setKey(QStringLiteral("show_coordinate"));
    m_showCoordinate->setBoolValue(true);
    m_showCoordinate->setDefaultValue(true);

    m_position = new Vector3DProperty(this);
    m_position->setKey(QStringLiteral("position"));
    m_position->setMinValue(-100.0f);
    m_position->setMaxValue(100.0f);

    m_rotation = new Vector3DProperty(this);
    m_rotation->setKey(QStringLiteral("rotation"));
    m_rotation->setMinValue(-360.0f);
    m_rotation->setMaxValue(360.0f);
    m_rotation->setKeys(QStringLiteral("x_roll"), QStringLiteral("y_pitch"), QStringLiteral("z_yaw"));

    m_size = new IntegerProperty(this);
    m_size->setKey(QStringLiteral("size"));
    m_size->setMinValue(1);
    m_size->setMaxValue(20);
    m_size->setIntValue(3);
    m_size->setDefaultValue(3);

    m_filters = new DataFilterProperty(this);
    m_colorModel = new ColorModel(this);
    m_legend = new ColorLegendLayer(this);
    m_legend->setColorModel(m_colorModel);
    m_emphasis = new EmphasisColorModel(this);

    m_emphasisGroup = new PropertyItem(this);
    m_emphasisGroup->setKey(QStringLiteral("emphasis"));
    m_emphasisGroup->setIcon(QIcon(QStringLiteral(":/icons/ruler")));
    m_emphasisGroup->addChild(m_emphasis->property());

    addChild(m_showCoordinate);
    addChild(m_position);
    addChild(m_rotation);
    addChild(m_size);
    addChild(m_filters);
    addChild(m_legend->property());
    addChild(m_colorModel->property());
    addChild(m_emphasisGroup);

    connect(this, &PropertyItem::valueChanged, this, [this] {
        if (m_pointCloud && !m_following)
            m_pointCloud->setVisible(boolValue());
    });
    connect(m_showCoordinate, &PropertyItem::valueChanged, this, [this] {
        if (m_pointCloud && !m_following)
            m_pointCloud->setCoordinateVisible(m_showCoordinate->boolValue());
    });
    connect(m_position, &Vector3DProperty::vector3DValueChanged, this, [this](const QVector3D &v) {
        if (!m_following)
            applyPosition(v);
    });
    connect(m_rotation, &Vector3DProperty::vector3DValueChanged, this, [this](const QVector3D &v) {
        if (!m_following)
            applyRotation(v);
    });
    connect(m_size, &PropertyItem::valueChanged, this, [this] {
        if (m_pointCloud && !m_following)
            m_pointCloud->setPointSize(m_size->intValue());
    });
    connect(m_emphasis, &EmphasisColorModel::changeEmphansisType, this,
            &PointCloudProperty::changeEmphasisedType);
    retranslate();
}

void PointCloudProperty::setPointCloud(PointCloud *pointCloud)
{
    if (pointCloud == m_pointCloud)
        return;
    if (m_pointCloud)
        disconnect(m_pointCloud, nullptr, this, nullptr);
    m_pointCloud = pointCloud;
    if (m_pointCloud) {
        m_following = true;
        setBoolValue(m_pointCloud->isVisibleSelf());
        setDefaultValue(m_pointCloud->isVisibleSelf());
        const bool marker = m_pointCloud->coordinate()->isVisibleSelf();
        m_showCoordinate->setBoolValue(marker);
        m_showCoordinate->setDefaultValue(marker);
        // Setting a vector makes it its components' default as well.
        m_position->setVector3DValue(m_pointCloud->pos());
        m_rotation->setVector3DValue(m_pointCloud->rotation());
        m_size->setIntValue(m_pointCloud->pointSize());
        m_size->setDefaultValue(m_size->intValue());
        m_following = false;

        connect(m_pointCloud, &RenderableItem::changed, this, &PointCloudProperty::refreshPose);
        connect(m_pointCloud, &RenderableItem::changeRotationMatrix, this,
                &PointCloudProperty::changeRotationMatrix);
        connect(m_pointCloud, &RenderableItem::changeTranslationMatrix, this,
                &PointCloudProperty::changeTranslationMatrix);
        // A cloud that is already placed hands its pose on now, not only at its next move.
        changeRotationMatrix(m_pointCloud->rotationMatrix());
        changeTranslationMatrix(m_pointCloud->translationMatrix());
    }
    emit pointCloudChanged(m_pointCloud);
}

void PointCloudProperty::refreshPose()
{
    if (!m_pointCloud)
        return;
    m_following = true;
    followVector(m_position, m_pointCloud->pos());
    followVector(m_rotation, m_pointCloud->rotation());
    m_following = false;
}

void PointCloudProperty::applyPosition(QVector3D value)
{
    if (m_pointCloud)
        m_pointCloud->setPos(value);
}

void PointCloudProperty::applyRotation(QVector3D value)
{
    if (m_pointCloud)
        m_pointCloud->setRotation(value);
}

void PointCloudProperty::setPositionReadOnly(bool state)
{
    for (FloatProperty *part : {m_position->xProperty(), m_position->yProperty(), m_position->zProperty()})
        part->setReadOnly(state);
}

void PointCloudProperty::setRotationReadOnly(bool state)
{
    for (FloatProperty *part : {m_rotation->xProperty(), m_rotation->yProperty(), m_rotation->zProperty()})
        part->setReadOnly(state);
}

void PointCloudProperty::changeRotationMatrix(QMatrix4x4 rotMat)
{
    m_rotationMatrix = rotMat;
    m_filters->setRotationMatrix(rotMat);
    emit m_colorModel->setRotationMatrix(rotMat);
}

void PointCloudProperty::changeTranslationMatrix(QMatrix4x4 transMat)
{
    m_translationMatrix = transMat;
    m_filters->setTranslationMatrix(transMat);
    emit m_colorModel->setTranslationMatrix(transMat);
}

QVector3D PointCloudProperty::position() const
{
    return m_position->vector3DValue();
}

QVector3D PointCloudProperty::rotation() const
{
    return m_rotation->vector3DValue();
}

QList<AbstractDataFilter *> PointCloudProperty::enabledFilters() const
{
    return m_filters->enabledFilters();
}

QVector3D PointCloudProperty::emphasisColor(int type, int index) const
{
    return m_emphasis->color(type, index);
}

void PointCloudProperty::setNumbered(bool numbered)
{
    m_numbered = numbered;
    retranslate();
}

void PointCloudProperty::retranslate()
{
    if (m_index < 1 && !m_numbered) {
        setName(tr("Point Cloud"));
        setKey(QStringLiteral("point_cloud"));
    } else {
        setName(tr("Point Cloud %1").arg(m_index));
        setKey(QStringLiteral("point_cloud_%1").arg(m_index));
    }
    m_showCoordinate->setName(tr("Show Coordinate"));
    m_position->setName(tr("Position"));
    m_rotation->setName(tr("Rotation"));
    const QString angle = QStringLiteral("%1 %2");
    const QString deg = tr("[deg]");
    m_rotation->setLabels(angle.arg(tr("X (Roll)"), deg), angle.arg(tr("Y (Pitch)"), deg),
                          angle.arg(tr("Z (Yaw)"), deg));
    m_size->setName(tr("Size"));
    m_emphasisGroup->setName(tr("Emphasis"));
    m_showCoordinate->retranslate();
    m_position->retranslate();
    m_rotation->retranslate();
    m_size->retranslate();
    m_filters->retranslate();
    m_legend->retranslate();
    m_colorModel->retranslate();
    m_emphasis->retranslate();
    m_emphasisGroup->retranslate();
    BoolProperty::retranslate();
}
