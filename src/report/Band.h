#pragma once

#include "report/Page.h"
#include "report/Printable.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kb::report {

// Lines along the sides of a band or of the page's printable area.
struct Frame {
    std::optional<PenSpec> top, bottom, left, right;

    bool any() const { return top || bottom || left || right; }
    void setAll(const std::optional<PenSpec> &pen) { top = bottom = left = right = pen; }
};

class Band {
public:
    using Hook = std::function<void(Band &)>;

    Band(BandKind kind, const FontSpec *reportFont)
        : m_kind(kind)
        , m_reportFont(reportFont)
    {
    }
    Band(const Band &) = delete;
    Band &operator=(const Band &) = delete;

    BandKind kind() const { return m_kind; }

    double height() const { return m_height; }
    void setHeight(double h) { m_height = h < 0 ? 0 : h; }
    // Filled over the whole band before its printables; none leaves the page showing.
    const std::optional<QColor> &background() const { return m_background; }
    void setBackground(const std::optional<QColor> &c) { m_background = c; }
    Frame &frame() { return m_frame; }
    const Frame &frame() const { return m_frame; }
    // Group header and detail only: the band's next print starts a new column.
    bool forceNewColumn() const { return m_forceNewColumn; }
    void setForceNewColumn(bool on) { m_forceNewColumn = on; }
    // Group header only: the field whose change prints the band again.
    const QString &groupField() const { return m_groupField; }
    void setGroupField(const QString &field) { m_groupField = field; }
    // A disabled band never prints.
    bool enabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }

    // Run just before / just after each print, with the data set on the band's record.
    void setBeforePrint(Hook hook) { m_beforePrint = std::move(hook); }
    void setAfterPrint(Hook hook) { m_afterPrint = std::move(hook); }
    void runBeforePrint()
    {
        if (m_beforePrint)
            m_beforePrint(*this);
    }
    void runAfterPrint()
    {
        if (m_afterPrint)
            m_afterPrint(*this);
    }

    // Adds a printable, drawn after those added before it. The band owns it.
    template<class T, class... Args> T &add(Args &&...args)
    {
        auto printable = std::make_unique<T>(std::forward<Args>(args)...);
        T &ref = *printable;
        adopt(std::move(printable));
        return ref;
    }
    // Adds a printable drawn behind all others.
    template<class T, class... Args> T &addBehind(Args &&...args)
    {
        auto printable = std::make_unique<T>(std::forward<Args>(args)...);
        T &ref = *printable;
        adopt(std::move(printable), true);
        return ref;
    }
    bool remove(const Printable *printable);
    void clear() { m_printables.clear(); }
    const std::vector<std::unique_ptr<Printable>> &printables() const { return m_printables; }

private:
    void adopt(std::unique_ptr<Printable> printable, bool behind = false);

    BandKind m_kind;
    const FontSpec *m_reportFont;
    double m_height = 0;
    std::optional<QColor> m_background;
    Frame m_frame;
    bool m_forceNewColumn = false;
    bool m_enabled = true;
    QString m_groupField;
    Hook m_beforePrint, m_afterPrint;
    std::vector<std::unique_ptr<Printable>> m_printables;
};

} // namespace kb::report
