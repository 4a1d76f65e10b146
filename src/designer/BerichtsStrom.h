#pragma once

#include "designer/Bericht.h"
#include "platform/Error.h"

#include <QByteArray>

// The stream of a stored report in the blob field `Reportdata`. The layout of the stream is
// described beside its reader in BerichtsStrom.cpp.
namespace kb::bericht {

// The format version this program writes; it reads every version up to it.
inline constexpr quint16 kStromVersion = 1;

// Why a stream could not be read; the message is German and fit for the user.
class StromFehler : public Error {
public:
    enum class Art { Leer, Fremd, Beschaedigt, Neuer };
    StromFehler(Art art, const QString &message)
        : Error(message)
        , m_art(art)
    {
    }
    Art art() const { return m_art; }

private:
    Art m_art;
};

QByteArray berichtSchreiben(const Bericht &bericht);
// Throws StromFehler for empty, foreign, damaged, truncated or newer data. Never reads
// outside `daten`, never allocates more than the stream's own size promises.
Bericht berichtLesen(const QByteArray &daten);

} // namespace kb::bericht
