#pragma once

#include <QSpinBox>

// A spin box that, instead of stopping at its ends, can report a carry or a borrow.
class OverrunSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit OverrunSpinBox(QWidget *parent = nullptr);

    bool carryEnabled() const { return m_carryEnabled; }
    bool borrowEnabled() const { return m_borrowEnabled; }
    void setCarryEnabled(bool enabled) { m_carryEnabled = enabled; }
    void setBorrowEnabled(bool enabled) { m_borrowEnabled = enabled; }

    void stepBy(int steps) override;

signals:
    void carryValue();
    void borrowValue();

private:
    bool m_carryEnabled = false;
    bool m_borrowEnabled = false;
};
