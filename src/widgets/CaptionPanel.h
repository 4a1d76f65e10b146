#pragma once

#include <QFrame>

class QLabel;
class QToolButton;
class QVBoxLayout;

namespace kb::widgets {

// A panel with a caption bar on top (the caption in white on a blue gradient and a close
// button at its right end) and a content area below it. The close button hides the panel
// and says so with closed().
class CaptionPanel : public QFrame {
    Q_OBJECT
public:
    explicit CaptionPanel(const QString &caption, QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    QString caption() const;

    // The area below the caption bar; its layout is a QVBoxLayout without margins.
    QWidget *content() const { return m_content; }
    QVBoxLayout *contentLayout() const { return m_contentLayout; }
    QToolButton *closeButton() const { return m_close; }

Q_SIGNALS:
    void closed();

private:
    QWidget *m_bar = nullptr;
    QLabel *m_caption = nullptr;
    QToolButton *m_close = nullptr;
    QWidget *m_content = nullptr;
    QVBoxLayout *m_contentLayout = nullptr;
};

} // namespace kb::widgets
