#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace kb {

class Table;

// The grids of the month picture area: twelve panels, four columns by three rows, January to
// April in the first row. Panel i shows record i of the picture table in its unlinked order;
// the panel of the current record is marked.

// "alle Monats-Bilder": each panel shows MonatNR in bold white and the picture stretched to
// the panel. A click makes the panel's month current.
class BilderRaster : public QWidget {
    Q_OBJECT
public:
    explicit BilderRaster(Table *bilder, QWidget *parent = nullptr);

    static constexpr QSize kKachel { 146, 147 };
    static constexpr int kAbstand = 6;
    // The panel of row `index` (0 to 11) and the panel under a point (-1: none).
    static QRect kachel(int index);
    static int kachelBei(const QPoint &punkt);

    // The picture shown for row `index`: null without one.
    QImage bild(int index) const { return m_bilder.value(index); }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    // A double-click on a panel with a picture.
    void vergroessernGewuenscht();
    // The context menu's "Bild einfügen".
    void browserGewuenscht();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void neuLesen();
    bool waehlen(int index);

    QPointer<Table> m_tabelle;
    QList<QByteArray> m_daten; // the stored bytes each picture was decoded from
    QList<QImage> m_bilder;
    QList<int> m_monate;
};

// "alle Monats-Texte": a header strip with the current month's name above twelve panels, each
// with MonatNR and the month's text, editable, with both scroll bars, tabs and without word
// wrap. Typing puts the panel's record into edit; the change is stored when the month changes
// or the record is posted. A double-click asks for a text file to load into the month.
class TexteRaster : public QWidget {
    Q_OBJECT
public:
    explicit TexteRaster(Table *bilder, QWidget *parent = nullptr);

    QLabel *kopf() const { return m_kopf; }
    QPlainTextEdit *text(int index) const { return m_texte.value(index); }
    // Sets the header strip's month name.
    void setMonatsname(const QString &name);

Q_SIGNALS:
    // A double-click in the text of row `index`, which is current now.
    void textLadenGewuenscht();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void neuLesen();
    bool waehlen(int index);
    void getippt(int index);

    QPointer<Table> m_tabelle;
    QLabel *m_kopf = nullptr;
    QList<QLabel *> m_nummern;
    QList<QPlainTextEdit *> m_texte;
    bool m_zeigt = false;
    int m_tippt = -1; // the panel whose text is being stored
};

// "einzel Monats-Bild": the current month's picture alone, centred and scaled to the page with
// its proportions kept.
class EinzelBild : public QWidget {
    Q_OBJECT
public:
    explicit EinzelBild(QWidget *parent = nullptr);
    void setBild(const QImage &bild);
    const QImage &bild() const { return m_bild; }
    // Where the picture is drawn.
    QRect bildRect() const;

Q_SIGNALS:
    void doppelklick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QImage m_bild;
};

} // namespace kb
