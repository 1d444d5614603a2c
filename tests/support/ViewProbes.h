#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QVector3D>

// Probes for the tests of what the view computes and draws (header only: those tests link Qt Gui).
namespace TestSupport {
inline bool near(const QVector3D &a, const QVector3D &b, float eps = 1e-4f)
{
    return (a - b).length() <= eps;
}

// True when some pixel of the area has the colour, channel by channel within the tolerance.
inline bool hasColor(const QImage &image, const QRect &area, const QColor &color, int tolerance = 12)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!image.valid(x, y))
                continue;
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - color.red()) <= tolerance && qAbs(c.green() - color.green()) <= tolerance &&
                qAbs(c.blue() - color.blue()) <= tolerance)
                return true;
        }
    }
    return false;
}
} // namespace TestSupport
