#pragma once

#include "report/Page.h"

#include <memory>
#include <vector>

namespace kb::report {

class Report;

// How a report is shown. The desktop program installs the preview window; without one, a
// report is still generated (its hooks run, its errors surface) and then dropped, so headless
// code never blocks.
class Previewer {
public:
    virtual ~Previewer() = default;
    // Generates all pages, shows them and returns when the user closes the preview.
    virtual void previewAndWait(Report &report) = 0;
    // Shows the preview at once and adds pages while they are generated; returns when closed.
    virtual void previewWhileGenerating(Report &report) = 0;
};

Previewer &previewer();
// Installs `previewer` and returns the previous one (which the caller may restore).
std::unique_ptr<Previewer> installPreviewer(std::unique_ptr<Previewer> previewer);

// Keeps every generated document instead of showing it: for tests of the layouts and for
// headless runs that write files.
class RecordingPreviewer final : public Previewer {
public:
    void previewAndWait(Report &report) override;
    void previewWhileGenerating(Report &report) override;
    const std::vector<Document> &documents() const { return m_documents; }

private:
    std::vector<Document> m_documents;
};

// Installs a RecordingPreviewer for the guard's lifetime and restores the previous one.
class ScopedRecordingPreviewer {
public:
    ScopedRecordingPreviewer();
    ~ScopedRecordingPreviewer();
    ScopedRecordingPreviewer(const ScopedRecordingPreviewer &) = delete;
    ScopedRecordingPreviewer &operator=(const ScopedRecordingPreviewer &) = delete;
    const std::vector<Document> &documents() const { return m_recorder->documents(); }

private:
    RecordingPreviewer *m_recorder;
    std::unique_ptr<Previewer> m_previous;
};

} // namespace kb::report
