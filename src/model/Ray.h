#pragma once

#include <QMetaType>
#include <QVector3D>

// A pick ray in world coordinates; direction has unit length.
struct Ray
{
    QVector3D origin;
    QVector3D direction;
};

Q_DECLARE_METATYPE(Ray)
