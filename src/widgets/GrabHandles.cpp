#include "widgets/GrabHandles.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace kb::widgets {

namespace {

// Which sides a handle moves: left, top, right, bottom.
struct Seiten {
    bool left, top, right, bottom;
};

constexpr std::array<Seiten, 8> kSeiten { {
    { true, true, false, false }, // top-left
    { false, true, false, false }, // top
    { false, true, true, false }, // top-right
    { false, false, true, false }, // right
    { false, false, true, true }, // bottom-right
    { false, false, false, true }, // bottom
    { true, false, false, true }, // bottom-left
    { true, false, false, false }, // left
} };

Qt::CursorShape cursorFor(int index)
{
    switch (index) {
    case 0:
    case 4:
        return Qt::SizeFDiagCursor;
    case 2:
    case 6:
        return Qt::SizeBDiagCursor;
    case 1:
    case 5:
        return Qt::SizeVerCursor;
    default:
        return Qt::SizeHorCursor;
    }
}

} // namespace

// One square; it reports its drags to the owner.
class GrabHandle : public QWidget {
public:
    GrabHandle(GrabHandles *owner, int index, QWidget *parent)
        : QWidget(parent)
        , m_owner(owner)
        , m_index(index)
    {
        setFixedSize(GrabHandles::kGroesse, GrabHandles::kGroesse);
        setCursor(cursorFor(index));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        m_press = e->globalPosition().toPoint();
        m_start = m_owner->target() ? m_owner->target()->geometry() : QRect();
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        if (e->buttons() & Qt::LeftButton)
            m_owner->dragged(m_index, e->globalPosition().toPoint() - m_press, m_start);
    }

private:
    GrabHandles *m_owner;
    int m_index;
    QPoint m_press;
    QRect m_start;
};

GrabHandles::GrabHandles(QObject *parent)
    : QObject(parent)
{
}

GrabHandles::~GrabHandles()
{
    detach();
}

void GrabHandles::attach(QWidget *target)
{
    if (target == m_target)
        return;
    detach();
    if (!target || !target->parentWidget())
        return;
    m_target = target;
    target->installEventFilter(this);
    for (int i = 0; i < 8; ++i) {
        m_handles[i] = new GrabHandle(this, i, target->parentWidget());
        m_handles[i]->show();
        m_handles[i]->raise();
    }
    place();
}

void GrabHandles::detach()
{
    if (m_target)
        m_target->removeEventFilter(this);
    for (QPointer<GrabHandle> &h : m_handles) {
        delete h.data();
        h = nullptr;
    }
    m_target = nullptr;
    m_moving = false;
}

QWidget *GrabHandles::handle(int index) const
{
    return index >= 0 && index < 8 ? m_handles[index].data() : nullptr;
}

QRect GrabHandles::resized(const QRect &start, int index, const QPoint &delta)
{
    if (index < 0 || index >= 8)
        return start;
    const Seiten s = kSeiten[index];
    int l = start.left(), t = start.top(), r = start.right() + 1, b = start.bottom() + 1;
    if (s.left)
        l = std::min(l + delta.x(), r - kMindestgroesse);
    if (s.right)
        r = std::max(r + delta.x(), l + kMindestgroesse);
    if (s.top)
        t = std::min(t + delta.y(), b - kMindestgroesse);
    if (s.bottom)
        b = std::max(b + delta.y(), t + kMindestgroesse);
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

void GrabHandles::dragged(int index, const QPoint &delta, const QRect &start)
{
    if (!m_target)
        return;
    m_target->setGeometry(resized(start, index, delta));
    place();
    Q_EMIT geometryChanged(m_target->geometry());
}

void GrabHandles::place()
{
    if (!m_target)
        return;
    const QRect g = m_target->geometry();
    const int h = kGroesse / 2;
    const int xs[3] = { g.left() - h - 1, g.center().x() - h, g.right() - h + 1 };
    const int ys[3] = { g.top() - h - 1, g.center().y() - h, g.bottom() - h + 1 };
    const std::array<QPoint, 8> punkte { QPoint(xs[0], ys[0]), QPoint(xs[1], ys[0]),
        QPoint(xs[2], ys[0]), QPoint(xs[2], ys[1]), QPoint(xs[2], ys[2]), QPoint(xs[1], ys[2]),
        QPoint(xs[0], ys[2]), QPoint(xs[0], ys[1]) };
    for (int i = 0; i < 8; ++i) {
        if (m_handles[i]) {
            m_handles[i]->move(punkte[i]);
            m_handles[i]->raise();
        }
    }
}

bool GrabHandles::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_target)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::LeftButton) {
            m_moving = true;
            m_movePress = e->globalPosition().toPoint();
            m_moveStart = m_target->geometry();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (m_moving && (e->buttons() & Qt::LeftButton)) {
            m_target->move(m_moveStart.topLeft() + e->globalPosition().toPoint() - m_movePress);
            place();
            Q_EMIT geometryChanged(m_target->geometry());
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        m_moving = false;
        break;
    case QEvent::Move:
    case QEvent::Resize:
        place();
        break;
    case QEvent::Hide:
        for (const QPointer<GrabHandle> &h : m_handles) {
            if (h)
                h->hide();
        }
        break;
    case QEvent::Show:
        for (const QPointer<GrabHandle> &h : m_handles) {
            if (h)
                h->show();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kb::widgets
