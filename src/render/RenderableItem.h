#pragma once

#include "Ray.h"

#include <QByteArray>
#include <QList>
#include <QMatrix4x4>
#include <QObject>
#include <QRect>
#include <QVector3D>

class QOpenGLBuffer;
class QOpenGLContext;
class QOpenGLFunctions;
class QOpenGLShaderProgram;
class QOpenGLVertexArrayObject;
class QPainter;

// Base of everything drawn in the 3D view: program, vertex array object, model transform, children, Z order.
class RenderableItem : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int ZOrder READ ZOrder WRITE setZOrder NOTIFY ZOrderChanged)
    Q_PROPERTY(bool selectable READ isSelectable WRITE setSelectable NOTIFY selectableChanged)
    Q_PROPERTY(bool selected READ isSelected WRITE setSelected NOTIFY selectedChanged)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(bool alphaChannel READ alphaChannel WRITE setAlphaChannel NOTIFY alphaChannelChanged)

public:
    enum Axis
    {
        X_Axis = 0,
        Y_Axis = 1,
        Z_Axis = 2
    };
    Q_ENUM(Axis)

    explicit RenderableItem(QObject *parent = nullptr);
    ~RenderableItem() override;

    virtual void render(QOpenGLContext *context);
    virtual void initialize(QOpenGLContext *context);
    virtual void paintOverlay(QPainter *painter, QRect rect);
    virtual QByteArray vertexShaderSource() const;
    // The context's own dialect of a shader source, and whether it has the fixed-function alpha test.
    static QByteArray adaptShaderSource(const QByteArray &source, bool vertex, const QOpenGLContext *context);
    static bool hasAlphaTest(const QOpenGLContext *context);
    virtual QByteArray fragmentShaderSource() const;
    virtual float boundingRadius() const;
    virtual QMatrix4x4 projectionMatrix() const;
    virtual QMatrix4x4 viewMatrix() const;
    virtual QMatrix4x4 modelMatrix() const;

    // The two vertex programs the primitives and point clouds share.
    static QByteArray perVertexColorVertexShader();
    static QByteArray uniformColorVertexShader();

    void addChild(RenderableItem *child);
    void removeChild(RenderableItem *child);
    QList<RenderableItem *> children() const { return m_children; }

    void setRotation(Axis axis, float angle);
    void setRotation(const QVector3D &angles);
    QVector3D rotation() const { return QVector3D(m_rotX, m_rotY, m_rotZ); }
    void translate(const QVector3D &v);
    void scale(const QVector3D &v);

    void setVisible(bool visible);
    // Visible only when the item and every RenderableItem ancestor are.
    bool isVisible() const;
    bool isVisibleSelf() const { return m_visible; }

    // Distance along the ray to the bounding sphere; positive means a hit, -1 for a miss or when not
    // pickable.
    float hitTest(const Ray &ray) const;

    QVector3D pos() const { return m_position; }
    QMatrix4x4 rotationMatrix() const { return m_rotationMatrix; }
    QMatrix4x4 translationMatrix() const { return m_translationMatrix; }
    QMatrix4x4 scaleMatrix() const { return m_scaleMatrix; }
    bool isInitialized() const { return m_initialized; }
    bool isSelectable() const { return m_selectable; }
    bool isSelected() const { return m_selected; }
    QString name() const { return m_name; }
    int ZOrder() const { return m_ZOrder; }
    bool alphaChannel() const { return m_alphaChannel; }

    static void sortByZOrder(QList<RenderableItem *> &items);

public slots:
    void setZOrder(int ZOrder);
    virtual void setName(QString name);
    virtual void setSelected(bool selected);
    virtual void setSelectable(bool selectable);
    virtual void setPos(QVector3D pos);
    virtual void setViewMatrix(QMatrix4x4 viewMatrix);
    virtual void setProjectionMatrix(QMatrix4x4 projectionMatrix);
    void resetRotation();
    void setAlphaChannel(bool alphaChannel);

signals:
    void changed();
    void ZOrderChanged(int order);
    void selectableChanged(bool state);
    void selectedChanged(bool state);
    void nameChanged(QString name);
    void childAdded();
    void childRemoved();
    void changeTranslationMatrix(QMatrix4x4 transMat);
    void changeRotationMatrix(QMatrix4x4 rotMat);
    void changeScaleMatrix(QMatrix4x4 scaMat);
    void alphaChannelChanged(bool alphaChannel);

protected:
    // Links the program and, when that works, runs setupBuffers() with program and VAO bound.
    void initializeProgram(QOpenGLContext *context);
    // Buffer creation and attribute bindings of a subclass.
    virtual void setupBuffers(QOpenGLFunctions *gl);
    // Binds the item's buffers to its attributes; part of setupBuffers(), and repeated before every draw
    // when the context has no vertex array objects.
    virtual void bindAttributes();
    // Binds program and VAO, sets the matrix uniforms and calls draw() when the item is visible.
    void paintItem(QOpenGLContext *context);
    virtual void draw(QOpenGLFunctions *gl);

    // Creates a static vertex or index buffer holding the bytes.
    static void createBuffer(QOpenGLBuffer &buffer, const void *data, int bytes);
    // Binds a buffer of three floats per vertex to the attribute of the current program.
    void bindAttribute(QOpenGLBuffer &buffer, const char *attribute);
    // Writes bytes from offset 0, reallocating only when the size changed.
    static void uploadBuffer(QOpenGLBuffer &buffer, const void *data, int bytes);

    RenderableItem *parentItem() const;
    void rebuildRotation();

    bool m_visible = true;
    QVector3D m_position;
    float m_rotX = 0.0f;
    float m_rotY = 0.0f;
    float m_rotZ = 0.0f;
    QMatrix4x4 m_projectionMatrix;
    QMatrix4x4 m_viewMatrix;
    QMatrix4x4 m_rotationMatrix;
    QMatrix4x4 m_translationMatrix;
    QMatrix4x4 m_scaleMatrix;
    QOpenGLShaderProgram *m_program = nullptr;
    QOpenGLVertexArrayObject *m_vao = nullptr;
    bool m_initialized = false;
    QList<RenderableItem *> m_children;
    bool m_selectable = false;
    bool m_selected = false;
    QString m_name;
    int m_ZOrder = 1;
    bool m_alphaChannel = false;
};
