#include "shell/TPasswordDlg.h"

#include "caldata/KalenderDatei.h"
#include "shell/PasswortRegel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kb {

namespace {

QLineEdit *passwortEdit(QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setEchoMode(QLineEdit::Password);
    // Typed characters show as "*".
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    return edit;
}

} // namespace

TPasswordDlg::TPasswordDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Tabellen-Passwort"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Passwort eingeben / ändern"), this), 0, 0, 1, 2);
    m_passwort = passwortEdit(this);
    m_passwort->setMaxLength(kMaxPasswortLaenge);
    grid->addWidget(m_passwort, 1, 0);
    auto *hinweis = new QVBoxLayout;
    hinweis->setSpacing(0);
    hinweis->addWidget(new QLabel(QStringLiteral("maximal 10 Zeichen"), this));
    hinweis->addWidget(new QLabel(QStringLiteral("gross/klein "), this));
    hinweis->addWidget(new QLabel(QStringLiteral("Schreibung beachten"), this));
    grid->addLayout(hinweis, 1, 1, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Passwortwiederholung"), this), 3, 0, 1, 2);
    m_wiederholung = passwortEdit(this);
    grid->addWidget(m_wiederholung, 4, 0);
    grid->setColumnMinimumWidth(0, 160);
    layout->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_ok->setEnabled(false);
    m_abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_abbrechen);
    layout->addLayout(buttons);

    connect(m_passwort, &QLineEdit::textChanged, this, &TPasswordDlg::pruefen);
    connect(m_wiederholung, &QLineEdit::textChanged, this, &TPasswordDlg::pruefen);
    connect(m_ok, &QPushButton::clicked, this, &TPasswordDlg::accept);
    connect(m_abbrechen, &QPushButton::clicked, this, &TPasswordDlg::reject);
}

QString TPasswordDlg::passwort() const
{
    return m_passwort->text();
}

void TPasswordDlg::pruefen()
{
    m_ok->setEnabled(passwortOkErlaubt(m_passwort->text(), m_wiederholung->text()));
}

void TPasswordDlg::accept()
{
    if (passwortOkErlaubt(m_passwort->text(), m_wiederholung->text()))
        QDialog::accept();
}

} // namespace kb
