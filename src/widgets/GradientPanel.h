#pragma once

#include <QColor>
#include <QWidget>

namespace kb::widgets {

// A panel painted with a stepped vertical gradient, e.g. the main window's left-hand bar
// (blue at the top to black at the bottom in 64 steps). Children lie on top of it.
class GradientPanel : public QWidget {
    Q_OBJECT
public:
    explicit GradientPanel(QWidget *parent = nullptr);

    void setGradient(const QColor &top, const QColor &bottom, int steps);
    QColor topColor() const { return m_top; }
    QColor bottomColor() const { return m_bottom; }
    int steps() const { return m_steps; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_top = Qt::blue;
    QColor m_bottom = Qt::black;
    int m_steps = 64;
};

} // namespace kb::widgets
