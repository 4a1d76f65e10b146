#include "pictures/Monatsbilder.h"

#include "caldata/KalenderAnlage.h"
#include "pictures/Monatstext.h"
#include "platform/Error.h"
#include "platform/Ui.h"
#include "storage/Table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kb {

namespace {

const QString kBild = QStringLiteral("Bild");
const QString kText = QStringLiteral("TextMonat");

} // namespace

QString seitenTitel(BilderSeite seite)
{
    switch (seite) {
    case BilderSeite::AlleBilder:
        return QStringLiteral("alle Monats-Bilder");
    case BilderSeite::AlleTexte:
        return QStringLiteral("alle Monats-Texte");
    case BilderSeite::EinzelBild:
        return QStringLiteral("einzel Monats-Bild");
    }
    return {};
}

bool seiteVerknuepft(BilderSeite seite)
{
    return seite == BilderSeite::EinzelBild;
}

void bilderEntknuepfen(Table &bilder)
{
    const bool offen = bilder.isOpen();
    if (offen)
        bilder.close();
    bilder.clearMasterSource();
    bilder.setIndexFieldNames(QString());
    if (offen)
        bilder.open();
}

int aktuellerMonat(const Table &bilder)
{
    if (!bilder.isOpen() || bilder.isEmpty() || bilder.recNo() == 0)
        return 0;
    return bilder.asInt(QStringLiteral("MonatNR"));
}

std::optional<QString> monatsname(int monat)
{
    if (monat < 1 || monat > 12)
        return std::nullopt;
    return monatsnamen().at(monat - 1);
}

std::optional<QString> monatsLabel(int monat)
{
    const auto name = monatsname(monat);
    if (!name)
        return std::nullopt;
    return QStringLiteral("    ") + *name;
}

QImage aktuellesBild(const Table &bilder)
{
    if (!bilder.isOpen() || bilder.isEmpty() || bilder.recNo() == 0)
        return {};
    return bilder.image(kBild);
}

QString keinBildMeldung()
{
    return QStringLiteral("Für diesen Monat ist kein Bild gespeichert.");
}

bool bildKopieren(const Table &bilder)
{
    const QImage bild = aktuellesBild(bilder);
    if (bild.isNull())
        return false;
    ui().setClipboardImage(bild);
    return true;
}

bool bildEinfuegen(Table &bilder)
{
    bilder.edit();
    const QImage bild = ui().clipboardImage();
    if (!bild.isNull())
        bilder.setImage(kBild, bild);
    bilder.post();
    return !bild.isNull();
}

void bildLoeschen(Table &bilder)
{
    bilder.edit();
    bilder.clearField(kBild);
    bilder.post();
}

bool bildAusBrowser(Table &bilder, const std::function<Auswahl()> &browser)
{
    bilder.edit();
    if (browser() != Auswahl::Uebernommen || bilder.state() != Table::State::Edit)
        return false;
    const QImage bild = ui().clipboardImage();
    if (bild.isNull()) {
        bilder.cancel();
        return false;
    }
    bilder.setImage(kBild, bild);
    bilder.post();
    return true;
}

QString monatstextFilter()
{
    return QStringLiteral("Textdateien(*.txt)");
}

bool monatstextLaden(Table &bilder, const QString &verzeichnis)
{
    QString pfad
        = ui().openFileName(QStringLiteral("Monatstext laden"), verzeichnis, monatstextFilter());
    if (pfad.isEmpty())
        return false;
    // A name typed without its extension means the .txt file.
    if (!QFileInfo::exists(pfad) && QFileInfo(pfad).suffix().isEmpty())
        pfad += QStringLiteral(".txt");
    const QString text = monatstextLesen(pfad);
    bilder.edit();
    bilder.setString(kText, text);
    bilder.post();
    return true;
}

} // namespace kb
