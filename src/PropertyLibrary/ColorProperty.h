#pragma once

#include "PropertyItem.h"

#include <QColor>
#include <QPointer>

class QColorDialog;

// An RGB colour, shown as a swatch and "r; g; b".
class ColorProperty : public PropertyItem
{
    Q_OBJECT

public:
    explicit ColorProperty(QObject *parent = nullptr);
    ~ColorProperty() override;

    QColor colorValue() const { return m_color; }

    // "r; g; b" (each clamped to 0..255), a colour name or "#rrggbb"; anything else gives an invalid colour.
    static QColor parseColor(const QString &text);
    static QString formatColor(const QColor &color);

    QVariant keyValue() const override;
    bool paint(QPainter *painter, const QStyleOptionViewItem &option) override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option) override;

    // Opens a colour dialog on this node: the colour follows the dialog while it is open, stays on OK
    // and goes back on Cancel. The dialog belongs to the node, not to the editor that asked for it, so
    // closing the editor meanwhile is harmless. Returns the open dialog (the same one when asked twice).
    QColorDialog *chooseColor(QWidget *parent);
    QColorDialog *colorDialog() const;

public slots:
    void setColorValue(const QColor &color);
    void setValue(const QVariant &value) override;
    void setKeyValue(const QVariant &keyValue) override;

signals:
    void colorValueChanged(const QColor &color);

private:
    void refreshText();

    QColor m_color;
    QPointer<QColorDialog> m_dialog;
};
