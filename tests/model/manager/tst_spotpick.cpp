#include "SpotPick.h"

#include "../../DataSelector/LineBuilder.h"

#include <QtTest>

using Echo = QVector4D; // x, y, z, range
using Spot = QVector<Echo>;
Q_DECLARE_METATYPE(QVector<Spot>)

// The pick finds the spot whose echo lies nearest to the ray's line, within the limit, among the
// received spots and their valid echoes only.
class tst_SpotPick : public QObject
{
    Q_OBJECT

private slots:
    void nearestSpot_data()
    {
        QTest::addColumn<QVector<Spot>>("spots");
        QTest::addColumn<int>("received");
        QTest::addColumn<float>("limit");
        QTest::addColumn<int>("spot");
        QTest::addColumn<float>("distance");

        const Spot far{Echo(3, 0.5f, 0, 3)};
        QTest::newRow("nearest of three")
            << QVector<Spot>{{Echo(2, 0.05f, 0, 2)}, {Echo(4, 0, 0.02f, 4)}, far} << 3 << 0.1f << 1 << 0.02f;
        QTest::newRow("nothing within the limit") << QVector<Spot>{far, far} << 2 << 0.1f << -1 << 0.1f;
        QTest::newRow("an echo without range is no hit")
            << QVector<Spot>{{Echo(2, 0.03f, 0, 2)}, {Echo(2, 0, 0, 0)}} << 2 << 0.1f << 0 << 0.03f;
        QTest::newRow("the second echo of a spot counts")
            << QVector<Spot>{{Echo(2, 0.09f, 0, 2)}, {Echo(2, 0.5f, 0, 2), Echo(5, 0.01f, 0, 5)}} << 2 << 0.1f
            << 1 << 0.01f;
        QTest::newRow("spots not yet received are no hit")
            << QVector<Spot>{{Echo(2, 0.06f, 0, 2)}, {Echo(2, 0, 0, 2)}} << 1 << 0.1f << 0 << 0.06f;
        QTest::newRow("of equally near echoes the first wins")
            << QVector<Spot>{far, {Echo(1, 0.04f, 0, 1)}, {Echo(9, -0.04f, 0, 9)}} << 3 << 0.1f << 1 << 0.04f;
        QTest::newRow("the whole line counts, also behind the origin")
            << QVector<Spot>{{Echo(-3, 0.02f, 0, 3)}} << 1 << 0.1f << 0 << 0.02f;
        QTest::newRow("a tighter limit from an earlier line")
            << QVector<Spot>{{Echo(2, 0.05f, 0, 2)}} << 1 << 0.04f << -1 << 0.04f;
    }

    void nearestSpot()
    {
        QFETCH(QVector<Spot>, spots);
        QFETCH(int, received);
        QFETCH(float, limit);
        QFETCH(int, spot);
        QFETCH(float, distance);

        std::vector<std::vector<EchoSpec>> echoes;
        for (const Spot &echoesOfSpot : spots) {
            echoes.emplace_back();
            for (const Echo &echo : echoesOfSpot)
                echoes.back().push_back(EchoSpec{echo.w(), 1000, echo.x(), echo.y(), echo.z()});
        }
        VEXA3D_MEASUREMENT_DATA_T line = makeLine(echoes);
        line.receivedSpotCount = uint16_t(received);
        line.motorFieldNumber = 3;
        line.remFieldNumber = 2;
        line.lineNumber = 17;

        const SpotPick pick = ::nearestSpot(line, Ray{QVector3D(0, 0, 0), QVector3D(1, 0, 0)}, limit);
        QCOMPARE(pick.spot, spot);
        QVERIFY(qAbs(pick.distance - distance) < 1e-6f);
        if (pick.found())
            QCOMPARE(QVector<int>({pick.motorField, pick.remField, pick.line}), QVector<int>({3, 2, 17}));
        else
            QCOMPARE(QVector<int>({pick.motorField, pick.remField, pick.line}), QVector<int>({-1, -1, -1}));
    }
};

QTEST_GUILESS_MAIN(tst_SpotPick)
#include "tst_spotpick.moc"
