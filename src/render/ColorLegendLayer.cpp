#include "ColorLegendLayer.h"

#include "ColorModel.h"
#include "ColorScheme.h"
#include "ComboBoxProperty.h"
#include "DataSelector.h"

#include <QIcon>
#include <QPainter>

namespace {
constexpr int kLabelFlags = Qt::AlignCenter | Qt::TextDontClip;

bool isHorizontal(Qt::Edge edge)
{
    return edge == Qt::TopEdge || edge == Qt::BottomEdge;
}

QRect fromEdges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Text centred in a box, turned to read downwards in a vertical one.
void drawAlong(QPainter *painter, const QRect &box, bool horizontal, const QString &text)
{
    painter->save();
    painter->translate(box.topLeft());
    QRect textBox(0, 0, box.width(), box.height());
    if (!horizontal) {
        painter->rotate(90);
        textBox = QRect(0, -box.width(), box.height(), box.width());
    }
    painter->drawText(textBox, kLabelFlags, text);
    painter->restore();
}
} // namespace

ColorLegendLayer::ColorLegendLayer(QObject *parent)
    : LayerItem(parent), m_property(new ComboBoxProperty(this))
{
    m_property->setIcon(QIcon(QStringLiteral(":/icons/legend")));
    m_property->addOption(tr("Top"), Qt::TopEdge);
    m_property->addOption(tr("Left"), Qt::LeftEdge);
    m_property->addOption(tr("Bottom"), Qt::BottomEdge);
    m_property->addOption(tr("Right"), Qt::RightEdge);
    m_property->setName(tr("Legend"));
    m_property->setKey(QStringLiteral("legend"));
    m_property->setOptionValue(Qt::TopEdge);
    m_property->setDefaultOptionValue(Qt::TopEdge);
    connect(m_property, &PropertyItem::valueChanged, this, &ColorLegendLayer::onOptionChanged);
}

void ColorLegendLayer::retranslate()
{
    m_property->setName(tr("Legend"));
    m_property->setKey(QStringLiteral("legend"));
    m_property->updateOptionLabel(tr("Top"), Qt::TopEdge);
    m_property->updateOptionLabel(tr("Left"), Qt::LeftEdge);
    m_property->updateOptionLabel(tr("Bottom"), Qt::BottomEdge);
    m_property->updateOptionLabel(tr("Right"), Qt::RightEdge);
    m_property->retranslate();
}

void ColorLegendLayer::onOptionChanged()
{
    const int value = m_property->optionValue();
    if (value != Qt::TopEdge && value != Qt::LeftEdge && value != Qt::BottomEdge && value != Qt::RightEdge)
        return;
    const auto edge = Qt::Edge(value);
    if (edge == m_position)
        return;
    m_position = edge;
    emit positionChanged(edge);
    emit changed();
}

ColorModel *ColorLegendLayer::colorModel() const
{
    return m_colorModel.data();
}

void ColorLegendLayer::setColorModel(ColorModel *colorModel)
{
    if (m_colorModel == colorModel)
        return;
    if (m_colorModel)
        disconnect(m_colorModel, nullptr, this, nullptr);
    m_colorModel = colorModel;
    if (colorModel)
        connect(colorModel, &ColorModel::changed, this, &LayerItem::changed);
    emit changed();
}

void ColorLegendLayer::setBackgroundColor(QColor backgroundColor)
{
    if (m_backgroundColor == backgroundColor)
        return;
    m_backgroundColor = backgroundColor;
    emit backgroundColorChanged(backgroundColor);
    emit changed();
}

void ColorLegendLayer::setTextColor(QColor textColor)
{
    if (m_textColor == textColor)
        return;
    m_textColor = textColor;
    emit textColorChanged(textColor);
    emit changed();
}

void ColorLegendLayer::setPosition(Qt::Edge position)
{
    if (m_position == position)
        return;
    m_position = position;
    emit positionChanged(position);
    emit changed();
}

void ColorLegendLayer::setTitle(QString title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit titleChanged(m_title);
    emit changed();
}

void ColorLegendLayer::setInitialLegendPos(Qt::Edge position)
{
    m_property->setOptionValue(position);
    m_property->setDefaultOptionValue(position);
}

QRect ColorLegendLayer::legendRect(const QRect &rect, Qt::Edge edge, int thickness)
{
    const int w = rect.width();
    const int h = rect.height();
    if (isHorizontal(edge)) {
        const int left = rect.left() + w / 5;
        const int right = left + (w - 2 * (w / 5)) - 1;
        if (edge == Qt::TopEdge)
            return fromEdges(left, rect.top() + margin, right, rect.top() + margin + thickness - 1);
        return fromEdges(left, rect.bottom() - margin - thickness, right, rect.bottom() - margin - 1);
    }
    const int top = rect.top() + h / 5;
    const int bottom = top + (h - 2 * (h / 5)) - 1;
    if (edge == Qt::LeftEdge)
        return fromEdges(rect.left() + margin, top, rect.left() + margin + thickness - 1, bottom);
    return fromEdges(rect.right() - margin - thickness, top, rect.right() - margin - 1, bottom);
}

QRect ColorLegendLayer::barRect(const QRect &legend, Qt::Edge edge)
{
    const QRect &r = legend;
    if (isHorizontal(edge))
        return fromEdges(r.left() + 54, r.top() + 2, r.right() - 47, r.bottom() - 4);
    return fromEdges(r.left() + 2, r.top() + 28, r.right() - 2, r.bottom() - 27);
}

int ColorLegendLayer::thicknessFor(Qt::Edge edge, const QFontMetrics &metrics, const QString &minText,
                                   const QString &maxText)
{
    if (isHorizontal(edge))
        return defaultThickness;
    // The labels sit across a side legend, in boxes two pixels narrower than it.
    const int widest = qMax(metrics.horizontalAdvance(minText), metrics.horizontalAdvance(maxText));
    return qMax(defaultThickness, widest + 6);
}

ColorLegendLayer::Geometry ColorLegendLayer::geometry(const QRect &area, Qt::Edge edge,
                                                      const QFontMetrics &metrics, const QString &minText,
                                                      const QString &maxText)
{
    // A label box leaves two pixels of air on either side of its text.
    const int minWidth = metrics.horizontalAdvance(minText) + 4;
    const int maxWidth = metrics.horizontalAdvance(maxText) + 4;
    Geometry g;
    if (isHorizontal(edge)) {
        const QRect r = legendRect(area, edge);
        g.legend = r;
        g.minLabel = fromEdges(r.left() + 2, r.top() + 2, r.left() + 1 + qMax(50, minWidth), r.bottom() - 2);
        g.maxLabel =
            fromEdges(r.right() - 1 - qMax(40, maxWidth), r.top() + 2, r.right() - 2, r.bottom() - 2);
        g.bar = fromEdges(g.minLabel.right() + 3, r.top() + 2, g.maxLabel.left() - 6, r.bottom() - 4);
        return g;
    }
    const QRect r = legendRect(area, edge, thicknessFor(edge, metrics, minText, maxText));
    g.legend = r;
    g.minLabel = fromEdges(r.left() + 2, r.top() + 2, r.right(), r.top() + 26);
    g.maxLabel = fromEdges(r.left() + 2, r.bottom() - 26, r.right(), r.bottom() - 2);
    g.bar = barRect(r, edge);
    return g;
}

QString ColorLegendLayer::minText() const
{
    if (!m_colorModel || !m_colorModel->scheme() || !m_colorModel->selector())
        return QString();
    return m_colorModel->selector()->valueText(m_colorModel->scheme()->minValue());
}

QString ColorLegendLayer::maxText() const
{
    if (!m_colorModel || !m_colorModel->scheme() || !m_colorModel->selector())
        return QString();
    return m_colorModel->selector()->valueText(m_colorModel->scheme()->maxValue());
}

LayerItem::Dock ColorLegendLayer::dock(const QFontMetrics &metrics) const
{
    if (!m_colorModel || !m_colorModel->scheme() || !m_colorModel->selector())
        return {};
    return {m_position, thicknessFor(m_position, metrics, minText(), maxText()) + margin + 1};
}

bool ColorLegendLayer::pictureOutdated()
{
    const bool childOutdated = LayerItem::pictureOutdated();
    if (!m_colorModel || !m_colorModel->scheme() || !m_colorModel->selector())
        return childOutdated;
    return m_colorModel->levelsMissing() != m_paintedNoLevels || childOutdated;
}

void ColorLegendLayer::paint(QPainter *painter, QRect rect)
{
    LayerItem::paint(painter, rect);
    if (!painter || !m_colorModel || !m_colorModel->scheme() || !m_colorModel->selector())
        return;
    const ColorScheme *scheme = m_colorModel->scheme();
    const bool horizontal = isHorizontal(m_position);
    const bool noLevels = m_colorModel->levelsMissing();
    m_paintedNoLevels = noLevels;
    const Geometry g = geometry(rect, m_position, painter->fontMetrics(), minText(), maxText());
    const QRect &r = g.legend;

    painter->save();
    painter->setPen(Qt::white);
    QColor translucent = m_backgroundColor;
    translucent.setAlpha(100);
    painter->setBrush(QBrush(translucent, Qt::SolidPattern));
    painter->drawRoundedRect(QRectF(r.left(), r.top(), r.width(), r.height()), 10, 10, Qt::RelativeSize);

    painter->setPen(m_textColor);
    if (noLevels) {
        // A ramp and its limits would claim a meaning the one-coloured points do not have.
        const QString text = m_title.isEmpty() ? tr("no level data") : tr("%1: no level data").arg(m_title);
        drawAlong(painter, r, horizontal, text);
        painter->restore();
        return;
    }
    painter->drawText(g.minLabel, kLabelFlags, minText());
    painter->drawText(g.maxLabel, kLabelFlags, maxText());

    const QRect &b = g.bar;
    painter->fillRect(b, m_backgroundColor);
    painter->save();
    painter->setPen(Qt::black);
    painter->setBrush(Qt::NoBrush);
    painter->drawRects(&b, 1);
    painter->restore();
    const QRect inner = horizontal ? fromEdges(b.left() + 2, b.top() + 2, b.right() - 1, b.bottom() - 2)
                                   : fromEdges(b.left() + 2, b.top() + 2, b.right() - 2, b.bottom() - 1);
    scheme->drawLegend(painter, inner, horizontal ? 1 : 2);
    // The title reads along the bar, over it.
    drawAlong(painter, b, horizontal, m_title);
    painter->restore();
}
