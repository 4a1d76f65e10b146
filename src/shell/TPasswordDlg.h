#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kb {

// "Tabellen-Passwort": the password and its repetition. Made once at start-up and reused, so
// it shows the previous entries again. "OK" is enabled exactly when both entries are equal.
class TPasswordDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPasswordDlg(QWidget *parent = nullptr);

    QString passwort() const;
    QLineEdit *passwortFeld() const { return m_passwort; }
    QLineEdit *wiederholungFeld() const { return m_wiederholung; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *abbrechenButton() const { return m_abbrechen; }

public Q_SLOTS:
    // Closes with OK only when both entries are equal.
    void accept() override;

private:
    void pruefen();

    QLineEdit *m_passwort = nullptr;
    QLineEdit *m_wiederholung = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_abbrechen = nullptr;
};

} // namespace kb
