#pragma once

#include "BoolProperty.h"
#include "PointCloud.h"

#include <QList>
#include <QMatrix4x4>
#include <QPointer>
#include <QVector3D>

class AbstractDataFilter;
class ColorLegendLayer;
class ColorModel;
class DataFilterProperty;
class EmphasisColorModel;
class IntegerProperty;
class Vector3DProperty;

// The check box group "Point Cloud %1" of one point cloud: its visibility (the check box), coordinate
// marker, pose, point size, filters, legend, colour model and emphasis colours. The cloud's pose is passed
// on to the axis filters and the axis colour selector, so that both work in world coordinates.
//
// GUI thread, except enabledFilters(), colorModel()->color() and emphasisColor(), which the streaming
// thread of a live connection also calls.
class PointCloudProperty : public BoolProperty
{
    Q_OBJECT
    Q_PROPERTY(PointCloud *pointCloud READ pointCloud WRITE setPointCloud NOTIFY pointCloudChanged)

public:
    // An index below 1 gives the plain name "Point Cloud".
    explicit PointCloudProperty(int index = 0, QObject *parent = nullptr);

    int index() const { return m_index; }
    // Names the property by its index even when the index is 0 (the log player numbers its clouds from 0).
    void setNumbered(bool numbered);
    PointCloud *pointCloud() const { return m_pointCloud; }

    QVector3D position() const;
    QVector3D rotation() const;
    QList<AbstractDataFilter *> enabledFilters() const;
    ColorModel *colorModel() const { return m_colorModel; }
    ColorLegendLayer *legend() const { return m_legend; }
    EmphasisColorModel *emphasisColorModel() const { return m_emphasis; }
    // The emphasis model's colour: (0, 0, 0) unless type is 1; index 0 is the line, 1 the spot.
    QVector3D emphasisColor(int type, int index) const;
    QMatrix4x4 rotationMatrix() const { return m_rotationMatrix; }
    QMatrix4x4 translationMatrix() const { return m_translationMatrix; }

    BoolProperty *showCoordinateProperty() const { return m_showCoordinate; }
    Vector3DProperty *positionProperty() const { return m_position; }
    Vector3DProperty *rotationProperty() const { return m_rotation; }
    IntegerProperty *sizeProperty() const { return m_size; }
    DataFilterProperty *filterProperty() const { return m_filters; }
    PropertyItem *emphasisProperty() const { return m_emphasisGroup; }

    void retranslate() override;

public slots:
    void setPointCloud(PointCloud *pointCloud);
    void applyPosition(QVector3D value);
    void applyRotation(QVector3D value);
    void setPositionReadOnly(bool state);
    void setRotationReadOnly(bool state);
    void changeRotationMatrix(QMatrix4x4 rotMat);
    void changeTranslationMatrix(QMatrix4x4 transMat);

signals:
    void pointCloudChanged(PointCloud *pointCloud);
    void fusionPropertyChanged(bool value);
    void changeEmphasisedType(uchar type);

private:
    // Copies the cloud's pose into "Position" and "Rotation" when it moved.
    void refreshPose();

    int m_index;
    bool m_numbered = false;
    QPointer<PointCloud> m_pointCloud;
    BoolProperty *m_showCoordinate = nullptr;
    Vector3DProperty *m_position = nullptr;
    Vector3DProperty *m_rotation = nullptr;
    IntegerProperty *m_size = nullptr;
    DataFilterProperty *m_filters = nullptr;
    ColorModel *m_colorModel = nullptr;
    ColorLegendLayer *m_legend = nullptr;
    EmphasisColorModel *m_emphasis = nullptr;
    PropertyItem *m_emphasisGroup = nullptr;
    QMatrix4x4 m_rotationMatrix;
    QMatrix4x4 m_translationMatrix;
    // Set while the properties are filled from the cloud, so that they do not drive it back.
    bool m_following = false;
};
