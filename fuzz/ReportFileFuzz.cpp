// Arbitrary bytes as a saved report (.kbr). Every file either loads or is refused with
// kb::Error; what loads saves again, and that file loads and saves to the same bytes.

#include "FuzzSupport.h"
#include "platform/Error.h"
#include "report/DocumentFile.h"

#include <QFile>
#include <cstdlib>

namespace {

QByteArray savedBytes(const kb::report::Document &doc, const QString &path)
{
    kb::report::saveDocument(doc, path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    kb::fuzz::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = kb::fuzz::writeScratch(QStringLiteral("fuzz.kbr"), data, size);
    kb::report::Document doc;
    try {
        doc = kb::report::loadDocument(path);
    } catch (const kb::Error &) {
        return 0; // refused with its message
    }
    // A save of what loaded always loads again (a throw here ends the run).
    const QString copy = kb::fuzz::scratchDir() + QStringLiteral("/copy.kbr");
    const QByteArray saved = savedBytes(doc, copy);
    if (savedBytes(kb::report::loadDocument(copy), copy) != saved)
        std::abort();
    return 0;
}
