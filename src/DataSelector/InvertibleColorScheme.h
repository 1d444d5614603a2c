#pragma once

#include "ColorScheme.h"

class BoolProperty;

// A scheme whose ramp can run either way, with an "Inverted" check box.
class InvertibleColorScheme : public ColorScheme
{
    Q_OBJECT
    Q_PROPERTY(bool invertedRange READ invertedRange WRITE setInvertedRange NOTIFY invertedRangeChanged)
public:
    explicit InvertibleColorScheme(QObject *parent = nullptr);

    bool invertedRange() const override;
    void retranslate() override;
    BoolProperty *invertedProperty() const { return m_inverted; }

public slots:
    void setInvertedRange(bool invertedRange) override;

signals:
    void invertedRangeChanged(bool invertedRange);

private:
    BoolProperty *m_inverted = nullptr;
};

// Hue 0 (red) through yellow, green and cyan to hue 255 (blue-violet).
class HueColorScheme : public InvertibleColorScheme
{
    Q_OBJECT
public:
    explicit HueColorScheme(QObject *parent = nullptr);
    static QString displayName() { return tr("Hue"); }
    QString name() const override { return displayName(); }

protected:
    Params::MapFunction mapFunction() const override { return &map; }

private:
    static QVector3D map(const Params &params, float value);
};

// Black to white.
class GrayColorScheme : public InvertibleColorScheme
{
    Q_OBJECT
public:
    explicit GrayColorScheme(QObject *parent = nullptr);
    static QString displayName() { return tr("Gray"); }
    QString name() const override { return displayName(); }

protected:
    Params::MapFunction mapFunction() const override { return &map; }

private:
    static QVector3D map(const Params &params, float value);
};
