#pragma once

#include "DataFilter.h"
#include "Published.h"

class IntegerProperty;

// A filter over an integer window [Min, Max].
class IntegerMinMaxFilter : public DataFilter
{
    Q_OBJECT
public:
    struct Window
    {
        bool enabled = false;
        int min = 0;
        int max = 0;
    };

    explicit IntegerMinMaxFilter(QObject *parent = nullptr);

    void apply(VEXA3D_MEASUREMENT_DATA_T &data) override;
    bool isEnabled() const override { return m_window.load()->enabled; }
    void retranslate() override;

    // Limits of both properties; Min and its default become lo, Max and its default hi.
    void setRange(int lo, int hi);

    IntegerProperty *minProperty() const { return m_min; }
    IntegerProperty *maxProperty() const { return m_max; }
    std::shared_ptr<const Window> window() const { return m_window.load(); }
    // Filters with the given settings, enabled or not.
    virtual void applyWindow(VEXA3D_MEASUREMENT_DATA_T &data, const Window &window) const = 0;

protected:
    virtual QString unit() const { return QString(); }
    void publish();

private:
    IntegerProperty *m_min = nullptr;
    IntegerProperty *m_max = nullptr;
    Published<Window> m_window;
};
