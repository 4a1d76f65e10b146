// Arbitrary bytes as a form file, read from memory through the reader's own entry point and
// loaded into the form model. Every input is either refused with kb::Error or loads; what
// loads is saved, and the saved bytes load again and save to the same bytes.

#include "FuzzSupport.h"
#include "designer/FormFile.h"
#include "designer/Formular.h"
#include "platform/Error.h"

#include <QByteArrayView>
#include <cstdint>
#include <cstdlib>

namespace {

kb::designer::Formular load(QByteArrayView bytes)
{
    const QString name = QStringLiteral("fuzz.qvf");
    kb::designer::Formular form;
    form.loadRecords(kb::designer::parseFormFile(bytes, name), name);
    return form;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    kb::fuzz::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    kb::designer::Formular form;
    try {
        form = load(QByteArrayView(data, static_cast<qsizetype>(size)));
    } catch (const kb::Error &) {
        return 0; // refused with its message
    }
    // A saved form always loads again (a throw here ends the run) and saves the same way.
    const QByteArray saved = kb::designer::formFileBytes(form.records());
    if (kb::designer::formFileBytes(load(saved).records()) != saved)
        std::abort();
    return 0;
}
