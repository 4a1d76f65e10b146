#include "days/Textbibliothek.h"

#include "platform/Error.h"
#include "platform/Ui.h"
#include "storage/Table.h"

#include <QFileInfo>

namespace kb {

namespace {

const QString &textFeld()
{
    static const QString feld = QStringLiteral("Text");
    return feld;
}

} // namespace

QString texteDateiname()
{
    return QStringLiteral("Texte.db");
}

QString texteFehlenMeldung(const Table &texte)
{
    return QStringLiteral("Tabelle \"%1\" nicht vorhanden!").arg(texte.tableName());
}

bool texteVorhanden(const Table &texte)
{
    return !texte.tableName().isEmpty() && QFileInfo(texte.filePath()).isFile();
}

TexteModell::TexteModell(Table *texte, QObject *parent)
    : QAbstractTableModel(parent)
    , m_texte(texte)
{
    connect(texte, &Table::recordsReset, this, &TexteModell::neuLaden);
    connect(texte, &Table::stateChanged, this, &TexteModell::neuLaden);
    connect(texte, &Table::currentChanged, this, &TexteModell::werteGeaendert);
    connect(texte, &Table::valuesChanged, this, &TexteModell::werteGeaendert);
    neuLaden();
}

bool TexteModell::neueZeile() const
{
    return m_texte && m_texte->isOpen() && m_texte->state() == Table::State::Insert;
}

int TexteModell::aktuelleZeile() const
{
    if (!m_texte || !m_texte->isOpen())
        return -1;
    if (neueZeile())
        return m_texte->recordCount();
    return m_texte->currentRow();
}

void TexteModell::neuLaden()
{
    const int zeilen
        = !m_texte || !m_texte->isOpen() ? 0 : m_texte->recordCount() + (neueZeile() ? 1 : 0);
    // A change of the edit state alone keeps the rows; the view keeps its editor then.
    if (zeilen != m_zeilen || !m_texte || m_texte->state() == Table::State::Browse) {
        beginResetModel();
        m_zeilen = zeilen;
        endResetModel();
    }
    werteGeaendert();
}

void TexteModell::werteGeaendert()
{
    const int zeile = aktuelleZeile();
    if (zeile >= 0 && zeile < m_zeilen)
        Q_EMIT dataChanged(index(zeile, 0), index(zeile, 0));
    if (zeile != m_aktuell) {
        m_aktuell = zeile;
        Q_EMIT aktuelleZeileGeaendert(zeile);
    }
}

int TexteModell::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_zeilen;
}

int TexteModell::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant TexteModell::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_zeilen || !m_texte || !m_texte->isOpen()
        || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    if (neueZeile() && index.row() == m_texte->recordCount())
        return m_texte->asString(textFeld());
    return m_texte->valueAt(index.row(), textFeld()).toString();
}

bool TexteModell::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    try {
        if (index.row() != aktuelleZeile())
            m_texte->setRecNo(index.row() + 1);
        m_texte->setValue(textFeld(), value);
        return true;
    } catch (const Error &e) {
        ui().message(e.message());
        return false;
    }
}

Qt::ItemFlags TexteModell::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() >= m_zeilen || !m_texte || !m_texte->isOpen())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!m_texte->isReadOnly())
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant TexteModell::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section == 0 ? QVariant(textFeld()) : QVariant();
    return section + 1;
}

} // namespace kb
