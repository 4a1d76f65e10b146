#pragma once

// What every fuzz target shares: a quiet process (offscreen platform, no dialogs, no log
// noise) and a scratch folder for inputs that the code under test reads from a file.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace kb::fuzz {

// Called from LLVMFuzzerInitialize: the application object the code needs (fonts, pictures),
// a Ui that answers every question with "no", Qt's messages silenced.
void initialize(int *argc, char ***argv);

// A folder of this process, removed at exit.
QString scratchDir();
// Writes the bytes to `name` in the scratch folder and returns its path.
QString writeScratch(const QString &name, const uint8_t *data, size_t size);
QByteArray bytes(const uint8_t *data, size_t size);

} // namespace kb::fuzz
