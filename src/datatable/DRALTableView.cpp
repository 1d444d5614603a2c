#include "DRALTableView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

DRALTableView::DRALTableView(QWidget *parent)
    : QTableView(parent), m_model(new DRALTableModel(this)),
      m_copyAction(new QAction(QIcon(QStringLiteral(":/datatable/copy")), QString(), this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->setVisible(false);
    // Fixed row heights: a line of 300 spots must not measure 1200 rows on every refresh.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);

    connect(m_copyAction, &QAction::triggered, this, &DRALTableView::copy);
    addAction(m_copyAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    retranslate();
}

void DRALTableView::retranslate()
{
    m_copyAction->setText(tr("Copy"));
    m_model->retranslate();
    fitColumns();
}

void DRALTableView::fitColumns()
{
    // Widths from the header texts and the widest usual value, not from measuring every row.
    // The header turns bold over selected cells.
    QFont bold = horizontalHeader()->font();
    bold.setBold(true);
    const QFontMetrics header(bold);
    const int integer = fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 8;
    const int real = fontMetrics().horizontalAdvance(QStringLiteral("-000.000")) + 8;
    for (int c = 0; c < DRALTableModel::ColumnCount; ++c) {
        const bool isInteger = c <= DRALTableModel::EchoNumberColumn || c == DRALTableModel::LevelColumn;
        const QString text = m_model->headerData(c, Qt::Horizontal).toString();
        setColumnWidth(c, qMax(isInteger ? integer : real, header.horizontalAdvance(text) + 20));
    }
}

void DRALTableView::addMeasurementData(const VEXA3D_MEASUREMENT_DATA_T &line, int index)
{
    Q_UNUSED(index)
    m_model->addMeasurementData(line);
}

void DRALTableView::clear()
{
    m_model->clear();
}

QString DRALTableView::selectedText() const
{
    QModelIndexList indexes = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    std::sort(indexes.begin(), indexes.end(), [](const QModelIndex &a, const QModelIndex &b) {
        return a.row() != b.row() ? a.row() < b.row() : a.column() < b.column();
    });
    QString text;
    for (int i = 0; i < indexes.size(); ++i) {
        text += indexes.at(i).data(Qt::DisplayRole).toString();
        const bool rowEnds = i + 1 == indexes.size() || indexes.at(i + 1).row() != indexes.at(i).row();
        text += rowEnds ? QLatin1Char('\n') : QLatin1Char('\t');
    }
    return text;
}

void DRALTableView::copy()
{
    const QString text = selectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void DRALTableView::setSelectLine(int line)
{
    m_model->setSelectLine(line);
}

void DRALTableView::setSelectMotorField(int mField)
{
    m_model->setSelectMotorField(mField);
}

void DRALTableView::setSelectRemField(int rField)
{
    m_model->setSelectRemField(rField);
}

void DRALTableView::setDisplayRange(int min, int max)
{
    m_model->setDisplayRange(min, max);
}

void DRALTableView::setInterlaceType(DRALTableModel::InterlaceType type)
{
    m_model->setInterlaceType(type);
    fitColumns();
}

DRALTableModel::InterlaceType DRALTableView::interlaceType() const
{
    return m_model->interlaceType();
}

void DRALTableView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copy();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DRALTableView::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void DRALTableView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    m_model->selectRow(current.isValid() ? current.row() : -1);
}
