#pragma once

#include <QLineEdit>

class QDoubleValidator;

// A frameless line edit for one float, read and written through its user property.
class FloatEditWidget : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(float value READ value WRITE setValue NOTIFY valueChanged USER true)

public:
    explicit FloatEditWidget(QWidget *parent = nullptr);

    float value() const;

public slots:
    void setValue(float new_value);
    void setRange(float min, float max);

signals:
    void valueChanged(float value);

private slots:
    void updateValue();

private:
    QDoubleValidator *m_validator = nullptr;
};
