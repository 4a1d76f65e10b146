#pragma once

#include <QList>
#include <QStatusBar>

class QLabel;
class QTimer;

namespace kb {

// The main window's status bar: five panels of 400, 100, 100, 150 and 100 pixels (the last
// one reaching to the window's edge). Panel 0
// shows the hint of the control under the mouse, 1 the day the program started, 2 the clock
// (updated once a second) and 4 the state of the open calendar.
class StatusLeiste : public QStatusBar {
    Q_OBJECT
public:
    enum { Hinweis = 0, Datum = 1, Uhr = 2, Land = 4, Anzahl = 5 };

    explicit StatusLeiste(QWidget *parent = nullptr);

    void setPanel(int panel, const QString &text);
    QString panel(int panel) const;
    QLabel *panelLabel(int panel) const { return m_panels.at(panel); }
    QTimer *uhrTakt() const { return m_takt; }
    // Writes the current time into the clock panel.
    void uhrAktualisieren();

private:
    QList<QLabel *> m_panels;
    QTimer *m_takt = nullptr;
};

} // namespace kb
