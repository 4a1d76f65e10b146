#pragma once

#include <QColor>
#include <QPushButton>

namespace kb::widgets {

// A push button drawn as an oval (a capsule with round ends) with a soft gradient face; it
// lights up under the mouse, sinks while pressed and greys out when disabled.
class OvalButton : public QPushButton {
    Q_OBJECT
public:
    explicit OvalButton(const QString &text, QWidget *parent = nullptr);

    void setFaceColor(const QColor &color);
    QColor faceColor() const { return m_face; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QColor m_face = QColor(0x3a, 0x6e, 0xc8);
};

} // namespace kb::widgets
