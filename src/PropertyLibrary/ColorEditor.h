#pragma once

#include "LineEditWithButton.h"

#include <QColor>
#include <QPointer>

class ColorProperty;

// Edits a colour node: typed "r; g; b" or a name, or a colour dialog behind the button.
class ColorEditor : public LineEditWithButton
{
    Q_OBJECT

public:
    explicit ColorEditor(ColorProperty *property, QWidget *parent = nullptr);

    QColor color() const { return m_color; }

public slots:
    void setColor(const QColor &color);
    void parseText();

protected slots:
    void onButtonClick() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPointer<ColorProperty> m_property;
    QColor m_color;
    bool m_writing = false;
};
