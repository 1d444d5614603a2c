#include "SerieProperty.h"

#include <QPainter>
#include <QStyleOptionViewItem>
#include <algorithm>
#include <limits>

namespace {
template <typename T>
void paintSerie(QPainter *painter, const QStyleOptionViewItem &option, const QList<T> &samples, T largest,
                T smallest, int maxCount, const QColor &color)
{
    PropertyItem::paintCellBackground(painter, option);
    if (samples.isEmpty())
        return;
    painter->save();
    painter->setPen(color);
    painter->translate(option.rect.topLeft());
    const double range = double(largest) - double(smallest);
    if (range > 0 && maxCount > 0) {
        const double w = option.rect.width();
        const double h = option.rect.height();
        const double xStep = w / maxCount;
        const double yScale = h / range;
        QPoint previous(0, int(h / 2));
        for (int i = 0; i < samples.size(); ++i) {
            const QPoint point(qRound(i * xStep),
                               int(h) - qRound((double(samples.at(i)) - double(smallest)) * yScale));
            painter->drawLine(previous, point);
            previous = point;
        }
    }
    painter->restore();
}
// Keeps the newest maxCount samples; the scale follows the samples held, so it shrinks again when an
// outlier leaves the graph.
template <typename T> void keepNewest(QList<T> &samples, int maxCount, T &largest, T &smallest)
{
    bool dropped = false;
    while (samples.size() > qMax(maxCount, 0)) {
        samples.removeFirst();
        dropped = true;
    }
    if (samples.isEmpty())
        return;
    if (!dropped) {
        largest = qMax(largest, samples.last());
        smallest = qMin(smallest, samples.last());
        return;
    }
    largest = *std::max_element(samples.cbegin(), samples.cend());
    smallest = *std::min_element(samples.cbegin(), samples.cend());
}
} // namespace

IntegerSerieProperty::IntegerSerieProperty(QObject *parent)
    : PropertyItem(parent), m_largest(std::numeric_limits<int>::min()),
      m_smallest(std::numeric_limits<int>::max())
{
}

void IntegerSerieProperty::addValue(int sample)
{
    m_samples.append(sample);
    keepNewest(m_samples, m_maxCount, m_largest, m_smallest);
    emit changed(this);
}

void IntegerSerieProperty::clear()
{
    m_samples.clear();
    m_largest = std::numeric_limits<int>::min();
    m_smallest = std::numeric_limits<int>::max();
    emit changed(this);
}

bool IntegerSerieProperty::paint(QPainter *painter, const QStyleOptionViewItem &option)
{
    paintSerie(painter, option, m_samples, m_largest, m_smallest, m_maxCount, m_color);
    return true;
}

void IntegerSerieProperty::setMaxCount(int count)
{
    if (m_maxCount == count)
        return;
    m_maxCount = count;
    keepNewest(m_samples, m_maxCount, m_largest, m_smallest);
    emit maxCountChanged(count);
    emit changed(this);
}

void IntegerSerieProperty::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    emit colorChanged(color);
}

FloatSerieProperty::FloatSerieProperty(QObject *parent) : PropertyItem(parent) {}

void FloatSerieProperty::addValue(float sample)
{
    m_samples.append(sample);
    keepNewest(m_samples, m_maxCount, m_largest, m_smallest);
    emit changed(this);
}

void FloatSerieProperty::clear()
{
    m_samples.clear();
    m_largest = -2147483648.0f;
    m_smallest = 2147483648.0f;
    emit changed(this);
}

bool FloatSerieProperty::paint(QPainter *painter, const QStyleOptionViewItem &option)
{
    paintSerie(painter, option, m_samples, m_largest, m_smallest, m_maxCount, m_color);
    return true;
}

void FloatSerieProperty::setMaxCount(int count)
{
    if (m_maxCount == count)
        return;
    m_maxCount = count;
    keepNewest(m_samples, m_maxCount, m_largest, m_smallest);
    emit maxCountChanged(count);
    emit changed(this);
}

void FloatSerieProperty::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    emit colorChanged(color);
}

Vector3DSerieProperty::Vector3DSerieProperty(QObject *parent) : PropertyItem(parent)
{
    const char *names[] = {"X", "Y", "Z"};
    const char *keys[] = {"x", "y", "z"};
    const QColor colors[] = {Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < 3; ++i) {
        auto *serie = new FloatSerieProperty(this);
        serie->setMaxCount(m_maxCount);
        serie->setColor(colors[i]);
        serie->setName(QString::fromLatin1(names[i]));
        serie->setKey(QString::fromLatin1(keys[i]));
        addChild(serie);
        m_series[i] = serie;
    }
}

void Vector3DSerieProperty::addValue(const QVector3D &sample)
{
    // Each graph lives in its child's row, so the children report their own change.
    for (int i = 0; i < 3; ++i)
        m_series[i]->addValue(sample[i]);
    emit changed(this);
}

void Vector3DSerieProperty::clear()
{
    for (FloatSerieProperty *serie : m_series)
        serie->clear();
    emit changed(this);
}

void Vector3DSerieProperty::setMaxCount(int count)
{
    if (m_maxCount == count)
        return;
    m_maxCount = count;
    for (FloatSerieProperty *serie : m_series) {
        const bool blocked = serie->blockSignals(true);
        serie->setMaxCount(count);
        serie->blockSignals(blocked);
    }
    emit maxCountChanged(count);
    emit changed(this);
}

void Vector3DSerieProperty::retranslate()
{
    for (FloatSerieProperty *serie : m_series)
        serie->retranslate();
    PropertyItem::retranslate();
}
