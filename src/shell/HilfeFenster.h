#pragma once

#include <QDialog>

class QTextBrowser;

namespace kb {

// The help: German HTML pages below the program directory, with contents, back and forward.
// Links to web pages open in the browser.
class HilfeFenster : public QDialog {
    Q_OBJECT
public:
    explicit HilfeFenster(QWidget *parent = nullptr);

    // Shows the contents page; says so when the help is not installed.
    void inhaltZeigen();
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser = nullptr;
};

} // namespace kb
