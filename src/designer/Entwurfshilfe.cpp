#include "designer/Entwurfsregeln.h"

namespace kb::designer {

QString entwurfHilfe()
{
    return QString::fromUtf8(R"(Hilfe zum Formular-Editor

Ein Kalender-Formular besteht aus Bändern, die
beim Drucken nacheinander ausgegeben werden:

Kalender - Kopfzeile
  wird oben auf jeder Seite gedruckt: Titel,
  Jahreszahl, Logo.
Monat/Gruppe (Detailband)
  wird für jeden Monat einmal gedruckt; nach
  diesem Band wird der Kalender gruppiert.
Tage im Jahr (Subdetailband)
  wird für jeden Tag des Jahres gedruckt.
Fußzeile
  steht unten auf jeder Seite.

Ein Band wird aktiv, wenn Sie auf das Band oder
sein Lineal klicken; das Lineal wird dann gelb.
Neue Elemente entstehen immer im aktiven Band.
Die Höhe eines Bandes ändern Sie, indem Sie die
schwarze Linie unter dem Band ziehen.

Datenquellen:
  KBHaupttabelle  - die Tage des Kalenderjahres
  KBDetailtabelle - die Monatsbilder und -texte

Elemente:
  Text       freier Text, z.B. eine Überschrift
  Datenfeld  zeigt ein Feld der Datenquelle
  System     Datum, Uhrzeit oder Seitenzahl
  Rechteck   ein Rahmen
  Bild       ein Bild aus einer Datei
  DB-Bild    das Bild eines Monats oder Tages
             (nur im Monats- und Tagesband)

Ein Klick wählt ein Element; es erhält acht
Griffe. Ziehen Sie das Element, um es zu
verschieben, oder einen Griff, um die Größe zu
ändern. Die Pfeiltasten verschieben um einen
Bildpunkt, mit Umschalt um zehn. Entf löscht das
gewählte Element. Strg+Z macht jeden Schritt
rückgängig, Strg+Y stellt ihn wieder her.
Strg+Mausrad oder Strg +/- vergrößert.

Die ersten Schritte:
1. Papiergröße, Ausrichtung und Spalten links
   einstellen; die blauen Linien zeigen die
   Breite einer Spalte und den Abstand.
2. Im Tagesband ein Datenfeld anlegen, als
   Datenquelle KBHaupttabelle wählen und das
   Datumsfeld als Datenfeld.
3. Texte, Bilder und Rahmen ergänzen, Schrift
   und Farben über die Werkzeugleiste setzen.
4. Beim Schließen das Formular speichern.)");
}

} // namespace kb::designer
