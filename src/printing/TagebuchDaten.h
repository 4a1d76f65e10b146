#pragma once

#include "printing/TableDataSet.h"
#include "report/Page.h"

#include <QStringList>

namespace kb {

class Table;

// The records of the diary pages: every day of the table once, and a day whose notes are
// longer than a page once more for each further page of notes. The first record of a day
// (part 0) carries the notes' first page; its continuations carry the rest, so a long entry
// goes on over as many pages as it needs instead of running off the paper. Every other field
// reads the day's own values.
class TagebuchDaten final : public report::DataSet {
public:
    // Notes are broken into lines `breite` pixels wide in `font`; a part holds at most
    // `zeilenProSeite` lines.
    TagebuchDaten(Table &tage, const report::FontSpec &font, double breite, int zeilenProSeite);

    void first() override;
    void next() override;
    bool eof() const override { return m_tage.eof(); }
    QVariant value(const QString &field) const override;
    QImage image(const QString &field) const override { return m_tage.image(field); }
    QImage picture(const QString &field, const PictureFit &fit) const override
    {
        return m_tage.picture(field, fit);
    }

    // 0 on the day's own line, 1, 2 ... on the continuations of its notes.
    int teil() const { return m_teil; }

private:
    void teilen();

    TableDataSet m_tage;
    report::FontSpec m_font;
    double m_breite;
    int m_zeilenProSeite;
    QStringList m_teile; // the notes of each part; empty when the notes fit one page
    int m_teil = 0;
};

} // namespace kb
