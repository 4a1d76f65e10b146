#include "designer/Entwurfsregeln.h"

namespace kb::designer {

QString entwurfHilfe()
{
    return QString::fromUtf8(R"(Hilfe zum Formular-Editor

Ein Kalender-Formular besteht aus Bändern, die beim Drucken nacheinander ausgegeben werden:

• Kalender - Kopfzeile: steht oben auf jeder Seite, etwa mit Titel, Jahreszahl und Logo.
• Monat/Gruppe (Detailband): wird für jeden Monat einmal gedruckt; nach diesem Band wird der Kalender gruppiert.
• Tage im Jahr (Subdetailband): wird für jeden Tag des Jahres gedruckt.
• Fußzeile: steht unten auf jeder Seite.

Ein Band wird aktiv, wenn Sie auf das Band oder sein Lineal klicken; sein Lineal wird dann gelb. Neue Elemente entstehen immer im aktiven Band. Die Höhe eines Bandes ändern Sie, indem Sie die schwarze Linie unter dem Band ziehen. Das Lineal misst in Millimetern.

Die blaue Linie im Monats- und im Tagesband zeigt die Breite einer Spalte, die gepunktete Linie den Spaltenabstand.

Datenquellen:
• KBHaupttabelle: die Tage des Kalenderjahres mit ihren Texten.
• KBDetailtabelle: die Monatsbilder und Monatstexte.

Elemente:
• Text: ein freier Text, z.B. eine Überschrift.
• Datenfeld: zeigt ein Feld der gewählten Datenquelle.
• System: Datum, Uhrzeit oder Seitenzahl beim Drucken.
• Rechteck: ein Rahmen.
• Bild: ein Bild aus einer Datei.
• DB-Bild: das Bild eines Monats oder Tages; nur im Monats- und im Tagesband.

Verschieben und Größe ändern:
Ein Klick wählt ein Element; es erhält acht Griffe. Ziehen Sie das Element, um es zu verschieben, oder einen Griff, um seine Größe zu ändern. Die Pfeiltasten verschieben das Element um einen Bildpunkt, mit der Umschalttaste um zehn. Die Lage steht unten rechts in Millimetern. Entf löscht das gewählte Element.

Die Liste „Eigenschaften“ links unten zeigt Name, Lage und Größe des gewählten Elements, bei Texten auch Text, Hintergrundfarbe und Schrift. Doppelklicken Sie einen Wert, um ihn zu ändern; Farben geben Sie mit ihrem Namen (z.B. Rot) oder als $00BBGGRR ein.

Datenfelder zeigen den Wert des Tages, auf dem der Kalender steht, Datenbank-Bilder sein Bild.

Strg+Z macht jeden Schritt rückgängig, Strg+Y stellt ihn wieder her. Strg+Mausrad, Strg++ und Strg+- vergrößern und verkleinern die Ansicht.

Die ersten Schritte:
1. Links Papiergröße, Ausrichtung, Spaltenanzahl und Spaltenabstand einstellen.
2. Ins Tagesband klicken, ein Datenfeld anlegen, als Datenquelle KBHaupttabelle und als Datenfeld das Datum wählen.
3. In die Kopfzeile klicken und mit „Text“ einen Titel anlegen; den Text oben eingeben.
4. Schrift, Ausrichtung und Farben über die Werkzeugleiste setzen.
5. Beim Schließen das Formular speichern.)");
}

} // namespace kb::designer
