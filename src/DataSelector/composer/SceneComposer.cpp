#include "SceneComposer.h"

#include "Axis.h"
#include "Camera.h"
#include "CameraProperty.h"
#include "Canvas.h"
#include "ColorProperty.h"
#include "ComboBoxProperty.h"
#include "GridPlaneXY.h"
#include "IntegerProperty.h"
#include "LayerItem.h"
#include "Scene.h"
#include "Viewport.h"

#include <QIcon>

namespace {
const QString mainViewportName = QStringLiteral("Main");
const QString topViewportName = QStringLiteral("Top");
// A quarter of the width and height, in the bottom-right corner, above the main view.
const QRectF topInsetRect(0.75, 0.75, 0.25, 0.25);
} // namespace

SceneComposer::SceneComposer(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<Ray>("Ray");

    m_group = new PropertyItem(this);
    m_group->setKey(QStringLiteral("canvas"));
    m_group->setIcon(QIcon(QStringLiteral(":/icons/canvas")));

    m_cameraProperty = new CameraProperty(this);

    m_backgroundColor = new ColorProperty(this);
    m_backgroundColor->setKey(QStringLiteral("background_color"));
    m_backgroundColor->setIcon(QIcon(QStringLiteral(":/icons/background")));
    m_backgroundColor->setColorValue(QColor(108, 108, 132));
    m_backgroundColor->setDefaultValue(m_backgroundColor->value());

    m_viewport = new ComboBoxProperty(this);
    m_viewport->setKey(QStringLiteral("viewport"));
    m_viewport->setIcon(QIcon(QStringLiteral(":/icons/layout")));
    m_viewport->addOption(QStringLiteral("No Viewport"), NoViewport);
    m_viewport->addOption(QStringLiteral("Top View"), TopView);

    m_frameRate = new IntegerProperty(this);
    m_frameRate->setKey(QStringLiteral("frame_rate"));
    m_frameRate->setMinValue(Canvas::minFrameRate);
    m_frameRate->setMaxValue(Canvas::maxFrameRate);
    m_frameRate->setIntValue(Canvas::defaultFrameRate);
    m_frameRate->setDefaultValue(Canvas::defaultFrameRate);

    m_group->addChild(m_cameraProperty);
    m_group->addChild(m_backgroundColor);
    m_group->addChild(m_viewport);
    m_group->addChild(m_frameRate);

    m_axis = new Axis(this, -100.0f, -100.0f, -100.0f, 100.0f, 100.0f, 100.0f, 2.0f);
    m_grid = new GridPlaneXY(this, -100.0f, 100.0f, -100.0f, 100.0f, 0.0f, 1.0f);

    connect(m_backgroundColor, &ColorProperty::colorValueChanged, this, [this](const QColor &color) {
        if (m_canvas && color.isValid())
            m_canvas->setBackgroundColor(color);
    });
    for (RenderableItem *item :
         {static_cast<RenderableItem *>(m_axis), static_cast<RenderableItem *>(m_grid)}) {
        connect(item, &RenderableItem::changed, this, [this] {
            if (m_canvas)
                m_canvas->scheduleRepaint();
        });
    }
    connect(m_frameRate, &PropertyItem::valueChanged, this, [this] {
        if (m_canvas)
            m_canvas->setFrameRate(m_frameRate->intValue());
    });
    connect(m_viewport, &PropertyItem::valueChanged, this,
            [this] { setViewportLayout(m_viewport->optionValue()); });
    // The camera property only ever follows the main camera, so its clicks are the composer's clicks,
    // whichever layout created the main viewport.
    connect(m_cameraProperty, &CameraProperty::setMouseRay, this, &SceneComposer::setMouseRay);
    retranslate();
}

SceneComposer::~SceneComposer() = default;

Canvas *SceneComposer::canvas() const
{
    return m_canvas;
}

void SceneComposer::setCanvas(Canvas *canvas)
{
    if (canvas == m_canvas)
        return;
    if (m_canvas)
        disconnect(m_canvas, nullptr, this, nullptr);
    m_canvas = canvas;
    if (!m_canvas)
        return;
    const QColor background = m_canvas->backgroundColor();
    m_backgroundColor->setColorValue(background);
    m_backgroundColor->setDefaultValue(m_backgroundColor->value());
    m_canvas->setFrameRate(m_frameRate->intValue());
    for (LayerItem *layer : qAsConst(m_layers))
        m_canvas->addLayer(layer);
    setViewportLayout(m_viewport->optionValue());
}

void SceneComposer::addItem(RenderableItem *item)
{
    if (!item || m_items.contains(item))
        return;
    m_items.append(item);
    connect(item, &QObject::destroyed, this, [this, item] { m_items.removeAll(item); });
}

void SceneComposer::addLayer(LayerItem *layer)
{
    if (!layer || m_layers.contains(layer))
        return;
    m_layers.append(layer);
    layer->setKeepClear(m_keepClear);
    connect(layer, &QObject::destroyed, this, [this, layer] { m_layers.removeAll(layer); });
    if (m_canvas)
        m_canvas->addLayer(layer);
}

void SceneComposer::setViewportLayout(int layout)
{
    if (!m_canvas)
        return;
    switch (layout) {
    case NoViewport:
        ensureMainViewport();
        if (Viewport *top = m_canvas->takeViewport(topViewportName))
            top->deleteLater();
        setKeepClear({});
        break;
    case TopView:
        ensureMainViewport();
        if (!m_canvas->hasViewport(topViewportName)) {
            Viewport *top = m_canvas->createViewport(topViewportName, topInsetRect);
            top->camera()->setViewPreset(3);
            top->setZOrder(2);
            populate(top);
        }
        // Legends move out of the inset's way.
        setKeepClear({topInsetRect});
        break;
    default:
        break;
    }
}

void SceneComposer::setKeepClear(const QList<QRectF> &areas)
{
    m_keepClear = areas;
    for (LayerItem *layer : qAsConst(m_layers))
        layer->setKeepClear(areas);
}

void SceneComposer::ensureMainViewport()
{
    if (!m_canvas->hasViewport(mainViewportName)) {
        Viewport *main = m_canvas->createViewport(mainViewportName, QRectF(0.0, 0.0, 1.0, 1.0));
        main->camera()->setViewPreset(0);
        main->setZOrder(1);
        populate(main);
    }
    m_cameraProperty->setCamera(m_canvas->viewport(mainViewportName)->camera());
}

void SceneComposer::populate(Viewport *viewport)
{
    viewport->addItem(m_axis);
    viewport->addItem(m_grid);
    for (RenderableItem *item : qAsConst(m_items))
        viewport->addItem(item);
}

void SceneComposer::zoomOut()
{
    if (Camera *camera = m_cameraProperty->camera())
        camera->zoomOut();
}

void SceneComposer::zoomIn()
{
    if (Camera *camera = m_cameraProperty->camera())
        camera->zoomIn();
}

void SceneComposer::retranslate()
{
    m_group->setName(tr("Canvas"));
    m_backgroundColor->setName(tr("Background Color"));
    m_viewport->setName(tr("Viewport"));
    m_frameRate->setName(tr("Frame Rate"));
    m_viewport->updateOptionLabel(tr("No Viewport"), NoViewport);
    m_viewport->updateOptionLabel(tr("Top View"), TopView);
    m_cameraProperty->retranslate();
    m_backgroundColor->retranslate();
    m_viewport->retranslate();
    m_group->retranslate();
}
