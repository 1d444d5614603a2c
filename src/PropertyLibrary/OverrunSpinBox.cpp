#include "OverrunSpinBox.h"

OverrunSpinBox::OverrunSpinBox(QWidget *parent) : QSpinBox(parent) {}

void OverrunSpinBox::stepBy(int steps)
{
    if (value() == maximum() && steps == 1) {
        if (m_carryEnabled)
            emit carryValue();
        return;
    }
    if (value() == minimum() && steps == -1) {
        if (m_borrowEnabled)
            emit borrowValue();
        return;
    }
    setValue(value() + steps);
}
