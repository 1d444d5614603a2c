// CPU of one frame of the 3D view in a main window, against a bare GL widget in the same window that only
// clears (what a GL widget pays for composing the window on every frame). Counts the whole process,
// rendering threads of a software OpenGL included. Run under Xvfb: xvfb-run -a ./bench_render_frame
// Goal: canvas_vs_bare_widget at most 0.5 (a full canvas frame costs under half of a bare widget's).
#include "Axis.h"
#include "Camera.h"
#include "Canvas.h"
#include "ColorLegendLayer.h"
#include "ColorModel.h"
#include "GridPlaneXY.h"
#include "PointCloud.h"
#include "Viewport.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDockWidget>
#include <QEventLoop>
#include <QLabel>
#include <QMainWindow>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QRandomGenerator>
#include <QTimer>

#include <sys/resource.h>

#include <cmath>
#include <memory>

namespace {
constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kPoints = 74 * 36; // one field of the simulator, one echo per spot

double processCpuSeconds()
{
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    return double(self.ru_utime.tv_sec + self.ru_stime.tv_sec) +
           double(self.ru_utime.tv_usec + self.ru_stime.tv_usec) / 1e6;
}

// A main window with a dock beside the view, as the viewer shows it.
std::unique_ptr<QMainWindow> makeWindow(QWidget *view)
{
    auto window = std::make_unique<QMainWindow>();
    auto *dock = new QDockWidget(QStringLiteral("Properties"), window.get());
    dock->setWidget(new QLabel(QStringLiteral("properties")));
    window->addDockWidget(Qt::LeftDockWidgetArea, dock);
    window->setCentralWidget(view);
    window->resize(kWidth, kHeight);
    window->show();
    return window;
}

// Waits for the next frame the signal reports; false after a second without one.
template <typename Sender, typename Signal> bool waitForFrame(Sender *sender, Signal signal)
{
    QEventLoop loop;
    QObject::connect(sender, signal, &loop, &QEventLoop::quit);
    QTimer::singleShot(1000, &loop, [&loop] { loop.exit(1); });
    return loop.exec() == 0;
}

class ClearWidget : public QOpenGLWidget, protected QOpenGLFunctions
{
protected:
    void initializeGL() override { initializeOpenGLFunctions(); }
    void paintGL() override
    {
        glClearColor(0.42f, 0.42f, 0.52f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
};

double bareWidgetSecondsPerFrame = 0.0;

void BM_BareGlWidgetFrame(benchmark::State &state)
{
    auto *widget = new ClearWidget;
    auto window = makeWindow(widget);
    widget->update();
    waitForFrame(widget, &QOpenGLWidget::frameSwapped);
    const double start = processCpuSeconds();
    for (auto _ : state) {
        widget->update();
        if (!waitForFrame(widget, &QOpenGLWidget::frameSwapped)) {
            state.SkipWithError("no frame");
            return;
        }
    }
    bareWidgetSecondsPerFrame = (processCpuSeconds() - start) / double(state.iterations());
}

void BM_CanvasFrame(benchmark::State &state)
{
    auto *canvas = new Canvas;
    canvas->setFrameRate(Canvas::maxFrameRate);
    Viewport *viewport = canvas->createViewport(QStringLiteral("Main"), QRectF(0, 0, 1, 1));
    viewport->camera()->setViewPreset(0);
    viewport->camera()->setDistance(30);
    Axis axis(nullptr, -100, -100, -100, 100, 100, 100, 2.0f);
    GridPlaneXY grid(nullptr, -100, 100, -100, 100, 0, 1);
    PointCloud cloud;
    viewport->addItem(&axis);
    viewport->addItem(&grid);
    viewport->addItem(&cloud);
    ColorModel model;
    ColorLegendLayer legend;
    legend.setColorModel(&model);
    canvas->addLayer(&legend);
    QVector<QVector3D> points(kPoints), colors(kPoints);
    QRandomGenerator rng(1);
    for (int i = 0; i < kPoints; ++i) {
        const float az = float(rng.generateDouble() * 2.0 * M_PI);
        const float r = 2.0f + 8.0f * float(rng.generateDouble());
        points[i] = QVector3D(r * std::cos(az), r * std::sin(az), float(rng.generateDouble()) * 3.0f);
        colors[i] = QVector3D(r / 10.0f, 1.0f - r / 10.0f, 0.5f);
    }
    auto window = makeWindow(canvas);
    cloud.addPoints(points, colors);
    waitForFrame(canvas, &Canvas::frameSwapped);
    const double start = processCpuSeconds();
    for (auto _ : state) {
        // Every frame shows a changed cloud, as while a sensor streams.
        cloud.resetPoints();
        cloud.addPoints(points, colors);
        if (!waitForFrame(canvas, &Canvas::frameSwapped)) {
            state.SkipWithError("no frame");
            return;
        }
    }
    const double perFrame = (processCpuSeconds() - start) / double(state.iterations());
    if (bareWidgetSecondsPerFrame > 0.0)
        state.counters["canvas_vs_bare_widget"] = perFrame / bareWidgetSecondsPerFrame;
}

BENCHMARK(BM_BareGlWidgetFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->MinTime(3.0);
BENCHMARK(BM_CanvasFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->MinTime(3.0);
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
