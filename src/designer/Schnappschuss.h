#pragma once

#include <QUndoCommand>
#include <functional>

namespace kb::designer {

// One step in a designer's history, kept as the whole model before and after it: undo shows
// the one, redo the other. A model of a few hundred elements copies in microseconds, and a
// step can never forget a part of what it changed. The first redo (the push itself) does
// nothing, because the designer shows the change already. Steps with the same text and the
// same merge id other than -1 become one (typing into one field, moving with the arrow keys).
template<class Modell> class Schnappschuss : public QUndoCommand {
public:
    using Apply = std::function<void(const Modell &)>;

    Schnappschuss(const QString &text, Modell before, Modell after, Apply apply, int mergeId = -1)
        : QUndoCommand(text)
        , m_before(std::move(before))
        , m_after(std::move(after))
        , m_apply(std::move(apply))
        , m_mergeId(mergeId)
    {
    }

    void undo() override { m_apply(m_before); }
    void redo() override
    {
        if (!m_pushed) {
            m_pushed = true;
            return;
        }
        m_apply(m_after);
    }
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const Schnappschuss *>(other);
        if (next->text() != text())
            return false;
        m_after = next->m_after;
        return true;
    }
    const Modell &after() const { return m_after; }

private:
    Modell m_before, m_after;
    Apply m_apply;
    int m_mergeId;
    bool m_pushed = false;
};

} // namespace kb::designer
