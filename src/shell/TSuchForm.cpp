#include "shell/TSuchForm.h"

#include "platform/ProgramDir.h"
#include "platform/Ui.h"
#include "shell/KalenderSitzung.h"

#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QTreeView>
#include <QVBoxLayout>

namespace kb {

namespace {

enum Spalte { Datum, Wochentag, Kalender, Text };
// On the date cell: the calendar file and the day.
constexpr int kKalenderRolle = Qt::UserRole + 1;
constexpr int kDatumRolle = Qt::UserRole + 2;
// On the text cell: where the term is (QPoint(anfang, laenge)); none when only the notes hold it.
constexpr int kFundRolle = Qt::UserRole + 3;

// The text cell with the found stretch in bold.
class FundDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override
    {
        const QVariant fund = index.data(kFundRolle);
        if (!fund.isValid())
            return QStyledItemDelegate::paint(painter, option, index);
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        opt.widget->style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

        const QPoint p = fund.toPoint();
        QTextDocument doc;
        doc.setDefaultFont(opt.font);
        doc.setDocumentMargin(2);
        doc.setHtml(text.left(p.x()).toHtmlEscaped() + QStringLiteral("<b>")
            + text.mid(p.x(), p.y()).toHtmlEscaped() + QStringLiteral("</b>")
            + text.mid(p.x() + p.y()).toHtmlEscaped());
        painter->save();
        const QRect r = opt.rect;
        painter->translate(r.topLeft());
        painter->setClipRect(r.translated(-r.topLeft()));
        QAbstractTextDocumentLayout::PaintContext kontext;
        kontext.palette.setColor(QPalette::Text,
            opt.palette.color(
                (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
        doc.documentLayout()->draw(painter, kontext);
        painter->restore();
    }
};

QList<QStandardItem *> zeile(const Treffer &t, const QString &gefaltet)
{
    static const QLocale deutsch(QLocale::German);
    auto *datum = new QStandardItem(t.datum.toString(QStringLiteral("dd.MM.yyyy")));
    datum->setData(t.kalender, kKalenderRolle);
    datum->setData(t.datum, kDatumRolle);
    auto *tag = new QStandardItem(deutsch.dayName(t.datum.dayOfWeek(), QLocale::LongFormat));
    auto *kalender = new QStandardItem(QFileInfo(t.kalender).fileName());
    const QString anzeige = t.anzeige().simplified();
    auto *text = new QStandardItem(anzeige);
    if (const std::optional<Fundstelle> f = fundstelle(anzeige, gefaltet))
        text->setData(QPoint(f->anfang, f->laenge), kFundRolle);
    QList<QStandardItem *> items { datum, tag, kalender, text };
    for (QStandardItem *item : items)
        item->setEditable(false);
    return items;
}

} // namespace

TSuchForm::TSuchForm(std::function<QString()> offenerKalender, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_offenerKalender(std::move(offenerKalender))
{
    setWindowTitle(QStringLiteral("Suchen"));
    m_begriff = new QLineEdit(this);
    m_begriff->setPlaceholderText(QStringLiteral("Suchbegriff"));
    m_knopf = new QPushButton(QStringLiteral("Suchen"), this);
    m_alle = new QCheckBox(QStringLiteral("In allen Kalendern suchen"), this);
    m_modell = new QStandardItemModel(0, 4, this);
    m_modell->setHorizontalHeaderLabels({ QStringLiteral("Datum"), QStringLiteral("Wochentag"),
        QStringLiteral("Kalender"), QStringLiteral("Text") });
    m_liste = new QTreeView(this);
    m_liste->setModel(m_modell);
    m_liste->setRootIsDecorated(false);
    m_liste->setUniformRowHeights(true);
    m_liste->setItemDelegateForColumn(Text, new FundDelegate(m_liste));
    m_liste->header()->setStretchLastSection(true);
    m_hinweis = new QLabel(this);
    m_hinweis->setWordWrap(true);

    auto *oben = new QHBoxLayout;
    oben->addWidget(m_begriff, 1);
    oben->addWidget(m_knopf);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(oben);
    layout->addWidget(m_alle);
    layout->addWidget(m_liste, 1);
    layout->addWidget(m_hinweis);
    resize(640, 420);

    connect(m_begriff, &QLineEdit::returnPressed, this, &TSuchForm::suchen);
    connect(m_knopf, &QPushButton::clicked, this, &TSuchForm::suchen);
    connect(m_liste, &QTreeView::activated, this, &TSuchForm::gewaehlt);
}

void TSuchForm::suchen()
{
    const QString begriff = m_begriff->text();
    if (begriff.trimmed().isEmpty())
        return;
    const QString offen = m_offenerKalender();
    QStringList kalender;
    if (m_alle->isChecked()) {
        kalender = kalenderIn(ProgramDir::calendarDataDir());
        const QString offenAbsolut = QFileInfo(offen).absoluteFilePath();
        bool dabei = offen.isEmpty();
        for (const QString &k : std::as_const(kalender))
            dabei = dabei || QFileInfo(k).absoluteFilePath() == offenAbsolut;
        if (!dabei)
            kalender.append(offen);
    } else if (offen.isEmpty()) {
        ui().message(keinKalenderOffen());
        return;
    } else {
        kalender = { offen };
    }
    const BusyCursor busy;
    zeigen(m_suche.suchen(kalender, begriff), begriff);
}

void TSuchForm::zeigen(const Suchergebnis &ergebnis, const QString &begriff)
{
    m_modell->removeRows(0, m_modell->rowCount());
    const QString gefaltet = suchFaltung(begriff.trimmed()).text;
    for (const Treffer &t : ergebnis.treffer)
        m_modell->appendRow(zeile(t, gefaltet));
    QStringList hinweise { ergebnis.treffer.isEmpty()
            ? QStringLiteral("Nichts gefunden.")
            : QStringLiteral("%1 Tage gefunden.").arg(ergebnis.treffer.size()) };
    for (const UebersprungenerKalender &u : ergebnis.uebersprungen)
        hinweise.append(
            QStringLiteral("Übersprungen: %1 (%2)").arg(QFileInfo(u.kalender).fileName(), u.grund));
    m_hinweis->setText(hinweise.join(QLatin1Char('\n')));
    for (int spalte = Datum; spalte < Text; ++spalte)
        m_liste->resizeColumnToContents(spalte);
    if (m_modell->rowCount() > 0) {
        m_liste->setCurrentIndex(m_modell->index(0, Datum));
        m_liste->setFocus();
    }
}

void TSuchForm::gewaehlt(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QModelIndex erste = index.siblingAtColumn(Datum);
    Q_EMIT tagGewaehlt(erste.data(kKalenderRolle).toString(), erste.data(kDatumRolle).toDate());
}

} // namespace kb
