#include "AxesFilter.h"
#include "BoolProperty.h"
#include "ColorModel.h"
#include "ColorScheme.h"
#include "DataFilterFactory.h"
#include "EmphasisColorModel.h"
#include "FloatProperty.h"
#include "IntegerProperty.h"
#include "LineBuilder.h"
#include "PointFilters.h"
#include "TestSupport.h"

#include <QThread>
#include <QtTest>

#include <atomic>
#include <cmath>

namespace {
constexpr int spotCount = 100;

// 100 spots with one echo each, ranges 1..100 in slot order, all points within 1 m of the origin.
VEXA3D_MEASUREMENT_DATA_T templateLine()
{
    std::vector<std::vector<EchoSpec>> spots;
    for (int s = 0; s < spotCount; ++s) {
        const double a = s * 0.0628;
        spots.push_back({EchoSpec{double(s + 1), 1000, std::cos(a) * 0.5, std::sin(a) * 0.5, 0.1}});
    }
    return makeLine(spots, 1);
}

// Plays the streaming thread: filters and colours copies of one line as fast as it can.
class LineWorker : public QThread
{
public:
    LineWorker(const QList<DataFilter *> &filters, const ColorModel *colors,
               const EmphasisColorModel *emphasis)
        : m_filters(filters), m_colors(colors), m_emphasis(emphasis), m_template(templateLine())
    {
    }

    std::atomic<int> lines{0};
    std::atomic<int> faults{0};
    std::atomic<int> lastLow{0};
    std::atomic<int> lastHigh{0};

protected:
    void run() override
    {
        while (!isInterruptionRequested()) {
            VEXA3D_MEASUREMENT_DATA_T line = m_template;
            for (AbstractDataFilter *f : DataFilterFactory::enabledFilters(m_filters))
                f->apply(line);
            const std::shared_ptr<const ColorFunction> colors = m_colors->colorFunction();
            int low = 0, high = -1, kept = 0;
            for (int s = 0; s < spotCount; ++s) {
                const VEXA3D_SPOT_T &spot = line.spots[size_t(s)];
                if (spot.echoes[0].range <= 0.0)
                    continue;
                if (kept == 0)
                    low = s + 1;
                else if (high != s) // one window keeps one unbroken run of ranges
                    ++faults;
                high = s + 1;
                ++kept;
                const QVector3D c = colors->color(spot, 0, line.lineNumber, 0, 0);
                const QVector3D e = m_emphasis->color(1, 1);
                for (float v : {c.x(), c.y(), c.z(), e.x(), e.y(), e.z()}) {
                    if (!(v >= 0.0f && v <= 1.0f))
                        ++faults;
                }
            }
            lastLow = low;
            lastHigh = kept ? high : -1;
            ++lines;
        }
    }

private:
    const QList<DataFilter *> m_filters;
    const ColorModel *m_colors;
    const EmphasisColorModel *m_emphasis;
    const VEXA3D_MEASUREMENT_DATA_T m_template;
};
} // namespace

class tst_CrossThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    // The GUI thread edits filters and colours while another thread filters and colours lines: no data race,
    // every line sees one consistent set of settings, and the last edit applies from the next line on.
    void editWhileStreaming()
    {
        QObject owner;
        const QList<DataFilter *> filters = DataFilterFactory::createAll(&owner);
        auto *range = qobject_cast<RangeFilter *>(filters.at(DataFilterFactory::Range));
        auto *level = qobject_cast<LevelFilter *>(filters.at(DataFilterFactory::Level));
        auto *axes = qobject_cast<AxesFilter *>(filters.at(DataFilterFactory::Axes));
        ColorModel colors(&owner);
        EmphasisColorModel emphasis(&owner);
        range->setEnabled(true);

        LineWorker worker(filters, &colors, &emphasis);
        worker.start();

        for (int i = 0; i < 400; ++i) {
            const int k = (i * 7) % 90;
            // Either end first, so that the window sometimes turns over and is mended.
            if (i % 2) {
                range->maxProperty()->setFloatValue(float(k + 10));
                range->minProperty()->setFloatValue(float(k));
            } else {
                range->minProperty()->setFloatValue(float(k));
                range->maxProperty()->setFloatValue(float(k + 10));
            }
            level->setEnabled(i % 3 == 0);
            level->maxProperty()->setIntValue(50000 + i);
            axes->setEnabled(i % 4 == 0);
            axes->heightFilter()->setEnabled(i % 5 != 0);
            QMatrix4x4 pose;
            pose.translate(0, 0, float(i % 9) * 0.5f);
            axes->setTranslationMatrix(pose);
            emit colors.setTranslationMatrix(pose);
            colors.scheme()->setMaxValue(float(5 + i % 20));
            if (i % 25 == 0)
                colors.setColorSchemeType(ColorSchemeFactory::ColorSchemeType((i / 25) % 3));
            if (i % 40 == 0)
                colors.setDataSelectorType(DataSelectorFactory::DataSelectorType((i / 40) % 5));
            emphasis.property()->setBoolValue(i % 2);
            // Replaced schemes and selectors are deleted here, while the worker runs.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (i % 50 == 0)
                QThread::msleep(1);
        }

        range->minProperty()->setFloatValue(30.0f);
        range->maxProperty()->setFloatValue(40.0f);
        axes->setEnabled(false);
        level->setEnabled(false);
        const int seen = worker.lines;
        QTRY_VERIFY_WITH_TIMEOUT(worker.lines >= seen + 2, 20000);
        worker.requestInterruption();
        worker.wait();

        qInfo("lines filtered while editing: %d", seen);
        QCOMPARE(worker.faults.load(), 0);
        QCOMPARE(worker.lastLow.load(), 30);
        QCOMPARE(worker.lastHigh.load(), 40);
    }
};

QTEST_MAIN(tst_CrossThread)
#include "tst_crossthread.moc"
