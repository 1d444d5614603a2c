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
}

void ColorLegendLayer::setTextColor(QColor textColor)
{
    if (m_textColor == textColor)
        return;
    m_textColor = textColor;
    emit textColorChanged(textColor);
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

QRect ColorLegendLayer::legendRect(const QRect &rect, Qt::Edge edge)
{
    const int w = rect.width();
    const int h = rect.height();
    if (isHorizontal(edge)) {
        const int left = rect.left() + w / 5;
        const int right = left + (w - 2 * (w / 5)) - 1;
        if (edge == Qt::TopEdge)
            return fromEdges(left, rect.top() + 5, right, rect.top() + 34);
        return fromEdges(left, rect.bottom() - 35, right, rect.bottom() - 6);
    }
    const int top = rect.top() + h / 5;
    const int bottom = top + (h - 2 * (h / 5)) - 1;
    if (edge == Qt::LeftEdge)
        return fromEdges(rect.left() + 5, top, rect.left() + 34, bottom);
    return fromEdges(rect.right() - 35, top, rect.right() - 6, bottom);
}

QRect ColorLegendLayer::barRect(const QRect &legend, Qt::Edge edge)
{
    const QRect &r = legend;
    if (isHorizontal(edge))
        return fromEdges(r.left() + 54, r.top() + 2, r.right() - 47, r.bottom() - 4);
    return fromEdges(r.left() + 2, r.top() + 28, r.right() - 2, r.bottom() - 27);
}

void ColorLegendLayer::paint(QPainter *painter, QRect rect)
{
    LayerItem::paint(painter, rect);
    if (!painter || !m_colorModel || !m_colorModel->scheme() || !m_colorModel->selector())
        return;
    const ColorScheme *scheme = m_colorModel->scheme();
    const DataSelector *selector = m_colorModel->selector();
    const bool horizontal = isHorizontal(m_position);
    const QRect r = legendRect(rect, m_position);

    painter->save();
    painter->setPen(Qt::white);
    QColor translucent = m_backgroundColor;
    translucent.setAlpha(100);
    painter->setBrush(QBrush(translucent, Qt::SolidPattern));
    painter->drawRoundedRect(QRectF(r.left(), r.top(), r.width(), r.height()), 10, 10, Qt::RelativeSize);

    // Labels in the legend's own coordinates.
    const int w1 = r.right() - r.left();
    const int h1 = r.bottom() - r.top();
    QRect minLabel, maxLabel;
    if (horizontal) {
        minLabel = fromEdges(2, 2, 51, h1 - 2);
        maxLabel = fromEdges(w1 - 41, 2, w1 + 3, h1 - 2);
    } else {
        minLabel = fromEdges(2, 2, w1, 26);
        maxLabel = fromEdges(2, h1 - 26, w1, h1 - 2);
    }
    painter->translate(r.topLeft());
    painter->setPen(m_textColor);
    painter->drawText(minLabel, kLabelFlags, selector->valueText(scheme->minValue()));
    painter->drawText(maxLabel, kLabelFlags, selector->valueText(scheme->maxValue()));
    painter->translate(-r.topLeft());

    const QRect b = barRect(r, m_position);
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
    const int w2 = b.right() - b.left();
    const int h2 = b.bottom() - b.top();
    painter->save();
    painter->translate(b.topLeft());
    painter->setPen(m_textColor);
    QRect titleBox;
    if (horizontal) {
        const int left = (w2 - 101) / 2;
        titleBox = fromEdges(left, 2, left + 99, h2 - 2);
    } else {
        painter->rotate(90);
        const int left = (h2 - 26) / 2;
        titleBox = fromEdges(left, -(w2 + 1), left + w2 - 2, 23 - w2);
    }
    painter->drawText(titleBox, kLabelFlags, m_title);
    painter->restore();

    painter->restore();
}
