#include "settings/TReportMarginForm.h"

#include "platform/Ui.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace kb {

namespace {

// A margin field that takes a typed number above the largest margin as that margin: a typed
// 45 becomes 40 when the field is left or Enter is pressed, never 4 (the plain spin box would
// refuse the second digit).
class EinzugFeld final : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString &text, int &pos) const override
    {
        const QString t = text.trimmed();
        const bool ziffern = !t.isEmpty() && t.size() <= 4
            && std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); });
        if (ziffern && t.toInt() > maximum())
            return QValidator::Intermediate;
        return QSpinBox::validate(text, pos);
    }
    void fixup(QString &text) const override
    {
        bool zahl = false;
        const int wert = text.trimmed().toInt(&zahl);
        if (zahl && wert > maximum())
            text = QString::number(maximum());
        else
            QSpinBox::fixup(text);
    }
};

std::array<double, 4> alsFelder(const Margins &m)
{
    return { m.top, m.left, m.right, m.bottom };
}

Margins ausFeldern(const std::array<QSpinBox *, 4> &f)
{
    return Margins { .left = double(f[1]->value()),
        .right = double(f[2]->value()),
        .top = double(f[0]->value()),
        .bottom = double(f[3]->value()) };
}

} // namespace

TReportMarginForm::TReportMarginForm(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(u"Blatteinzug"_s);
    setWindowFlag(Qt::Tool);
    auto *v = new QVBoxLayout(this);

    // Both groups show at once: the window is small enough for any screen.
    v->addWidget(gruppe(Gruppe::Jahr, u"Jahreskalender"_s));
    v->addWidget(gruppe(Gruppe::Monat, u"Monatskalender"_s));

    auto *knoepfe = new QHBoxLayout;
    m_standardKnopf = new QPushButton(u"Standard "_s, this);
    m_standardKnopf->setToolTip(u"Standard wieder herstellen"_s);
    m_standardKnopf->setAutoDefault(false);
    m_speichern = new QPushButton(u"Speichern"_s, this);
    m_speichern->setEnabled(false);
    m_speichern->setDefault(true);
    m_abbrechen = new QPushButton(u"Abbrechen"_s, this);
    knoepfe->addWidget(m_standardKnopf);
    knoepfe->addStretch(1);
    knoepfe->addWidget(m_speichern);
    knoepfe->addWidget(m_abbrechen);
    v->addLayout(knoepfe);

    connect(m_standardKnopf, &QPushButton::clicked, this, [this] {
        setWerte(m_standard);
        m_speichern->setEnabled(true);
    });
    connect(m_speichern, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_abbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget *TReportMarginForm::gruppe(Gruppe g, const QString &titel)
{
    static const char *const labels[4]
        = { "oberer Einzug", "linker Einzug", "rechter Einzug", "unterer Einzug" };
    auto *box = new QGroupBox(titel);
    auto *grid = new QGridLayout(box);
    for (int i = 0; i < 4; ++i) {
        auto *spin = new EinzugFeld(box);
        spin->setRange(kMarginDialogMin, kMarginDialogMax);
        m_felder[static_cast<int>(g)][i] = spin;
        grid->addWidget(new QLabel(QString::fromUtf8(labels[i]), box), i, 0);
        grid->addWidget(spin, i, 1);
        grid->addWidget(new QLabel(u"mm"_s, box), i, 2);
        connect(spin, &QSpinBox::valueChanged, this, [this] { m_speichern->setEnabled(true); });
    }
    grid->setColumnStretch(3, 1);
    return box;
}

void TReportMarginForm::setWerte(const MarginDialogValues &werte)
{
    const MarginDialogValues w = clampedMarginDialogValues(werte);
    const std::array<Margins, 2> gruppen = { w.year, w.month };
    for (int g = 0; g < 2; ++g) {
        const auto felder = alsFelder(gruppen[g]);
        for (int i = 0; i < 4; ++i)
            m_felder[g][i]->setValue(qRound(felder[i]));
    }
}

MarginDialogValues TReportMarginForm::werte() const
{
    return MarginDialogValues { ausFeldern(m_felder[0]), ausFeldern(m_felder[1]) };
}

void TReportMarginForm::done(int result)
{
    m_speichern->setEnabled(false);
    m_speichern->setDefault(true);
    QDialog::done(result);
}

void TReportMarginForm::showEvent(QShowEvent *event)
{
    // Without a window manager the dialog takes its size and its place in the centre itself.
    adjustSize();
    if (const QScreen *sc = screen()) {
        const QRect frei = sc->availableGeometry();
        resize(size().boundedTo(frei.size()));
        move(frei.center() - rect().center());
    }
    QDialog::showEvent(event);
}

bool blatteinzugBearbeiten(TReportMarginForm &dialog, IniFile &ini)
{
    dialog.setWerte(readMarginDialogValues(ini));
    dialog.setStandard(standardMarginDialogValues());
    if (ui().runModal(&dialog) != QDialog::Accepted)
        return false;
    writeMarginDialogValues(ini, dialog.werte());
    return true;
}

} // namespace kb
