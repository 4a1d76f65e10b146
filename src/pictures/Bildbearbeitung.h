#pragma once

#include <QImage>
#include <QSize>

namespace kb {

class Table;

// The edits of the enlarged picture, each on a picture in 32-bit RGB.

// Every pixel becomes grey g = (77 R + 151 G + 28 B) div 256. The weights add up to 256, so
// white stays white and (255, 0, 0) becomes (76, 76, 76).
void graustufen(QImage &bild);
// The grey value of one pixel, as graustufen() computes it.
constexpr int grauwert(int r, int g, int b)
{
    return (77 * r + 151 * g + 28 * b) >> 8;
}
// Flips left-right or top-bottom in place.
void waagerechtSpiegeln(QImage &bild);
void senkrechtSpiegeln(QImage &bild);
// The size of an oval cut: 300 wide, 400 high.
inline constexpr QSize kOvalGroesse { 300, 400 };
// `bild` stretched to 300 x 400 inside the ellipse inscribed in that box, white outside.
QImage ovalSchneiden(const QImage &bild);
// A black ellipse, 3 pixels wide and unfilled, inscribed in the picture.
void ovalUmranden(QImage &bild);

// The working state of the enlarged picture: the working picture, the picture as handed over
// (the source of undo and of the oval cut) and whether anything changed it.
class Bildbearbeitung {
public:
    explicit Bildbearbeitung(const QImage &bild = {});

    const QImage &bild() const { return m_bild; }
    const QImage &original() const { return m_original; }
    bool geaendert() const { return m_geaendert; }

    // Each edit sets the changed flag, also when it gives the picture back (mirroring twice).
    void waagerechtSpiegeln();
    void senkrechtSpiegeln();
    void graustufen();
    // Drops the earlier edits: the unchanged picture is cut.
    void ovalSchneiden();
    void ovalUmranden();
    // Back to the picture as handed over; nothing counts as changed any more.
    void allesRueckgaengig();

    // Closing: whether to ask "Soll das geänderte Bild gespeichert werden?".
    bool frageBeimSchliessen() const { return m_geaendert; }
    // Writes the working picture into the current record of the picture table (edit, set,
    // post). Errors of the table engine pass on; after a refused post the record stays in
    // edit with the new picture, so the navigator's post and cancel apply to it.
    void speichern(Table &bilder) const;

private:
    void geaendertSetzen() { m_geaendert = true; }

    QImage m_bild;
    QImage m_original;
    bool m_geaendert = false;
};

// "Soll das geänderte Bild gespeichert werden?"
QString bildSpeichernFrage();

} // namespace kb
