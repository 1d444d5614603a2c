#pragma once

#include "PropertyItem.h"

#include <QColor>

// An RGB colour, shown as a swatch and "r; g; b".
class ColorProperty : public PropertyItem
{
    Q_OBJECT

public:
    explicit ColorProperty(QObject *parent = nullptr);

    QColor colorValue() const { return m_color; }

    // "r; g; b" (each clamped to 0..255), a colour name or "#rrggbb"; anything else gives an invalid colour.
    static QColor parseColor(const QString &text);
    static QString formatColor(const QColor &color);

    QVariant keyValue() const override;
    bool paint(QPainter *painter, const QStyleOptionViewItem &option) override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option) override;

public slots:
    void setColorValue(const QColor &color);
    void setValue(const QVariant &value) override;
    void setKeyValue(const QVariant &keyValue) override;

signals:
    void colorValueChanged(const QColor &color);

private:
    void refreshText();

    QColor m_color;
};
