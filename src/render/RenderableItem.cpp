#include "RenderableItem.h"

#include <QOpenGLBuffer>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLVertexArrayObject>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

#ifndef GL_ALPHA_TEST
#define GL_ALPHA_TEST 0x0BC0
#endif

RenderableItem::RenderableItem(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<Ray>("Ray");
}

RenderableItem::~RenderableItem() = default;

bool RenderableItem::hasAlphaTest(const QOpenGLContext *context)
{
    // The fixed-function alpha test exists only in desktop contexts that are not core profiles.
    return context && !context->isOpenGLES() && context->format().profile() != QSurfaceFormat::CoreProfile;
}

QByteArray RenderableItem::adaptShaderSource(const QByteArray &source, bool vertex,
                                             const QOpenGLContext *context)
{
    // The sources are written for GLSL 1.10 and GLSL ES 1.00; a core profile needs the 1.50 words.
    if (!context || context->isOpenGLES() || context->format().profile() != QSurfaceFormat::CoreProfile)
        return source;
    QByteArray header("#version 150\n");
    if (vertex)
        header += "#define attribute in\n#define varying out\n";
    else
        header += "#define varying in\nout vec4 coreFragColor;\n#define gl_FragColor coreFragColor\n";
    return header + source;
}

QByteArray RenderableItem::perVertexColorVertexShader()
{
    return QByteArrayLiteral(
        "attribute mediump vec3 vPosition;attribute mediump vec3 vColor;varying lowp vec4 "
        "fragColor;uniform mat4 mView;uniform mat4 mProjection;uniform mat4 mModel;void "
        "main() {  gl_Position = mProjection * mView * mModel * vec4(vPosition, 1.0);  "
        "fragColor=vec4(vColor, 1.0);}");
}

QByteArray RenderableItem::uniformColorVertexShader()
{
    return QByteArrayLiteral(
        "attribute mediump vec3 vPosition;varying lowp vec4 fragColor;uniform mat4 "
        "mView;uniform mat4 mProjection;uniform mat4 mModel;uniform vec4 color;void main() "
        "{  gl_Position = mProjection * mView * mModel * vec4(vPosition,1.0);  "
        "fragColor=color;}");
}

void RenderableItem::sortByZOrder(QList<RenderableItem *> &items)
{
    std::stable_sort(items.begin(), items.end(), [](const RenderableItem *a, const RenderableItem *b) {
        return a->ZOrder() < b->ZOrder();
    });
}

void RenderableItem::render(QOpenGLContext *context)
{
    if (!m_initialized)
        initialize(context);

    bool blend = m_alphaChannel;
    for (const RenderableItem *child : qAsConst(m_children))
        blend = blend || child->alphaChannel();

    QOpenGLFunctions *f = context->functions();
    const bool alphaTest = hasAlphaTest(context);
    if (blend) {
        f->glDisable(GL_DEPTH_TEST);
        if (alphaTest)
            f->glDisable(GL_ALPHA_TEST);
        f->glEnable(GL_BLEND);
        f->glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        f->glDisable(GL_BLEND);
        f->glEnable(GL_DEPTH_TEST);
        if (alphaTest)
            f->glEnable(GL_ALPHA_TEST);
    }

    // A copy, so that items may be added while drawing.
    QList<RenderableItem *> children = m_children;
    sortByZOrder(children);
    for (RenderableItem *child : qAsConst(children))
        child->render(context);
}

void RenderableItem::initialize(QOpenGLContext *context)
{
    const QList<RenderableItem *> children = m_children;
    for (RenderableItem *child : children)
        child->initialize(context);
    m_initialized = true;
}

void RenderableItem::paintOverlay(QPainter *painter, QRect rect)
{
    const QList<RenderableItem *> children = m_children;
    for (RenderableItem *child : children)
        child->paintOverlay(painter, rect);
}

QByteArray RenderableItem::vertexShaderSource() const
{
    return QByteArray();
}

QByteArray RenderableItem::fragmentShaderSource() const
{
    return QByteArrayLiteral("varying lowp vec4 fragColor;void main() {  gl_FragColor = fragColor;}");
}

float RenderableItem::boundingRadius() const
{
    return 1.0f;
}

RenderableItem *RenderableItem::parentItem() const
{
    return qobject_cast<RenderableItem *>(parent());
}

QMatrix4x4 RenderableItem::projectionMatrix() const
{
    for (QObject *p = parent(); p; p = p->parent()) {
        if (auto *item = qobject_cast<RenderableItem *>(p))
            return item->projectionMatrix();
    }
    return m_projectionMatrix;
}

QMatrix4x4 RenderableItem::viewMatrix() const
{
    for (QObject *p = parent(); p; p = p->parent()) {
        if (auto *item = qobject_cast<RenderableItem *>(p))
            return item->viewMatrix();
    }
    return m_viewMatrix;
}

QMatrix4x4 RenderableItem::modelMatrix() const
{
    QMatrix4x4 base;
    if (RenderableItem *p = parentItem())
        base = p->modelMatrix();
    return base * m_translationMatrix * m_rotationMatrix * m_scaleMatrix;
}

void RenderableItem::addChild(RenderableItem *child)
{
    if (!child)
        return;
    child->setParent(this);
    child->setProjectionMatrix(projectionMatrix());
    child->setViewMatrix(viewMatrix());
    m_children.append(child);
    connect(child, &RenderableItem::changed, this, &RenderableItem::changed);
    emit childAdded();
    emit changed();
}

void RenderableItem::removeChild(RenderableItem *child)
{
    if (!child)
        return;
    m_children.removeAll(child);
    disconnect(child, nullptr, this, nullptr);
    child->setParent(nullptr);
    emit childRemoved();
    emit changed();
}

void RenderableItem::rebuildRotation()
{
    m_rotationMatrix.setToIdentity();
    m_rotationMatrix.rotate(m_rotZ, 0.0f, 0.0f, 1.0f);
    m_rotationMatrix.rotate(m_rotY, 0.0f, 1.0f, 0.0f);
    m_rotationMatrix.rotate(m_rotX, 1.0f, 0.0f, 0.0f);
    emit changeRotationMatrix(m_rotationMatrix);
    emit changed();
}

void RenderableItem::setRotation(Axis axis, float angle)
{
    switch (axis) {
    case X_Axis:
        m_rotX = angle;
        break;
    case Y_Axis:
        m_rotY = angle;
        break;
    case Z_Axis:
        m_rotZ = angle;
        break;
    }
    rebuildRotation();
}

void RenderableItem::setRotation(const QVector3D &angles)
{
    m_rotX = angles.x();
    m_rotY = angles.y();
    m_rotZ = angles.z();
    rebuildRotation();
}

void RenderableItem::resetRotation()
{
    setRotation(QVector3D());
}

void RenderableItem::translate(const QVector3D &v)
{
    setPos(m_position + v);
}

void RenderableItem::scale(const QVector3D &v)
{
    m_scaleMatrix.scale(v);
    emit changed();
    emit changeScaleMatrix(m_scaleMatrix);
}

void RenderableItem::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    emit changed();
}

bool RenderableItem::isVisible() const
{
    if (!m_visible)
        return false;
    for (QObject *p = parent(); p; p = p->parent()) {
        if (auto *item = qobject_cast<RenderableItem *>(p)) {
            if (!item->isVisibleSelf())
                return false;
        }
    }
    return true;
}

float RenderableItem::hitTest(const Ray &ray) const
{
    if (!isVisible() || !m_selectable)
        return -1.0f;
    // The distance along the ray to the bounding sphere, so that sorting by it puts the nearest item first.
    const float a = QVector3D::dotProduct(ray.direction, ray.direction);
    if (a <= 0.0f)
        return -1.0f;
    const QVector3D oc = ray.origin - m_position;
    const float b = QVector3D::dotProduct(oc, ray.direction);
    const float r = boundingRadius();
    const float c = QVector3D::dotProduct(oc, oc) - r * r;
    const float discriminant = b * b - a * c;
    if (discriminant <= 0.0f)
        return -1.0f;
    const float root = std::sqrt(discriminant);
    const float nearHit = (-b - root) / a;
    if (nearHit > 0.0f)
        return nearHit;
    // The ray starts inside the sphere: nothing can be nearer.
    return (-b + root) / a > 0.0f ? std::numeric_limits<float>::min() : -1.0f;
}

void RenderableItem::setZOrder(int ZOrder)
{
    if (m_ZOrder == ZOrder)
        return;
    m_ZOrder = ZOrder;
    emit ZOrderChanged(ZOrder);
    emit changed();
}

void RenderableItem::setName(QString name)
{
    if (m_name == name)
        return;
    m_name = name;
    emit nameChanged(m_name);
}

void RenderableItem::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    emit selectedChanged(selected);
}

void RenderableItem::setSelectable(bool selectable)
{
    if (m_selectable == selectable)
        return;
    m_selectable = selectable;
    emit selectableChanged(selectable);
}

void RenderableItem::setPos(QVector3D pos)
{
    if (m_position == pos)
        return;
    m_position = pos;
    m_translationMatrix.setToIdentity();
    m_translationMatrix.translate(pos);
    emit changeTranslationMatrix(m_translationMatrix);
    emit changed();
}

void RenderableItem::setViewMatrix(QMatrix4x4 viewMatrix)
{
    m_viewMatrix = viewMatrix;
}

void RenderableItem::setProjectionMatrix(QMatrix4x4 projectionMatrix)
{
    m_projectionMatrix = projectionMatrix;
}

void RenderableItem::setAlphaChannel(bool alphaChannel)
{
    if (m_alphaChannel == alphaChannel)
        return;
    m_alphaChannel = alphaChannel;
    emit alphaChannelChanged(alphaChannel);
}

void RenderableItem::initializeProgram(QOpenGLContext *context)
{
    if (!m_program)
        m_program = new QOpenGLShaderProgram(this);
    m_program->addShaderFromSourceCode(QOpenGLShader::Vertex,
                                       adaptShaderSource(vertexShaderSource(), true, context));
    m_program->addShaderFromSourceCode(QOpenGLShader::Fragment,
                                       adaptShaderSource(fragmentShaderSource(), false, context));
    if (m_program->link()) {
        if (!m_vao)
            m_vao = new QOpenGLVertexArrayObject(this);
        m_vao->create();
        m_program->bind();
        m_vao->bind();
        setupBuffers(context->functions());
        m_vao->release();
        m_program->release();
    } else {
        qWarning() << "shader link failed:" << m_program->log();
    }
    m_initialized = true;
}

void RenderableItem::setupBuffers(QOpenGLFunctions *) {}

void RenderableItem::bindAttributes() {}

void RenderableItem::paintItem(QOpenGLContext *context)
{
    if (!isVisible() || !m_program || !m_program->isLinked())
        return;
    QOpenGLFunctions *gl = context->functions();
    const bool hasVao = m_vao && m_vao->isCreated();
    m_program->bind();
    if (hasVao)
        m_vao->bind();
    else
        bindAttributes();
    m_program->setUniformValue("mProjection", projectionMatrix());
    m_program->setUniformValue("mView", viewMatrix());
    m_program->setUniformValue("mModel", modelMatrix());
    draw(gl);
    if (hasVao) {
        m_vao->release();
    } else {
        // Without a vertex array object the enabled arrays are global state; leave none behind.
        m_program->disableAttributeArray("vPosition");
        m_program->disableAttributeArray("vColor");
    }
    m_program->release();
}

void RenderableItem::draw(QOpenGLFunctions *) {}

void RenderableItem::createBuffer(QOpenGLBuffer &buffer, const void *data, int bytes)
{
    buffer.create();
    buffer.bind();
    buffer.setUsagePattern(QOpenGLBuffer::StaticDraw);
    buffer.allocate(data, bytes);
}

void RenderableItem::bindAttribute(QOpenGLBuffer &buffer, const char *attribute)
{
    if (!m_program || !buffer.isCreated())
        return;
    buffer.bind();
    m_program->enableAttributeArray(attribute);
    m_program->setAttributeBuffer(attribute, GL_FLOAT, 0, 3, 0);
    buffer.release();
}

void RenderableItem::uploadBuffer(QOpenGLBuffer &buffer, const void *data, int bytes)
{
    if (!buffer.isCreated())
        return;
    buffer.bind();
    if (buffer.size() == bytes)
        buffer.write(0, data, bytes);
    else
        buffer.allocate(data, bytes);
    buffer.release();
}
