#pragma once

#include "ColorScheme.h"

class ColorProperty;

// A straight blend from the min colour to the max colour.
class GradientColorScheme : public ColorScheme
{
    Q_OBJECT
public:
    explicit GradientColorScheme(QObject *parent = nullptr);
    static QString displayName() { return tr("Gradient"); }
    QString name() const override { return displayName(); }
    QColor minColor() const override;
    QColor maxColor() const override;
    void retranslate() override;

public slots:
    void setMinColor(const QColor &color) override;
    void setMaxColor(const QColor &color) override;

protected:
    Params::MapFunction mapFunction() const override { return &map; }

private:
    static QVector3D map(const Params &params, float value);

    ColorProperty *m_maxColor = nullptr;
    ColorProperty *m_minColor = nullptr;
};
