#pragma once

#include "AbstractColorModel.h"
#include "ColorSchemeFactory.h"
#include "DataSelectorFactory.h"
#include "Published.h"

#include <QColor>
#include <QMatrix4x4>

class ColorScheme;
class ComboBoxProperty;
class DataSelector;
class PropertyItem;

// Colours an echo by passing the chosen selector's value through the chosen scheme. The user picks both
// in the "Color" group; the value window and colours carry over when only the scheme changes.
class ColorModel : public AbstractColorModel
{
    Q_OBJECT
public:
    // What the colour functions saw of the levels, written on whichever thread colours.
    struct LevelWatch;

    explicit ColorModel(QObject *parent = nullptr);
    ~ColorModel() override;

    QVector3D color(const VEXA3D_SPOT_T &spot, int echoIndex, int lineNumber, int motorFieldNumber,
                    int remFieldNumber) const override;
    std::shared_ptr<const ColorFunction> colorFunction() const override { return m_function.load(); }

    PropertyItem *property() const { return m_group; }
    ComboBoxProperty *schemeProperty() const { return m_schemeProperty; }
    ComboBoxProperty *sourceProperty() const { return m_sourceProperty; }
    ColorScheme *scheme() const { return m_scheme; }
    DataSelector *selector() const { return m_selector; }
    ColorSchemeFactory::ColorSchemeType schemeType() const { return m_schemeType; }
    DataSelectorFactory::DataSelectorType selectorType() const { return m_selectorType; }
    // GUI thread: true while the source reads levels and the echoes coloured since the last call carried
    // none (a range-only stream); the answer is kept while nothing new was coloured.
    bool levelsMissing();
    void retranslate();

public slots:
    void setColorSchemeType(ColorSchemeFactory::ColorSchemeType type);
    void setDataSelectorType(DataSelectorFactory::DataSelectorType type);

signals:
    void schemeChanged(ColorScheme *scheme);
    void selectorChanged(DataSelector *selector);
    void changed();
    // The point cloud's pose, passed on to the axis selector.
    void setTranslationMatrix(const QMatrix4x4 &transMat);
    void setRotationMatrix(const QMatrix4x4 &rotMat);

private:
    void publish();
    void onPartChanged();

    PropertyItem *m_group = nullptr;
    ComboBoxProperty *m_schemeProperty = nullptr;
    ComboBoxProperty *m_sourceProperty = nullptr;
    ColorScheme *m_scheme = nullptr;
    DataSelector *m_selector = nullptr;
    ColorSchemeFactory::ColorSchemeType m_schemeType = ColorSchemeFactory::Hue;
    DataSelectorFactory::DataSelectorType m_selectorType = DataSelectorFactory::Axis;

    // What a scheme switch carries over.
    float m_savedMin = -5.0f;
    float m_savedMax = 10.0f;
    QColor m_savedMinColor{255, 255, 0};
    QColor m_savedMaxColor{255, 0, 0};
    bool m_savedInverted = true;

    // The last pose, so that an axis selector chosen later starts from it.
    QMatrix4x4 m_translation;
    QMatrix4x4 m_rotation;

    Published<ColorFunction> m_function;
    std::shared_ptr<LevelWatch> m_levelWatch;
    bool m_levelsMissing = false;
};
