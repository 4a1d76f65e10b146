#pragma once

#include "pictures/Bildbearbeitung.h"

#include <QDialog>
#include <QPointer>

class QAction;
class QLabel;
class QToolBar;

namespace kb {

class Table;

namespace widgets {
class GrabHandles;
}

// The enlarged picture "Bild": the month's picture in a box of its own with mirror, greyscale,
// oval cut, oval outline and undo; grab handles move and size the box; "Vorschau/Drucken"
// prints it through the picture report. Closing after a change asks whether to store the
// picture in the picture table's current record.
class TBildgross : public QDialog {
    Q_OBJECT
public:
    // `bilder`: the picture table whose current record gets the picture; may be null (then
    // closing stores nothing).
    TBildgross(const QImage &bild, Table *bilder, QWidget *parent = nullptr);
    ~TBildgross() override;

    // The outer size the month picture area gives the window: the picture's width, and its
    // height plus the tool bar's; at least room for the picture box, at most the screen.
    void groesseFuerBild(const QSize &bildgroesse);

    const Bildbearbeitung &bearbeitung() const { return m_bearbeitung; }
    QWidget *bildBox() const { return m_box; }
    QToolBar *werkzeuge() const { return m_werkzeuge; }
    QLabel *status() const { return m_status; }
    widgets::GrabHandles *griffe() const { return m_griffe; }
    // The tool bar's actions, in their order: print, the two mirrors, greyscale, oval cut,
    // oval outline, undo all.
    enum class Aktion { Drucken, Waagerecht, Senkrecht, Grau, Oval, OvalRand, Rueckgaengig };
    QAction *aktion(Aktion a) const;

    // "Vorschau/Drucken": the picture report of the working picture and the box.
    void vorschau();

    // The picture box at its start (startBildBox): in the picture's proportions.
    QRect startBox() const { return m_startBox; }

public Q_SLOTS:
    void done(int result) override;

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void ausfuehren(Aktion a);
    void graustufenMitWarten();
    void bildZeigen();

    Bildbearbeitung m_bearbeitung;
    QRect m_startBox;
    QPointer<Table> m_bilder;
    QToolBar *m_werkzeuge = nullptr;
    QLabel *m_status = nullptr;
    QWidget *m_box = nullptr;
    widgets::GrabHandles *m_griffe = nullptr;
    QList<QAction *> m_aktionen;
    bool m_geschlossen = false;
};

} // namespace kb
