// Arbitrary bytes as a picture file through the JPEG codec: the size from the header, a full
// decode and a thumbnail decode (day symbols print at 17 × 17). Every input either decodes or
// is refused with kb::Error; a decoded picture encodes, and that file decodes to the same size.

#include "FuzzSupport.h"
#include "platform/Error.h"
#include "platform/Jpeg.h"

#include <cstdlib>

namespace {

void expect(bool ok)
{
    if (!ok)
        std::abort();
}

void roundTrip(const QImage &bild)
{
    const QImage wieder = kb::jpeg::lesen(kb::jpeg::schreiben(bild));
    expect(wieder.size() == bild.size());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    kb::fuzz::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace kb::jpeg;
    const QByteArray daten = kb::fuzz::bytes(data, size);
    const std::optional<QSize> kopf = groesse(daten);
    try {
        const QImage klein = lesen(daten, QSize(17, 17), Nachsicht::Nachsichtig);
        expect(kopf.has_value() && !klein.isNull());
        expect(klein.width() <= kopf->width() && klein.height() <= kopf->height());
        roundTrip(klein);
    } catch (const kb::Error &) {
    }
    try {
        const QImage bild = lesen(daten);
        expect(kopf.has_value() && bild.size() == *kopf);
        roundTrip(bild);
    } catch (const kb::Error &) {
    }
    return 0;
}
