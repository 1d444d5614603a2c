#pragma once

#include "DRALTableModel.h"

#include <QTableView>

class QAction;

// The table of one scan line's echoes. Copy (the action, its context menu entry or the copy keys) puts
// the selected cells on the clipboard, tab-separated, one line per row.
class DRALTableView : public QTableView
{
    Q_OBJECT

public:
    explicit DRALTableView(QWidget *parent = nullptr);

    DRALTableModel *tableModel() const { return m_model; }
    QAction *copyAction() const { return m_copyAction; }
    // The selected cells as copy() puts them on the clipboard.
    QString selectedText() const;

public slots:
    void addMeasurementData(const VEXA3D_MEASUREMENT_DATA_T &line, int index);
    void clear();
    void copy();
    void setSelectLine(int line);
    void setSelectMotorField(int mField);
    void setSelectRemField(int rField);
    void setDisplayRange(int min, int max);
    void setInterlaceType(DRALTableModel::InterlaceType type);
    DRALTableModel::InterlaceType interlaceType() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void retranslate();
    void fitColumns();

    DRALTableModel *m_model = nullptr;
    QAction *m_copyAction = nullptr;
};
