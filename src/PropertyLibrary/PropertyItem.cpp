#include "PropertyItem.h"

#include "FloatEditWidget.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QLineEdit>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <limits>

namespace {
bool isBool(const QVariant &v)
{
    return v.userType() == QMetaType::Bool;
}

// Registered once so that queued connections can carry nodes.
const int s_propertyItemMetaType = qRegisterMetaType<PropertyItem *>("PropertyItem*");
} // namespace

PropertyItem::PropertyItem(QObject *parent)
    : QObject(parent), m_name(QStringLiteral("...")), m_key(QStringLiteral("...")), m_keyValue(QString())
{
    Q_UNUSED(s_propertyItemMetaType);
    m_resetAction = new QAction(QIcon(QStringLiteral(":/PropertyLibrary/reset")), tr("Reset"), this);
    connect(m_resetAction, &QAction::triggered, this, &PropertyItem::reset);
    m_separator = new QAction(this);
    m_separator->setSeparator(true);
}

PropertyItem::~PropertyItem()
{
    // A node deleted while still attached leaves no dangling entry in its parent or in the views.
    if (m_parent && m_parent->m_children.contains(this))
        m_parent->removeChild(this);
}

QVariant PropertyItem::keyValue() const
{
    return m_keyValue;
}

QString PropertyItem::valueText() const
{
    return m_value.toString();
}

QVariant PropertyItem::data(int column, int role) const
{
    if (column == 0) {
        switch (role) {
        case Qt::DisplayRole:
            return m_name;
        case Qt::DecorationRole:
            return m_icon;
        case Qt::ToolTipRole:
            return m_description;
        case Qt::BackgroundRole:
            if (m_highlighted)
                return QColor(Qt::blue).lighter(190);
            if (m_readOnly && m_children.isEmpty())
                return QColor(Qt::gray).lighter(150);
            return QVariant();
        default:
            return QVariant();
        }
    }
    if (column == 1 && role >= 0 && role <= 10) {
        switch (role) {
        case Qt::DisplayRole:
            return isBool(m_value) ? QVariant() : QVariant(valueText());
        case Qt::DecorationRole:
            return m_valueIcon;
        case Qt::EditRole:
            return isBool(m_value) ? QVariant() : m_value;
        case Qt::ToolTipRole:
            return m_description;
        case Qt::CheckStateRole:
            if (isBool(m_value))
                return m_value.toBool() ? Qt::Checked : Qt::Unchecked;
            return QVariant();
        default:
            return QVariant();
        }
    }
    return QVariant();
}

Qt::ItemFlags PropertyItem::flags(int column) const
{
    if (column == 0)
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!m_enabled)
        return Qt::NoItemFlags;
    if (m_readOnly)
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (isBool(m_value))
        return Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled;
}

bool PropertyItem::paint(QPainter *painter, const QStyleOptionViewItem &option)
{
    Q_UNUSED(painter);
    Q_UNUSED(option);
    return false;
}

QWidget *PropertyItem::createEditor(QWidget *parent, const QStyleOptionViewItem &option)
{
    Q_UNUSED(option);
    const int type = m_value.userType();
    if (type == QMetaType::Int) {
        auto *spin = new QSpinBox(parent);
        spin->setFrame(false);
        spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        return spin;
    }
    if (type == QMetaType::Double || type == QMetaType::Float)
        return new FloatEditWidget(parent);
    auto *edit = new QLineEdit(parent);
    edit->setFrame(false);
    return edit;
}

void PropertyItem::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option)
{
    if (editor)
        editor->setGeometry(option.rect);
}

void PropertyItem::retranslate()
{
    m_resetAction->setText(tr("Reset"));
}

bool PropertyItem::isEditable() const
{
    return !m_readOnly;
}

QList<QAction *> PropertyItem::actions() const
{
    QList<QAction *> list;
    if (!m_readOnly)
        list.append(m_resetAction);
    if (!m_actions.isEmpty()) {
        if (!list.isEmpty())
            list.append(m_separator);
        list.append(m_actions);
    }
    return list;
}

int PropertyItem::row() const
{
    return m_parent ? m_parent->indexOf(this) : 0;
}

int PropertyItem::indexOf(const PropertyItem *child) const
{
    for (int i = 0; i < m_children.size(); ++i) {
        if (m_children.at(i) == child)
            return i;
    }
    return -1;
}

bool PropertyItem::isAncestorOf(const PropertyItem *other) const
{
    for (const PropertyItem *p = other ? other->m_parent : nullptr; p; p = p->m_parent) {
        if (p == this)
            return true;
    }
    return false;
}

void PropertyItem::paintCellBackground(QPainter *painter, const QStyleOptionViewItem &option)
{
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, widget);
}

bool PropertyItem::sameVariant(const QVariant &a, const QVariant &b)
{
    return a.userType() == b.userType() && a == b;
}

bool PropertyItem::acceptsKeyValue(const QVariant &keyValue) const
{
    Q_UNUSED(keyValue);
    return true;
}

void PropertyItem::setKeyValue(const QVariant &keyValue)
{
    if (sameVariant(m_keyValue, keyValue))
        return;
    m_keyValue = keyValue;
    emit keyValueChanged(m_keyValue);
}

void PropertyItem::setValue(const QVariant &value)
{
    if (sameVariant(m_value, value))
        return;
    emit aboutToChange(this);
    m_value = value;
    emit changed(this);
    emit valueChanged(m_value);
}

void PropertyItem::addChild(PropertyItem *child)
{
    addChild(child, m_children.size());
}

void PropertyItem::addChild(PropertyItem *child, int index)
{
    if (!child || child == this || m_children.contains(child))
        return;
    index = qBound(0, index, m_children.size());
    emit aboutToAddChild(this, index);
    m_children.insert(index, child);
    child->m_parent = this;
    connect(child, &PropertyItem::aboutToAddChild, this, &PropertyItem::aboutToAddChild);
    connect(child, &PropertyItem::childAdded, this, &PropertyItem::childAdded);
    connect(child, &PropertyItem::aboutToRemoveChild, this, &PropertyItem::aboutToRemoveChild);
    connect(child, &PropertyItem::childRemoved, this, &PropertyItem::childRemoved);
    connect(child, &PropertyItem::aboutToChange, this, &PropertyItem::aboutToChange);
    connect(child, &PropertyItem::changed, this, &PropertyItem::changed);
    connect(child, &PropertyItem::expendProperty, this, &PropertyItem::expendProperty);
    connect(child, &PropertyItem::collapseProperty, this, &PropertyItem::collapseProperty);
    connect(child, &PropertyItem::hiddenStateChanged, this, &PropertyItem::hiddenStateChanged);
    emit childAdded(this);
}

void PropertyItem::removeChild(PropertyItem *child)
{
    const int position = indexOf(child);
    if (!child || position < 0)
        return;
    emit aboutToRemoveChild(this, position);
    m_children.remove(position);
    disconnect(child, nullptr, this, nullptr);
    emit childRemoved(this);
}

void PropertyItem::clearChildren()
{
    while (!m_children.isEmpty())
        removeChild(m_children.last());
}

void PropertyItem::setName(const QString &name)
{
    if (m_name == name)
        return;
    m_name = name;
    emit nameChanged(m_name);
    emit changed(this);
}

void PropertyItem::setKey(const QString &key)
{
    if (m_key == key)
        return;
    m_key = key;
    emit keyChanged(m_key);
}

void PropertyItem::setId(int id)
{
    if (m_id == id)
        return;
    m_id = id;
    emit idChanged(m_id);
    emit changed(this);
}

void PropertyItem::setDefaultValue(const QVariant &defaultValue)
{
    if (sameVariant(m_defaultValue, defaultValue))
        return;
    m_defaultValue = defaultValue;
    emit defaultValueChanged(m_defaultValue);
}

void PropertyItem::setDescription(const QString &description)
{
    if (m_description == description)
        return;
    m_description = description;
    emit descriptionChanged(m_description);
    emit changed(this);
}

void PropertyItem::setIcon(const QIcon &icon)
{
    m_icon = icon;
    emit iconChanged(m_icon);
    emit changed(this);
}

void PropertyItem::setReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    emit readOnlyChanged(m_readOnly);
    emit changed(this);
}

void PropertyItem::setChildrenReadOnly(bool readOnly)
{
    for (PropertyItem *child : qAsConst(m_children))
        child->setReadOnly(readOnly);
}

void PropertyItem::setValueIcon(const QIcon &icon)
{
    m_valueIcon = icon;
}

void PropertyItem::setHidden(bool hidden)
{
    if (m_hidden == hidden)
        return;
    m_hidden = hidden;
    emit hiddenChanged(m_hidden);
    emit hiddenStateChanged(this);
}

void PropertyItem::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    emit highlightedChanged(m_highlighted);
}

void PropertyItem::collapse()
{
    emit collapseProperty(this);
}

void PropertyItem::expend()
{
    emit expendProperty(this);
}

void PropertyItem::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    emit enabledChanged(m_enabled);
    emit changed(this);
}

void PropertyItem::addAction(QAction *action)
{
    if (action && !m_actions.contains(action))
        m_actions.append(action);
}

void PropertyItem::removeAction(QAction *action)
{
    m_actions.removeAll(action);
}

void PropertyItem::clearActions()
{
    m_actions.clear();
}

void PropertyItem::reset()
{
    setValue(m_defaultValue);
    const QVector<PropertyItem *> children = m_children;
    for (PropertyItem *child : children)
        child->reset();
}

void PropertyItem::setSettable(bool settable)
{
    if (m_settable == settable)
        return;
    m_settable = settable;
    emit settableChanged(m_settable);
}
