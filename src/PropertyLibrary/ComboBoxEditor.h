#pragma once

#include <QComboBox>

// The editor of a combo box node.
class ComboBoxEditor : public QComboBox
{
    Q_OBJECT

public:
    explicit ComboBoxEditor(QWidget *parent = nullptr) : QComboBox(parent) {}
};
