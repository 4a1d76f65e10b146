#include "report/Previewer.h"

#include "report/Report.h"

namespace kb::report {
namespace {

class GeneratingPreviewer final : public Previewer {
public:
    void previewAndWait(Report &report) override { report.generate(); }
    void previewWhileGenerating(Report &report) override { report.generate(); }
};

std::unique_ptr<Previewer> &installed()
{
    static std::unique_ptr<Previewer> current = std::make_unique<GeneratingPreviewer>();
    return current;
}

} // namespace

Previewer &previewer()
{
    return *installed();
}

std::unique_ptr<Previewer> installPreviewer(std::unique_ptr<Previewer> previewer)
{
    if (!previewer)
        previewer = std::make_unique<GeneratingPreviewer>();
    std::swap(installed(), previewer);
    return previewer;
}

void RecordingPreviewer::previewAndWait(Report &report)
{
    m_documents.push_back(report.generate());
}

void RecordingPreviewer::previewWhileGenerating(Report &report)
{
    m_documents.push_back(report.generate());
}

ScopedRecordingPreviewer::ScopedRecordingPreviewer()
{
    auto recorder = std::make_unique<RecordingPreviewer>();
    m_recorder = recorder.get();
    m_previous = installPreviewer(std::move(recorder));
}

ScopedRecordingPreviewer::~ScopedRecordingPreviewer()
{
    installPreviewer(std::move(m_previous));
}

} // namespace kb::report
