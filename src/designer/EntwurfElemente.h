#pragma once

#include "designer/Entwurfsregeln.h"

#include <QGraphicsItem>
#include <QPixmap>

namespace kb::designer {

class EntwurfSzene;

// A band as a white strip 5000 pixels wide; every band but the header band carries its
// ruler with the millimetre scale and its caption at the top.
class BandItem final : public QGraphicsItem {
public:
    BandItem(EntwurfSzene *szene, FormBand band, bool mitLineal);
    FormBand band() const { return m_band; }
    void setHoehe(int hoehe);
    void setAktiv(bool aktiv);
    QRectF boundingRect() const override;
    void paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    EntwurfSzene *m_szene;
    FormBand m_band;
    bool m_mitLineal;
    int m_hoehe = 0;
    bool m_aktiv = false;
};

// The header band's ruler, which stands above the band.
class KopfLinealItem final : public QGraphicsItem {
public:
    explicit KopfLinealItem(EntwurfSzene *szene);
    void setAktiv(bool aktiv);
    QRectF boundingRect() const override;
    void paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    EntwurfSzene *m_szene;
    bool m_aktiv = false;
};

// The 1-pixel strip below a band; dragging it resizes the band.
class TrennerItem final : public QGraphicsItem {
public:
    TrennerItem(EntwurfSzene *szene, FormBand band);
    QRectF boundingRect() const override;
    void paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    EntwurfSzene *m_szene;
    FormBand m_band;
};

// One element of the form, or the week label, painted as the designer shows it.
class ElementItem final : public QGraphicsItem {
public:
    ElementItem(EntwurfSzene *szene, const QString &name);
    const QString &name() const { return m_name; }
    // Shows `e`; the picture file is read again only when its path changes.
    void zeigen(const FormElement &e);
    const FormElement &element() const { return m_element; }
    QRectF boundingRect() const override;
    void paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    void paintText(QPainter *p, const QRectF &r, const QString &text) const;

    EntwurfSzene *m_szene;
    QString m_name;
    FormElement m_element;
    QPixmap m_bild;
    QString m_bildPfad;
    bool m_bildGeladen = false;
};

// The font of an element as the designer paints it: sizes in points at 96 pixels per inch.
QFont elementFont(const FormFont &font);

} // namespace kb::designer
