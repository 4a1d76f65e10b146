#include "designer/TReportEinst.h"

#include "designer/Entwurfsregeln.h"
#include "platform/Ui.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kb::designer {

namespace {

const char *const kZeilen[]
    = { "Seite", "Kopf-Band", "Detail-Band", "Detail-Band (Tage)", "Summen-Band", "Fuss-Band" };
const char *const kSeiten[] = { "oben", "unten", "links", "rechts" };

std::array<bool *, 4> seiten(FrameSides &s)
{
    return { &s.top, &s.bottom, &s.left, &s.right };
}

} // namespace

TReportEinst::TReportEinst(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Kalender-Einstellungen"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    auto *rahmen = new QGroupBox(QStringLiteral("Rahmen"));
    auto *raster = new QGridLayout(rahmen);
    for (int z = 0; z < 6; ++z) {
        auto *label = new QLabel(QString::fromUtf8(kZeilen[z]));
        raster->addWidget(label, z, 0);
        for (int s = 0; s < 4; ++s) {
            auto *box = new QCheckBox(QString::fromUtf8(kSeiten[s]));
            raster->addWidget(box, z, s + 1);
            m_schalter[std::size_t(z)][std::size_t(s)] = box;
            box->setVisible(z != 4);
        }
        // The summary band is never printed on its own; its row stays hidden.
        label->setVisible(z != 4);
    }
    m_farbFeld = new QLabel;
    m_farbFeld->setFixedSize(40, 18);
    m_farbFeld->setFrameShape(QFrame::Box);
    m_farbFeld->setAutoFillBackground(true);
    m_farbeAendern = new QPushButton(QString::fromUtf8("ändern"));
    raster->addWidget(new QLabel(QStringLiteral("Farbe")), 6, 0);
    raster->addWidget(m_farbFeld, 6, 1);
    raster->addWidget(m_farbeAendern, 6, 2);
    raster->addWidget(new QLabel(QStringLiteral("Linien-Breite")), 7, 0);

    const auto zahlFeld = [this](int i, const QString &muster) {
        auto *feld = new QLineEdit;
        feld->setValidator(new QRegularExpressionValidator(QRegularExpression(muster), feld));
        feld->setMaximumWidth(80);
        m_felder[std::size_t(i)] = feld;
        m_rauf[std::size_t(i)] = new QPushButton(QStringLiteral("▲"));
        m_runter[std::size_t(i)] = new QPushButton(QStringLiteral("▼"));
        auto *zeile = new QHBoxLayout;
        zeile->setSpacing(1);
        zeile->addWidget(feld);
        for (QPushButton *b : { m_rauf[std::size_t(i)], m_runter[std::size_t(i)] }) {
            b->setFixedSize(20, 20);
            b->setAutoDefault(false);
            zeile->addWidget(b);
        }
        zeile->addStretch(1);
        return zeile;
    };
    raster->addLayout(zahlFeld(4, QStringLiteral("[0-9]{0,4}")), 7, 1, 1, 3);

    auto *raender = new QGroupBox(QString::fromUtf8("Ränder"));
    auto *rl = new QGridLayout(raender);
    for (int i = 0; i < 4; ++i) {
        rl->addWidget(new QLabel(QString::fromUtf8(kSeiten[i])), i, 0);
        rl->addLayout(zahlFeld(i, QStringLiteral("[0-9,]*")), i, 1);
        m_felder[std::size_t(i)]->installEventFilter(this);
        connect(m_felder[std::size_t(i)], &QLineEdit::returnPressed, this,
            [this, i] { randVerlassen(i); });
    }
    for (int i = 0; i < 5; ++i) {
        connect(m_rauf[std::size_t(i)], &QPushButton::clicked, this, [this, i] { schritt(i, 1); });
        connect(
            m_runter[std::size_t(i)], &QPushButton::clicked, this, [this, i] { schritt(i, -1); });
    }
    connect(m_farbeAendern, &QPushButton::clicked, this, [this] {
        if (const std::optional<QColor> c = ui().color(formColor(m_farbe))) {
            m_farbe = storedColor(*c);
            farbeZeigen();
        }
    });

    auto *knoepfe = new QDialogButtonBox;
    QPushButton *ok
        = knoepfe->addButton(QString::fromUtf8("Übernehmen"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *l = new QVBoxLayout(this);
    l->addWidget(rahmen);
    l->addWidget(raender);
    l->addWidget(knoepfe);
    l->setSizeConstraint(QLayout::SetFixedSize);

    setzen(FormPage {});
    m_felder[4]->setText(QStringLiteral("0"));
    for (int i = 0; i < 4; ++i)
        m_felder[std::size_t(i)]->setText(QStringLiteral("10"));
}

void TReportEinst::setzen(const FormPage &page)
{
    FormPage p = page;
    const auto zeile = [&](int z) -> FrameSides & {
        return z == 0 ? p.pageFrame : p.bandFrames[std::size_t(z - 1)];
    };
    for (int z = 0; z < 6; ++z) {
        const auto s = seiten(zeile(z));
        for (std::size_t i = 0; i < 4; ++i)
            m_schalter[std::size_t(z)][i]->setChecked(*s[i]);
    }
    m_farbe = page.frameColor;
    farbeZeigen();
    m_felder[4]->setText(QString::number(page.frameWidth));
    const double raender[]
        = { page.marginTop, page.marginBottom, page.marginLeft, page.marginRight };
    for (int i = 0; i < 4; ++i)
        m_felder[std::size_t(i)]->setText(randText(
            QString::number(raender[i], 'f', 2).replace(QLatin1Char('.'), QLatin1Char(',')))
                                              .value_or(QString()));
}

bool TReportEinst::uebernehmen(FormPage &page) const
{
    std::array<double, 4> raender {};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::optional<double> wert = randWert(m_felder[i]->text());
        if (!wert || *wert > kMaxMargin)
            return false;
        raender[i] = *wert;
    }
    const auto zeile = [&](int z) -> FrameSides & {
        return z == 0 ? page.pageFrame : page.bandFrames[std::size_t(z - 1)];
    };
    for (int z = 0; z < 6; ++z) {
        const auto s = seiten(zeile(z));
        for (std::size_t i = 0; i < 4; ++i)
            *s[i] = m_schalter[std::size_t(z)][i]->isChecked();
    }
    page.frameColor = m_farbe;
    page.frameWidth = m_felder[4]->text().toInt();
    page.marginTop = raender[0];
    page.marginBottom = raender[1];
    page.marginLeft = raender[2];
    page.marginRight = raender[3];
    return true;
}

void TReportEinst::accept()
{
    // A margin that is no number would leave the form half changed: the dialog says which
    // field it is and stays open.
    for (int i = 0; i < 4; ++i) {
        if (!randWert(m_felder[std::size_t(i)]->text())) {
            ui().message(
                QStringLiteral("Der Rand „%1“ ist keine Zahl.").arg(QString::fromUtf8(kSeiten[i])));
            m_felder[std::size_t(i)]->setFocus();
            return;
        }
    }
    QDialog::accept();
}

bool TReportEinst::eventFilter(QObject *watched, QEvent *event)
{
    for (int i = 0; i < 4; ++i) {
        if (watched != m_felder[std::size_t(i)])
            continue;
        if (event->type() == QEvent::FocusIn)
            m_gemerkt[std::size_t(i)] = m_felder[std::size_t(i)]->text();
        else if (event->type() == QEvent::FocusOut)
            randVerlassen(i);
    }
    return QDialog::eventFilter(watched, event);
}

void TReportEinst::randVerlassen(int i)
{
    QLineEdit *feld = m_felder[std::size_t(i)];
    QString fehler;
    if (const std::optional<QString> text = randText(feld->text(), &fehler)) {
        feld->setText(*text);
        m_gemerkt[std::size_t(i)] = *text;
    } else if (!fehler.isEmpty()) {
        ui().message(fehler);
        feld->setText(m_gemerkt[std::size_t(i)]);
    }
}

void TReportEinst::schritt(int i, int delta)
{
    QLineEdit *feld = m_felder[std::size_t(i)];
    if (i == 4) {
        const int wert = feld->text().toInt() + delta;
        if (wert >= 0)
            feld->setText(QString::number(wert));
        return;
    }
    feld->setText(randSchritt(feld->text(), delta));
}

void TReportEinst::farbeZeigen()
{
    QPalette pal = m_farbFeld->palette();
    pal.setColor(QPalette::Window, formColor(m_farbe));
    m_farbFeld->setPalette(pal);
}

} // namespace kb::designer
