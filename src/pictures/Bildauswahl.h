#pragma once

#include "pictures/Thumbnail.h"

#include <QList>
#include <QString>

namespace kb {

// What the picture browser decides without widgets: its file list, the rows of its grid, the
// selection index that outlives the window, and the operations on the selected file.

// The grid has four columns.
inline constexpr int kGitterSpalten = 4;

// The masks of the file list; the platform matches them without regard to letter case.
QStringList bildMasken();

// The files of `ordner` that match the masks, sorted by name (letter case ignored). Sets
// `lesbar` to false when the folder cannot be read (the list is then empty).
QList<Bilddatei> bilddateien(const QString &ordner, bool *lesbar = nullptr);

// Rows of the grid for `anzahl` files: n div 4, plus one when n is no multiple of 4. When the
// browser opens it shows at least two rows; after a change of folder the rows follow the list
// alone, so an empty folder has none.
int gitterZeilen(int anzahl, bool beimOeffnen);

// The counter above the folder tree: "12 Bilder"; empty for an empty folder.
QString bilderZaehler(int anzahl);

// The selection index: the number of the selected file counted from 1 (row × 4 + column + 1);
// 0 until a cell is selected for the first time in a run. It keeps its value from one opening
// of the browser to the next.
int auswahlIndex();
void setAuswahlIndex(int index);
int auswahlIndexVonZelle(int zeile, int spalte);

// The drives of the drive selector: the roots of the mounted volumes that hold files (on
// Windows the drive letters, elsewhere "/" and the mounted disks), plus the root of `ordner`.
QStringList laufwerke(const QString &ordner);
// The drive of the list that holds `ordner` (the longest root it starts with).
QString laufwerkVon(const QStringList &laufwerke, const QString &ordner);

// "Wollen Sie " + file name + " wirklich löschen?"
QString loeschFrage(const QString &name);

// Deletes a picture file. A file that is gone already is no error. Throws kb::Error with the
// platform's reason when the file stays.
void bildLoeschen(const QString &pfad);

// Writes a JPEG copy of the picture in `quelle` under `ziel`, encoded with the encoder's
// default settings; the target appears whole or not at all. Throws kb::Error with a German
// message (unreadable or damaged picture, no space, no permission).
void bildSpeichernAls(const QString &quelle, const QString &ziel);

} // namespace kb
