#include "CameraProperty.h"

#include "Camera.h"
#include "FloatProperty.h"
#include "Vector3DProperty.h"

#include <QIcon>

CameraProperty::CameraProperty(QObject *parent) : PropertyItem(parent)
{
    qRegisterMetaType<Ray>("Ray");
    setKey(QStringLiteral("view"));
    setIcon(QIcon(QStringLiteral(":/icons/camera")));

    m_focalPoint = new Vector3DProperty(this);
    m_focalPoint->setKey(QStringLiteral("focal_point"));
    m_focalPoint->setMinValue(-100.0f);
    m_focalPoint->setMaxValue(100.0f);

    m_distance = new FloatProperty(this);
    m_distance->setKey(QStringLiteral("distance"));
    m_distance->setMinValue(Camera::minDistance);
    m_distance->setMaxValue(Camera::maxDistance);

    m_yaw = new FloatProperty(this);
    m_yaw->setKey(QStringLiteral("yaw"));
    // Wider than the camera's own [-180, 180], so that older files with any yaw load and wrap.
    m_yaw->setMinValue(-360.0f);
    m_yaw->setMaxValue(360.0f);

    m_pitch = new FloatProperty(this);
    m_pitch->setKey(QStringLiteral("pitch"));
    m_pitch->setMinValue(Camera::minPitch);
    m_pitch->setMaxValue(Camera::maxPitch);

    addChild(m_focalPoint);
    addChild(m_distance);
    addChild(m_yaw);
    addChild(m_pitch);

    connect(m_focalPoint, &Vector3DProperty::vector3DValueChanged, this, [this](const QVector3D &v) {
        if (m_camera && !m_following)
            m_camera->setFocalPoint(v);
    });
    // valueChanged fires once per change; the typed float signal may fire twice.
    connect(m_distance, &PropertyItem::valueChanged, this, [this] {
        if (m_camera && !m_following)
            m_camera->setDistance(m_distance->floatValue());
    });
    connect(m_yaw, &PropertyItem::valueChanged, this, [this] {
        if (m_camera && !m_following)
            m_camera->setYaw(m_yaw->floatValue());
    });
    connect(m_pitch, &PropertyItem::valueChanged, this, [this] {
        if (m_camera && !m_following)
            m_camera->setPitch(m_pitch->floatValue());
    });
    retranslate();
}

Camera *CameraProperty::camera() const
{
    return m_camera;
}

void CameraProperty::setCamera(Camera *camera)
{
    if (camera == m_camera)
        return;
    if (m_camera)
        disconnect(m_camera, nullptr, this, nullptr);
    m_camera = camera;
    if (!m_camera)
        return;
    connect(m_camera, &Camera::characteristicsChanged, this, &CameraProperty::updateCamera);
    copyFromCamera(true);
    connect(m_camera, &Camera::setMouseRay, this, &CameraProperty::setMouseRay);
}

void CameraProperty::updateCamera()
{
    copyFromCamera(false);
}

void CameraProperty::copyFromCamera(bool setDefaults)
{
    if (!m_camera)
        return;
    const bool wasFollowing = m_following;
    m_following = true;
    // Setting the vector also makes it the default of its components; keep the defaults on plain updates.
    const QVariant focalDefaults[3] = {m_focalPoint->xProperty()->defaultValue(),
                                       m_focalPoint->yProperty()->defaultValue(),
                                       m_focalPoint->zProperty()->defaultValue()};
    m_focalPoint->setVector3DValue(m_camera->focalPoint());
    if (!setDefaults) {
        m_focalPoint->xProperty()->setDefaultValue(focalDefaults[0]);
        m_focalPoint->yProperty()->setDefaultValue(focalDefaults[1]);
        m_focalPoint->zProperty()->setDefaultValue(focalDefaults[2]);
    }
    m_distance->setFloatValue(m_camera->distance());
    m_yaw->setFloatValue(m_camera->yaw());
    m_pitch->setFloatValue(m_camera->pitch());
    if (setDefaults) {
        m_distance->setDefaultValue(QVariant(m_distance->floatValue()));
        m_yaw->setDefaultValue(QVariant(m_yaw->floatValue()));
        m_pitch->setDefaultValue(QVariant(m_pitch->floatValue()));
    }
    m_following = wasFollowing;
}

void CameraProperty::retranslate()
{
    setName(tr("View"));
    m_focalPoint->setName(tr("Focal Point"));
    m_distance->setName(tr("Distance") + QStringLiteral(" [m]"));
    const QString angle = QStringLiteral("%1 %2");
    m_yaw->setName(angle.arg(tr("Yaw"), tr("[deg]")));
    m_pitch->setName(angle.arg(tr("Pitch"), tr("[deg]")));
    for (PropertyItem *child : children())
        child->retranslate();
    PropertyItem::retranslate();
}
