#pragma once

#include <QImage>
#include <QWidget>

namespace kb {

// The start-up window: 274 by 176 pixels, centred, without system buttons, the logo on a
// blue gradient. It shows while the program starts and closes when the main window is ready
// with all its windows.
class TKBForm : public QWidget {
    Q_OBJECT
public:
    explicit TKBForm(QWidget *parent = nullptr);

    // Loads "KBLogo.bmp" from the program directory; throws kb::Error when it is missing.
    void logoLaden();
    // Shows a logo loaded elsewhere (kb::logoLaden), e.g. on another thread.
    void setLogo(const QImage &logo);
    const QImage &logo() const { return m_logo; }
    // Shows the window centred on the screen. It paints once the window system exposed it,
    // in the event loop; start-up goes on meanwhile.
    void zeigen();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_logo;
    QImage m_verlauf; // the gradient, one pixel wide
};

} // namespace kb
