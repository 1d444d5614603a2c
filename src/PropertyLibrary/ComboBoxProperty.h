#pragma once

#include "StringProperty.h"

class ComboBoxModel;

// One of several labelled options; the label is shown, the option's int value is saved.
class ComboBoxProperty : public StringProperty
{
    Q_OBJECT

public:
    explicit ComboBoxProperty(QObject *parent = nullptr);

    int optionValue() const;
    ComboBoxModel *optionsModel() const { return m_model; }

    QVariant keyValue() const override;
    // Only the value of one of the options: anything else would leave a blank cell.
    bool acceptsKeyValue(const QVariant &keyValue) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option) override;
    void retranslate() override;

    virtual void clearOptions();
    virtual void addOption(const QString &label, int value, const QIcon &icon = QIcon());

public slots:
    void setString(const QString &text) override;
    void setValue(const QVariant &value) override;
    void setKeyValue(const QVariant &keyValue) override;
    void setOptionValue(int value);
    void setDefaultOptionValue(int value);
    void setOptionLabel(const QString &label);
    void updateOptionLabel(const QString &label, int value);

private:
    ComboBoxModel *m_model = nullptr;
    int m_currentValue = 0;
};
