#include "ScanManager.h"

#include "RenderableItem.h"

QVector3D ScanManager::cloudRotation() const
{
    const RenderableItem *item = viewObject();
    return item ? item->rotation() : QVector3D();
}

QVector3D ScanManager::cloudPosition() const
{
    const RenderableItem *item = viewObject();
    return item ? item->pos() : QVector3D();
}
