// Draw rate of a PointCloud against a bare glDrawArrays of the same data, and the cost of a changed frame.
// Run under Xvfb: xvfb-run -a ./bench_render_pointcloud
#include "Camera.h"
#include "PointCloud.h"
#include "Viewport.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLBuffer>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions_2_0>
#include <QOpenGLShaderProgram>
#include <QOpenGLVertexArrayObject>
#include <QRandomGenerator>

#include <memory>

namespace {
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

struct GlEnv
{
    QOffscreenSurface surface;
    QOpenGLContext context;
    std::unique_ptr<QOpenGLFramebufferObject> fbo;
    QOpenGLFunctions_2_0 *gl = nullptr;
    Viewport viewport;

    bool init()
    {
        surface.create();
        if (!context.create() || !context.makeCurrent(&surface))
            return false;
        gl = context.versionFunctions<QOpenGLFunctions_2_0>();
        if (!gl)
            return false;
        fbo = std::make_unique<QOpenGLFramebufferObject>(kWidth, kHeight,
                                                         QOpenGLFramebufferObject::CombinedDepthStencil);
        fbo->bind();
        viewport.setSceneSize(QSize(kWidth, kHeight));
        viewport.camera()->setViewPreset(0);
        viewport.camera()->setDistance(30);
        gl->glViewport(0, 0, kWidth, kHeight);
        gl->glEnable(GL_DEPTH_TEST);
        return true;
    }
};

GlEnv *env = nullptr;

// A scan-like cloud: points on a half sphere of 5..20 m with smoothly varying colours.
void makeCloud(int n, QVector<QVector3D> &points, QVector<QVector3D> &colors, quint32 seed)
{
    QRandomGenerator rng(seed);
    points.resize(n);
    colors.resize(n);
    for (int i = 0; i < n; ++i) {
        const float az = float(rng.generateDouble() * 2.0 * M_PI);
        const float el = float(rng.generateDouble() * 0.5 * M_PI);
        const float r = 5.0f + 15.0f * float(rng.generateDouble());
        points[i] =
            QVector3D(r * std::cos(el) * std::cos(az), r * std::cos(el) * std::sin(az), r * std::sin(el));
        colors[i] = QVector3D(r / 20.0f, 1.0f - r / 20.0f, 0.5f);
    }
}

void clearFrame()
{
    env->gl->glClearColor(0.42f, 0.42f, 0.52f, 1.0f);
    env->gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void setRate(benchmark::State &state, int points)
{
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetItemsProcessed(int64_t(state.iterations()) * points);
}

void BM_PointCloudDraw(benchmark::State &state)
{
    const int n = int(state.range(0));
    QVector<QVector3D> points, colors;
    makeCloud(n, points, colors, 1);
    PointCloud cloud;
    cloud.addPoints(points, colors);
    env->viewport.addItem(&cloud);
    const Camera *camera = env->viewport.camera();
    cloud.setProjectionMatrix(camera->projectionMatrix());
    cloud.setViewMatrix(camera->viewMatrix());
    cloud.render(&env->context); // first frame uploads
    env->gl->glFinish();
    for (auto _ : state) {
        clearFrame();
        cloud.render(&env->context);
        env->gl->glFinish();
    }
    env->viewport.removeItem(&cloud);
    setRate(state, n);
}

void BM_BareDrawArrays(benchmark::State &state)
{
    const int n = int(state.range(0));
    QVector<QVector3D> points, colors;
    makeCloud(n, points, colors, 1);
    QOpenGLShaderProgram program;
    program.addShaderFromSourceCode(QOpenGLShader::Vertex, RenderableItem::perVertexColorVertexShader());
    program.addShaderFromSourceCode(QOpenGLShader::Fragment, RenderableItem().fragmentShaderSource());
    if (!program.link()) {
        state.SkipWithError("shader link failed");
        return;
    }
    QOpenGLVertexArrayObject vao;
    vao.create();
    program.bind();
    vao.bind();
    QOpenGLBuffer positions(QOpenGLBuffer::VertexBuffer), colorBuffer(QOpenGLBuffer::VertexBuffer);
    for (auto pair : {std::make_pair(&positions, &points), std::make_pair(&colorBuffer, &colors)}) {
        pair.first->create();
        pair.first->bind();
        pair.first->allocate(pair.second->constData(), n * 12);
        program.enableAttributeArray(pair.first == &positions ? "vPosition" : "vColor");
        program.setAttributeBuffer(pair.first == &positions ? "vPosition" : "vColor", GL_FLOAT, 0, 3, 0);
        pair.first->release();
    }
    const Camera *camera = env->viewport.camera();
    program.setUniformValue("mProjection", camera->projectionMatrix());
    program.setUniformValue("mView", camera->viewMatrix());
    program.setUniformValue("mModel", QMatrix4x4());
    env->gl->glPointSize(2.0f);
    for (auto _ : state) {
        clearFrame();
        env->gl->glDrawArrays(GL_POINTS, 0, n);
        env->gl->glFinish();
    }
    env->gl->glPointSize(1.0f);
    vao.release();
    program.release();
    setRate(state, n);
}

void BM_PointCloudChangedFrame(benchmark::State &state)
{
    // One full frame replaced and uploaded per iteration, as when a sensor delivers a new scan.
    const int n = int(state.range(0));
    QVector<QVector3D> points, colors;
    makeCloud(n, points, colors, 2);
    PointCloud cloud;
    const Camera *camera = env->viewport.camera();
    cloud.setProjectionMatrix(camera->projectionMatrix());
    cloud.setViewMatrix(camera->viewMatrix());
    cloud.addPoints(points, colors);
    cloud.render(&env->context);
    env->gl->glFinish();
    for (auto _ : state) {
        cloud.resetPoints();
        cloud.addPoints(points, colors);
        clearFrame();
        cloud.render(&env->context);
        env->gl->glFinish();
    }
    setRate(state, n);
}

BENCHMARK(BM_BareDrawArrays)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PointCloudDraw)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PointCloudChangedFrame)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    GlEnv glEnv;
    if (!glEnv.init()) {
        fprintf(stderr, "no OpenGL 2.0 context\n");
        return 1;
    }
    env = &glEnv;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    env = nullptr;
    glEnv.fbo.reset();
    return 0;
}
