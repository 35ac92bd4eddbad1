#include "picturecommand.h"

#include "cataloguestep.h"

#include <utility>

PictureCommand::PictureCommand(const QString &text, const PictureStep &step, int row, Show show, Report report)
    : m_step(step), m_row(row), m_show(std::move(show)), m_report(std::move(report))
{
    setText(text);
}

PictureCommand::PictureCommand(CatalogueStep *nameStep, const PictureStep &step, int row, Show show, Report report)
    : m_nameStep(nameStep), m_step(step), m_row(row), m_show(std::move(show)), m_report(std::move(report))
{
    setText(nameStep->text());
}

PictureCommand::~PictureCommand() = default;

void PictureCommand::undo()
{
    const StepOutcome outcome = m_step.undo();
    if (!m_nameStep) {
        if (!outcome.done) {
            m_report(outcome.reason);
            setObsolete(true);
            return;
        }
        m_show(m_row);
        return;
    }
    // The name goes back in any case: it is the user's edit; pictures that could not follow stay
    // as they are, and the user is told.
    m_nameStep->undo();
    if (m_nameStep->isObsolete())
        setObsolete(true);
    if (!outcome.done)
        m_report(outcome.reason);
}

void PictureCommand::redo()
{
    // The pictures are moved before the push; a name's step is made by it.
    const bool pushed = std::exchange(m_done, false);
    if (pushed && !m_nameStep)
        return;
    if (m_nameStep) {
        m_nameStep->redo();
        if (m_nameStep->isObsolete()) {
            // The catalogue refused the name: the pictures keep theirs.
            if (pushed)
                m_step.undo();
            setObsolete(true);
            return;
        }
        if (pushed)
            return;
    }
    const StepOutcome outcome = m_step.redo();
    if (!outcome.done) {
        m_report(outcome.reason);
        if (!m_nameStep)
            setObsolete(true);
        return;
    }
    m_show(m_row);
}

qint64 PictureCommand::heldBytes() const
{
    constexpr qint64 Overhead = 512;
    return Overhead + m_step.heldBytes() + (m_nameStep ? m_nameStep->heldBytes() : 0);
}

PictureCommand *PictureCommand::copy() const
{
    if (m_nameStep)
        return new PictureCommand(m_nameStep->copy(), m_step, m_row, m_show, m_report);
    return new PictureCommand(text(), m_step, m_row, m_show, m_report);
}
