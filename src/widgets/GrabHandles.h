#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <array>

class QWidget;

namespace kb::widgets {

class GrabHandle;

// Grab handles around a widget: eight small squares on its corners and edges that resize it,
// and dragging the widget itself moves it, both within its parent. They appear with attach()
// and go with detach().
class GrabHandles : public QObject {
    Q_OBJECT
public:
    explicit GrabHandles(QObject *parent = nullptr);
    ~GrabHandles() override;

    void attach(QWidget *target);
    void detach();
    bool attached() const { return m_target != nullptr; }
    QWidget *target() const { return m_target; }
    // The handle squares, for tests: corners and edge middles clockwise from top-left.
    QWidget *handle(int index) const;

    static constexpr int kGroesse = 7;
    static constexpr int kMindestgroesse = 10;

    // The target's new box when the handle `index` is dragged by `delta` from `start`: the
    // dragged sides follow, the box never shrinks below kMindestgroesse.
    static QRect resized(const QRect &start, int index, const QPoint &delta);

Q_SIGNALS:
    // The target was moved or resized by the user.
    void geometryChanged(const QRect &geometry);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class GrabHandle;
    void place();
    void dragged(int index, const QPoint &delta, const QRect &start);

    QPointer<QWidget> m_target;
    std::array<QPointer<GrabHandle>, 8> m_handles {};
    QRect m_moveStart;
    QPoint m_movePress;
    bool m_moving = false;
};

} // namespace kb::widgets
