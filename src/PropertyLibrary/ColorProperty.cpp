#include "ColorProperty.h"

#include "ColorEditor.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>

ColorProperty::ColorProperty(QObject *parent) : PropertyItem(parent)
{
    setReadOnly(false);
    setDefaultValue(0.0);
    setValue(QVariant(0.0));
    connect(this, &PropertyItem::valueChanged, this,
            [this](const QVariant &v) { emit colorValueChanged(parseColor(v.toString())); });
    refreshText();
}

ColorProperty::~ColorProperty()
{
    delete m_dialog;
}

QColorDialog *ColorProperty::colorDialog() const
{
    return m_dialog.data();
}

QColorDialog *ColorProperty::chooseColor(QWidget *parent)
{
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return m_dialog;
    }
    const QColor original = m_color;
    m_dialog = new QColorDialog(original.isValid() ? original : QColor(Qt::white), parent);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    connect(m_dialog, &QColorDialog::currentColorChanged, this, &ColorProperty::setColorValue);
    connect(m_dialog, &QColorDialog::colorSelected, this, &ColorProperty::setColorValue);
    connect(m_dialog, &QDialog::rejected, this, [this, original] { setColorValue(original); });
    m_dialog->open();
    return m_dialog;
}

QColor ColorProperty::parseColor(const QString &text)
{
    if (text.contains(QLatin1Char(';'))) {
        const QStringList parts = text.split(QLatin1Char(';'));
        if (parts.size() < 3)
            return QColor();
        int rgb[3];
        for (int i = 0; i < 3; ++i) {
            bool ok = false;
            rgb[i] = parts.at(i).trimmed().toInt(&ok, 10);
            if (!ok)
                return QColor();
            rgb[i] = qBound(0, rgb[i], 255);
        }
        return QColor(rgb[0], rgb[1], rgb[2]);
    }
    if (QColor::colorNames().contains(text, Qt::CaseInsensitive) ||
        (!text.isEmpty() && text.startsWith(QLatin1Char('#')))) {
        QColor color;
        color.setNamedColor(text.toLower());
        return color;
    }
    return QColor();
}

QString ColorProperty::formatColor(const QColor &color)
{
    return QStringLiteral("%1; %2; %3").arg(color.red()).arg(color.green()).arg(color.blue());
}

void ColorProperty::refreshText()
{
    PropertyItem::setValue(formatColor(m_color));
}

void ColorProperty::setColorValue(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    refreshText();
    emit colorValueChanged(color);
}

void ColorProperty::setValue(const QVariant &value)
{
    if (value.userType() == QMetaType::QColor) {
        setColorValue(value.value<QColor>());
        return;
    }
    const QColor parsed = parseColor(value.toString());
    if (parsed.isValid())
        setColorValue(parsed);
}

void ColorProperty::setKeyValue(const QVariant &keyValue)
{
    if (settable())
        setValue(keyValue);
}

QVariant ColorProperty::keyValue() const
{
    return QVariant(m_color);
}

bool ColorProperty::paint(QPainter *painter, const QStyleOptionViewItem &option)
{
    const QRect cell = option.rect;
    const int side = cell.height() - 7;
    painter->save();
    paintCellBackground(painter, option);
    if (!enabled()) {
        painter->setBrush(QColor(200, 200, 200));
        painter->setPen(Qt::lightGray);
    } else {
        painter->setBrush(m_color.isValid() ? m_color : QColor(Qt::transparent));
        painter->setPen(option.palette.color(QPalette::Text));
    }
    painter->drawRect(QRect(cell.left() + 6, cell.top() + 3, side, side));
    if (enabled() && (option.state & QStyle::State_Selected))
        painter->setPen(option.palette.color(QPalette::HighlightedText));
    const QRect textRect(QPoint(cell.left() + cell.height() + 4, cell.top() + 1), cell.bottomRight());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, valueText());
    painter->restore();
    return true;
}

QWidget *ColorProperty::createEditor(QWidget *parent, const QStyleOptionViewItem &option)
{
    Q_UNUSED(option);
    auto *editor = new ColorEditor(this, parent);
    editor->setFrame(false);
    return editor;
}
