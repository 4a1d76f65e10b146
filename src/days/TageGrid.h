#pragma once

#include "days/TageGridSpalten.h"
#include "storage/Table.h"

#include <QPointer>
#include <QTableView>

namespace kb {

class TageGridModell;
struct LayoutSettings;

// The day grid of the calendar panel: one row per day of the shared year table in the columns
// "Tag im Jahr", Tag, Datum, Woche, Text (and the hidden "erinnern"), each row in the colours of
// its day. The day text is edited in place: what is typed stays pending in the current day
// until another day becomes current or the day is saved; a text the field refuses keeps the
// editor open with the engine's message. Enter moves on like Tab, a double-click asks for the
// day details, the button in the text cell for the text library.
class TageGrid : public QTableView {
    Q_OBJECT
public:
    using Breiten = TageGridBreiten;

    TageGrid(Table *jahr, const LayoutSettings *farben, QWidget *parent = nullptr);

    TageGridModell *tageModell() const { return m_modell; }
    Table *jahr() const { return m_jahr; }

    // The widths of the five visible columns; -1 stands for the designed width. They hold
    // also after the records change.
    void setSpaltenbreiten(const Breiten &breiten);
    Breiten spaltenbreiten() const { return m_breiten; }
    // "Feldgrösse anpassen" for a screen `bildschirmBreite` pixels wide.
    void feldgroesseAnpassen(int bildschirmBreite);

    // Ends an open text editor: its text goes into the current day (pending) and the editor
    // closes. When the field refuses the text, the engine's message is shown, the editor stays
    // open for the user to shorten it, and false is returned. True without an editor.
    bool eingabeUebernehmen();
    // Closes an open text editor without handing its text over.
    void eingabeVerwerfen();
    // The open text editor's line, null without one.
    class QLineEdit *textEditor() const;

Q_SIGNALS:
    void tagesdatenGewuenscht();
    void textbibliothekGewuenscht();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

private:
    void breitenAnwenden();
    void ganzeZeileOben();
    void aktuelleZeileZeigen(int row);
    void ellipseGeklickt();

    QPointer<Table> m_jahr;
    TageGridModell *m_modell;
    class TageGridDelegate *m_delegate;
    Breiten m_breiten;
    bool m_anwenden = false;
};

} // namespace kb
