#include "shell/Erinnern.h"

#include "platform/Ui.h"

namespace kb {

namespace {

// Resumes the bound views also when the walk fails.
class AnzeigePause {
public:
    explicit AnzeigePause(Table &t)
        : m_table(t)
    {
        m_table.disableControls();
    }
    ~AnzeigePause() { m_table.enableControls(); }
    AnzeigePause(const AnzeigePause &) = delete;
    AnzeigePause &operator=(const AnzeigePause &) = delete;

private:
    Table &m_table;
};

} // namespace

QString erinnerungsText(const QDate &heute)
{
    return QStringLiteral("Für heute den: ") + heute.toString(QStringLiteral("dd.MM.yyyy"))
        + QStringLiteral(" ist ein Termin in der Erinnerungsliste eingetragen!");
}

Erinnerung erinnern(Table &jahr, const QDate &heute)
{
    Erinnerung result;
    jahr.setFiltered(false);
    {
        AnzeigePause pause(jahr);
        const QString datum = QStringLiteral("Datum");
        const QString alarm = QStringLiteral("Alarm");
        for (jahr.first(); !jahr.eof(); jahr.next()) {
            if (jahr.asDate(datum) == heute && jahr.asBool(alarm)) {
                ui().beep();
                ui().message(erinnerungsText(heute));
                result.tag = jahr.bookmark();
                result.gefunden = true;
            }
        }
    }
    if (result.gefunden)
        jahr.gotoBookmark(result.tag);
    else
        jahr.last();
    return result;
}

} // namespace kb
