#pragma once

#include "PropertyItem.h"
#include "Ray.h"

#include <QPointer>

class Camera;
class FloatProperty;
class Vector3DProperty;

// The group "View": the main camera's focal point, distance, yaw and pitch as editable properties. Edits
// drive the camera; camera moves are copied back into the properties without driving the camera again.
class CameraProperty : public PropertyItem
{
    Q_OBJECT

public:
    explicit CameraProperty(QObject *parent = nullptr);

    Camera *camera() const;
    void setCamera(Camera *camera);

    Vector3DProperty *focalPointProperty() const { return m_focalPoint; }
    FloatProperty *distanceProperty() const { return m_distance; }
    FloatProperty *yawProperty() const { return m_yaw; }
    FloatProperty *pitchProperty() const { return m_pitch; }

    void retranslate() override;

signals:
    void setMouseRay(Ray ray);

private slots:
    void updateCamera();

private:
    // Copies the camera into the properties, and with setDefaults also into their defaults.
    void copyFromCamera(bool setDefaults);

    QPointer<Camera> m_camera;
    Vector3DProperty *m_focalPoint = nullptr;
    FloatProperty *m_distance = nullptr;
    FloatProperty *m_yaw = nullptr;
    FloatProperty *m_pitch = nullptr;
    // Set while the properties follow the camera, so that their change signals do not drive it back.
    bool m_following = false;
};
