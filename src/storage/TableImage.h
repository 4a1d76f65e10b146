#pragma once

#include <QByteArray>
#include <QString>

namespace kb {

// The bytes of a table file, taken before a write that must leave the file byte for byte as
// it was when it fails. The engine's rollback brings back a failed transaction's content, but
// not always its bytes: the header is rewritten before new pages fail for lack of room, the
// pages of a protected table come back encrypted anew, and a rollback the failing program
// leaves undone is done by the next program that opens the table.
//
// Take it with the table open and read (an unfinished transaction of an earlier run is then
// undone already) and while holding the calendar's lock.
class TableImage {
public:
    explicit TableImage(const QString &path);

    // After a failed write, with the table closed: writes the old bytes back in place when
    // they changed (in place, so a full disk has room for them) and then removes the failed
    // transaction's journal. False when that did not work out; the journal then stays, so the
    // next program that opens the table still brings back its content.
    bool restore() const;

private:
    QString m_path; // the file itself, not a link to it
    QByteArray m_bytes;
    bool m_valid = false;
};

} // namespace kb
