#pragma once

#include <QLineEdit>

class QLabel;
class SearchFieldCompleter;

// A line edit with a search icon, a clear button and completion of node names.
class SearchFieldWidget : public QLineEdit
{
    Q_OBJECT

public:
    explicit SearchFieldWidget(QWidget *parent = nullptr);

    SearchFieldCompleter *searchCompleter() const { return m_completer; }

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QLabel *m_icon = nullptr;
    SearchFieldCompleter *m_completer = nullptr;
};
