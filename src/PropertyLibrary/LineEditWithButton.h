#pragma once

#include <QLineEdit>

class QPushButton;

// A read-only line edit with a small "..." button at its right end.
class LineEditWithButton : public QLineEdit
{
    Q_OBJECT

public:
    explicit LineEditWithButton(QWidget *parent = nullptr);

    QPushButton *button() const { return m_button; }

signals:
    void buttonClicked();

protected slots:
    virtual void onButtonClick();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QPushButton *m_button = nullptr;
};
