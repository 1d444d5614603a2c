#include "ColorModel.h"

#include "AxisDataSelector.h"
#include "ColorScheme.h"
#include "ComboBoxProperty.h"
#include "DataSelector.h"
#include "PropertyItem.h"

#include <QIcon>

#include <atomic>

struct ColorModel::LevelWatch
{
    std::atomic<bool> zero{false};
    std::atomic<bool> level{false};

    void note(bool hasLevel)
    {
        // Read first: once set, the flag's cache line is only read by every further echo.
        std::atomic<bool> &flag = hasLevel ? level : zero;
        if (!flag.load(std::memory_order_relaxed))
            flag.store(true, std::memory_order_relaxed);
    }
};

namespace {

const QVector3D noModelColor(1.0f, 0.0f, 0.0f);

class ModelFunction : public ColorFunction
{
public:
    ModelFunction(std::shared_ptr<const SelectorFunction> selector,
                  std::shared_ptr<const ColorScheme::Params> scheme,
                  std::shared_ptr<ColorModel::LevelWatch> levelWatch)
        : m_selector(std::move(selector)), m_scheme(std::move(scheme)), m_levelWatch(std::move(levelWatch))
    {
    }

    QVector3D color(const VEXA3D_SPOT_T &spot, int echoIndex, int lineNumber, int motorFieldNumber,
                    int remFieldNumber) const override
    {
        if (!m_selector || !m_scheme)
            return noModelColor;
        const float value = m_selector->value(spot, echoIndex, lineNumber, motorFieldNumber, remFieldNumber);
        // Range-only packets decode with every level 0; a line with real levels always has some above it.
        if (m_levelWatch)
            m_levelWatch->note(value != 0.0f);
        return m_scheme->color(value);
    }

private:
    std::shared_ptr<const SelectorFunction> m_selector;
    std::shared_ptr<const ColorScheme::Params> m_scheme;
    std::shared_ptr<ColorModel::LevelWatch> m_levelWatch;
};

} // namespace

ColorModel::ColorModel(QObject *parent)
    : AbstractColorModel(parent),
      m_function(std::make_shared<const ModelFunction>(nullptr, nullptr, nullptr)),
      m_levelWatch(std::make_shared<LevelWatch>())
{
    // Listeners on other threads (the legend, the composer) receive these queued.
    qRegisterMetaType<ColorScheme *>("ColorScheme*");
    qRegisterMetaType<DataSelector *>("DataSelector*");

    m_group = new PropertyItem(this);
    m_group->setKey(QStringLiteral("color"));
    m_group->setIcon(QIcon(QStringLiteral(":/icons/color")));

    m_schemeProperty = new ComboBoxProperty(this);
    m_schemeProperty->setKey(QStringLiteral("scheme"));
    for (int i = 0; i < ColorSchemeFactory::count; ++i)
        m_schemeProperty->addOption(ColorSchemeFactory::name(i), i, QIcon());
    m_sourceProperty = new ComboBoxProperty(this);
    m_sourceProperty->setKey(QStringLiteral("source"));
    for (int i = 0; i < DataSelectorFactory::count; ++i)
        m_sourceProperty->addOption(DataSelectorFactory::name(i), i, QIcon());
    m_group->addChild(m_schemeProperty);
    m_group->addChild(m_sourceProperty);

    connect(this, &ColorModel::setTranslationMatrix, this,
            [this](const QMatrix4x4 &m) { m_translation = m; });
    connect(this, &ColorModel::setRotationMatrix, this, [this](const QMatrix4x4 &m) { m_rotation = m; });

    setColorSchemeType(ColorSchemeFactory::Hue);
    setDataSelectorType(DataSelectorFactory::Axis);

    connect(m_schemeProperty, &PropertyItem::valueChanged, this, [this] {
        setColorSchemeType(ColorSchemeFactory::ColorSchemeType(m_schemeProperty->optionValue()));
    });
    connect(m_sourceProperty, &PropertyItem::valueChanged, this, [this] {
        setDataSelectorType(DataSelectorFactory::DataSelectorType(m_sourceProperty->optionValue()));
    });
    retranslate();
}

ColorModel::~ColorModel() = default;

QVector3D ColorModel::color(const VEXA3D_SPOT_T &spot, int echoIndex, int lineNumber, int motorFieldNumber,
                            int remFieldNumber) const
{
    return m_function.load()->color(spot, echoIndex, lineNumber, motorFieldNumber, remFieldNumber);
}

void ColorModel::retranslate()
{
    m_group->setName(tr("Color"));
    m_schemeProperty->setName(tr("Scheme"));
    m_sourceProperty->setName(tr("Source"));
    for (int i = 0; i < ColorSchemeFactory::count; ++i)
        m_schemeProperty->updateOptionLabel(ColorSchemeFactory::name(i), i);
    for (int i = 0; i < DataSelectorFactory::count; ++i)
        m_sourceProperty->updateOptionLabel(DataSelectorFactory::name(i), i);
    m_schemeProperty->retranslate();
    m_sourceProperty->retranslate();
    if (m_scheme)
        m_scheme->retranslate();
    if (m_selector)
        m_selector->retranslate();
    m_group->retranslate();
}

void ColorModel::setColorSchemeType(ColorSchemeFactory::ColorSchemeType type)
{
    if (type == m_schemeType && m_scheme)
        return;
    ColorScheme *scheme = ColorSchemeFactory::create(type, this);
    if (!scheme)
        return;

    if (m_scheme) {
        m_savedMin = m_scheme->minValue();
        m_savedMax = m_scheme->maxValue();
        m_savedMinColor = m_scheme->minColor();
        m_savedMaxColor = m_scheme->maxColor();
        m_savedInverted = m_scheme->invertedRange();
        disconnect(m_scheme, nullptr, this, nullptr);
        m_group->removeChild(m_scheme->property());
        m_scheme->deleteLater();
    }

    m_scheme = scheme;
    m_schemeType = type;
    if (m_schemeProperty->optionValue() != int(type))
        m_schemeProperty->setOptionValue(type);
    if (m_selector) {
        m_scheme->setValueRange(m_selector->lowerLimit(), m_selector->upperLimit());
        m_scheme->setMinDefaultValue(m_selector->defaultMin());
        m_scheme->setMaxDefaultValue(m_selector->defaultMax());
    }
    connect(m_scheme, &ColorScheme::changed, this, &ColorModel::onPartChanged);
    // The scheme's group sits right after the two choices, before the selector's own setting.
    m_group->addChild(m_scheme->property(), 2);
    publish();
    emit schemeChanged(m_scheme);
    emit changed();

    m_scheme->setMinValue(m_savedMin);
    m_scheme->setMaxValue(m_savedMax);
    m_scheme->setMinColor(m_savedMinColor);
    m_scheme->setMaxColor(m_savedMaxColor);
    m_scheme->setInvertedRange(m_savedInverted);
}

void ColorModel::setDataSelectorType(DataSelectorFactory::DataSelectorType type)
{
    if (type == m_selectorType && m_selector)
        return;
    DataSelector *selector = DataSelectorFactory::create(type, this);
    if (!selector)
        return;

    if (m_selector) {
        disconnect(m_selector, nullptr, this, nullptr);
        disconnect(this, nullptr, m_selector, nullptr);
        if (m_selector->property())
            m_group->removeChild(m_selector->property());
        m_selector->deleteLater();
    }

    m_selector = selector;
    m_selectorType = type;
    // What the previous source saw says nothing about this one.
    m_levelWatch = std::make_shared<LevelWatch>();
    m_levelsMissing = false;
    if (m_sourceProperty->optionValue() != int(type))
        m_sourceProperty->setOptionValue(type);
    if (m_scheme) {
        m_scheme->setValueRange(m_selector->lowerLimit(), m_selector->upperLimit());
        m_scheme->setMinDefaultValue(m_selector->defaultMin());
        m_scheme->setMaxDefaultValue(m_selector->defaultMax());
        m_scheme->setMinValue(m_selector->defaultMin());
        m_scheme->setMaxValue(m_selector->defaultMax());
    }
    connect(m_selector, &DataSelector::changed, this, &ColorModel::onPartChanged);
    if (m_selector->property())
        m_group->addChild(m_selector->property());
    if (auto *axis = qobject_cast<AxisDataSelector *>(m_selector)) {
        axis->setTranslationMatrix(m_translation);
        axis->setRotationMatrix(m_rotation);
        connect(this, &ColorModel::setTranslationMatrix, axis, &AxisDataSelector::setTranslationMatrix);
        connect(this, &ColorModel::setRotationMatrix, axis, &AxisDataSelector::setRotationMatrix);
    }
    publish();
    emit selectorChanged(m_selector);
    emit changed();
}

void ColorModel::onPartChanged()
{
    publish();
    emit changed();
}

void ColorModel::publish()
{
    const bool watch = m_selector && m_selector->readsLevels();
    m_function.store(std::make_shared<const ModelFunction>(m_selector ? m_selector->function() : nullptr,
                                                           m_scheme ? m_scheme->params() : nullptr,
                                                           watch ? m_levelWatch : nullptr));
}

bool ColorModel::levelsMissing()
{
    if (!m_selector || !m_selector->readsLevels())
        return false;
    const bool level = m_levelWatch->level.exchange(false, std::memory_order_relaxed);
    const bool zero = m_levelWatch->zero.exchange(false, std::memory_order_relaxed);
    if (level)
        m_levelsMissing = false;
    else if (zero)
        m_levelsMissing = true;
    return m_levelsMissing;
}
