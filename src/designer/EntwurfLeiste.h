#pragma once

#include <QToolBar>

class QAction;
class QComboBox;
class QLabel;

namespace kb::designer {

// The form designer bar of the main window's calendar panel: the preview of the selected design,
// the design selector (an editable list
// of the form files' names), the caption "Kalenderformulare gestalten " that opens the designer on
// a click, the button that opens the designer and the one that starts a new form file. The main
// window runs the commands.
class EntwurfLeiste final : public QToolBar {
    Q_OBJECT
public:
    explicit EntwurfLeiste(QWidget *parent = nullptr);

    // Lists the design names of the form files in `verzeichnis`, in the directory's order,
    // and shows `gespeichert` (the stored design name) as the selector's text.
    void auffrischen(const QString &verzeichnis, const QString &gespeichert);
    // The selector's text: the design name the commands work on.
    QString entwurfsname() const;

    QComboBox *auswahl() const { return m_auswahl; }
    QLabel *titel() const { return m_titel; }
    QAction *vorschauAktion() const { return m_vorschau; }
    QAction *oeffnenAktion() const { return m_oeffnen; }
    QAction *neuAktion() const { return m_neu; }

Q_SIGNALS:
    void vorschauGewaehlt();
    void oeffnenGewaehlt();
    void neuGewaehlt();
    // The user changed the selector's text (typed or picked).
    void nameGeaendert(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *m_vorschau = nullptr;
    QAction *m_oeffnen = nullptr;
    QAction *m_neu = nullptr;
    QComboBox *m_auswahl = nullptr;
    QLabel *m_titel = nullptr;
};

} // namespace kb::designer
