// CSV numbers: the "%g" text of every double, byte for byte as printf writes it, in any locale.
#include "GFormat.h"

#include <QLocale>
#include <QtTest>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <random>

namespace {

QByteArray formatted(double v)
{
    char buffer[GFormat::MaxGLength];
    return QByteArray(buffer, int(GFormat::appendG(buffer, v) - buffer));
}

QByteArray printed(double v)
{
    char buffer[64];
    return QByteArray(buffer, std::snprintf(buffer, sizeof buffer, "%g", v));
}

using Generator = std::function<double(std::mt19937_64 &)>;

} // namespace

Q_DECLARE_METATYPE(Generator)

class tst_GFormat : public QObject
{
    Q_OBJECT
private slots:
    // Rounding edges, ties, denormals and the special values.
    void awkwardValues()
    {
        const double inf = std::numeric_limits<double>::infinity();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double tiny = std::numeric_limits<double>::denorm_min();
        const double huge = std::numeric_limits<double>::max();
        const double angle = double(float(123) * 0.15f);
        // Each with both signs.
        const double values[] = {1.5e-05,   123456789.0,  0.1,         12.345678,          0.000123, 0.0,
                                 tiny,      huge,         100000.0,    999999.5,           100000.5, 100001.5,
                                 9.9999951, 9.999995e-05, 9.99999e-05, 1.5707963267948966, angle,    inf,
                                 nan};
        for (const double v : values) {
            QCOMPARE(formatted(v), printed(v));
            QCOMPARE(formatted(-v), printed(-v));
        }
        QCOMPARE(formatted(100001.5), QByteArray("100002"));
        QCOMPARE(formatted(-nan), QByteArray("-nan"));
    }

    // Millions of values of each kind against the C library in the C locale.
    void sameAsPrintf_data()
    {
        QTest::addColumn<Generator>("generate");
        QTest::newRow("any bit pattern") << Generator([](std::mt19937_64 &g) {
            const uint64_t bits = g();
            double v;
            std::memcpy(&v, &bits, sizeof v);
            return v;
        });
        QTest::newRow("log-uniform 1e-7 to 1e8") << Generator([](std::mt19937_64 &g) {
            const double v = std::pow(10.0, std::uniform_real_distribution<double>(-7, 8)(g));
            return (g() & 1) ? -v : v;
        });
        QTest::newRow("halves and quarters near ties") << Generator([](std::mt19937_64 &g) {
            const double k = double(g() % 20000000) + ((g() & 1) ? 0.5 : 0.25);
            return std::ldexp(k, -int(g() % 40));
        });
        QTest::newRow("next to powers of ten") << Generator([](std::mt19937_64 &g) {
            const double p = std::pow(10.0, int(g() % 16) - 6);
            const double toward = (g() & 1) ? 0.0 : 1e300;
            double v = p;
            for (int i = int(g() % 3); i > 0; --i)
                v = std::nextafter(v, toward);
            return v * (1.0 - double(int(g() % 3) - 1) * 5e-7);
        });
    }

    void sameAsPrintf()
    {
        QFETCH(Generator, generate);
        std::mt19937_64 g(20261206);
        int mismatches = 0;
        QByteArray first;
        char own[GFormat::MaxGLength];
        char libc[64];
        for (int i = 0; i < 1000000; ++i) {
            const double v = generate(g);
            const int n = int(GFormat::appendG(own, v) - own);
            const int m = std::snprintf(libc, sizeof libc, "%g", v);
            if ((n != m || std::memcmp(own, libc, size_t(n)) != 0) && mismatches++ == 0)
                first = QByteArray::number(v, 'g', 17) + ": " + formatted(v) + " != " + printed(v);
        }
        QVERIFY2(mismatches == 0, first.constData());
    }

    void localeChangesNothing()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        // The C library keeps "C" where no German locale is installed; the text must not depend on either.
        const char *previous = std::setlocale(LC_NUMERIC, nullptr);
        const QByteArray saved = previous ? QByteArray(previous) : QByteArray("C");
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
        const QByteArray text = formatted(-1234.5678);
        std::setlocale(LC_NUMERIC, saved.constData());
        QLocale::setDefault(before);
        QCOMPARE(text, QByteArray("-1234.57"));
    }
};

QTEST_GUILESS_MAIN(tst_GFormat)
#include "tst_gformat.moc"
