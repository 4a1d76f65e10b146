#pragma once

#include <QComboBox>

namespace kb {

// A colour picker as the settings dialog shows it: a drop-down list of the standard,
// extended and system colours by name with a swatch, and (unless left out) "none" and
// "default". Its first entry "Benutzerdefiniert..." opens the colour dialog and then holds
// the chosen colour, as it holds a stored colour that has no name.
class FarbAuswahl : public QComboBox {
    Q_OBJECT
public:
    explicit FarbAuswahl(bool mitNoneUndDefault, QWidget *parent = nullptr);

    // The stored value $00BBGGRR (system colours with the top byte $80).
    qint32 wert() const;
    void setWert(qint32 wert);

Q_SIGNALS:
    void wertGeaendert(qint32 wert);

private:
    void gewaehlt(int index);
    void eigeneFarbeSetzen(qint32 wert);

    bool m_mitNoneUndDefault;
};

} // namespace kb
