#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kb {

// "Info": program name, version, maker and web address; the address opens in the browser.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    QLabel *adresse() const { return m_adresse; }
    QPushButton *okButton() const { return m_ok; }

private:
    QLabel *m_adresse = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace kb
