#pragma once

#include <QColor>
#include <QWidget>

class QTreeView;

// The draggable line between the name and value columns; it keeps the share of column 0.
class SplitterHandle : public QWidget
{
    Q_OBJECT

public:
    explicit SplitterHandle(QTreeView *tree);

    float ratio() const { return m_ratio; }
    void setRatio(float value);
    void updatePosition();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QTreeView *m_tree = nullptr;
    QWidget *m_viewport = nullptr;
    int m_grabOffset = 0;
    float m_ratio = 0.5f;
    QColor m_lineColor = QColor(128, 128, 128, 64);
};
