#include "caldata/PersModell.h"

#include "platform/Error.h"
#include "platform/Ui.h"

namespace kb {

namespace {

QStringList zweistellig(int bis)
{
    QStringList result;
    for (int i = 1; i <= bis; ++i)
        result.append(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
    return result;
}

QString feld(int spalte)
{
    switch (spalte) {
    case PersModell::SpalteTag:
        return QStringLiteral("FracTag");
    case PersModell::SpalteMonat:
        return QStringLiteral("FracMonat");
    default:
        return QStringLiteral("Text");
    }
}

} // namespace

PersModell::PersModell(Table *pers, QObject *parent)
    : QAbstractTableModel(parent)
    , m_pers(pers)
{
    connect(pers, &Table::recordsReset, this, &PersModell::neuLaden);
    connect(pers, &Table::stateChanged, this, &PersModell::neuLaden);
    connect(pers, &Table::currentChanged, this, &PersModell::werteGeaendert);
    connect(pers, &Table::valuesChanged, this, &PersModell::werteGeaendert);
    neuLaden();
}

bool PersModell::neueZeile() const
{
    return m_pers && m_pers->isOpen() && m_pers->state() == Table::State::Insert;
}

int PersModell::aktuelleZeile() const
{
    if (!m_pers || !m_pers->isOpen())
        return -1;
    if (neueZeile())
        return m_pers->recordCount();
    return m_pers->currentRow();
}

void PersModell::neuLaden()
{
    const int zeilen
        = !m_pers || !m_pers->isOpen() ? 0 : m_pers->recordCount() + (neueZeile() ? 1 : 0);
    // A change of the edit state alone keeps the rows; the view keeps its editor then.
    if (zeilen != m_zeilen || !m_pers || m_pers->state() == Table::State::Browse) {
        beginResetModel();
        m_zeilen = zeilen;
        endResetModel();
    }
    werteGeaendert();
}

void PersModell::werteGeaendert()
{
    const int zeile = aktuelleZeile();
    if (zeile >= 0 && zeile < m_zeilen)
        Q_EMIT dataChanged(index(zeile, 0), index(zeile, SpalteText));
    if (zeile != m_aktuell) {
        m_aktuell = zeile;
        Q_EMIT aktuelleZeileGeaendert(zeile);
    }
}

int PersModell::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_zeilen;
}

int PersModell::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant PersModell::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_zeilen || !m_pers || !m_pers->isOpen()
        || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    QVariant wert;
    try {
        wert = neueZeile() && index.row() == m_pers->recordCount()
            ? m_pers->value(feld(index.column()))
            : m_pers->valueAt(index.row(), feld(index.column()));
    } catch (const Error &) {
        // A record deleted through another cursor shows empty until the next re-read.
        return QVariant();
    }
    if (index.column() == SpalteText || role == Qt::EditRole)
        return wert.isNull() ? QVariant(QString()) : wert;
    if (wert.isNull() || !wert.isValid())
        return QString();
    return QStringLiteral("%1").arg(wert.toInt(), 2, 10, QLatin1Char('0'));
}

bool PersModell::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    try {
        if (index.row() != aktuelleZeile())
            m_pers->setRecNo(index.row() + 1);
        m_pers->setValue(feld(index.column()), value);
        return true;
    } catch (const Error &e) {
        ui().message(e.message());
        return false;
    }
}

Qt::ItemFlags PersModell::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() >= m_zeilen || !m_pers || !m_pers->isOpen())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!m_pers->isReadOnly())
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant PersModell::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case SpalteTag:
        return QStringLiteral("Tag");
    case SpalteMonat:
        return QStringLiteral("Monat");
    case SpalteText:
        return QStringLiteral("Text");
    default:
        return QVariant();
    }
}

QStringList PersModell::tage()
{
    return zweistellig(31);
}

QStringList PersModell::monate()
{
    return zweistellig(12);
}

QStringList PersModell::textVorschlaege()
{
    return { QStringLiteral("Urlaub"), QStringLiteral("Krank"), QStringLiteral("Geburtstag"),
        QStringLiteral("Hochzeitstag"), QStringLiteral("Todestag") };
}

} // namespace kb
