#include "cataloguestep.h"

#include "cataloguedocument.h"

#include <utility>

CatalogueStep::CatalogueStep(CatalogueDocument &document, const CatalogueEdit &edit, int rowBefore, int rowAfter,
                             Show show)
    : m_document(document), m_edit(edit), m_rowBefore(rowBefore), m_rowAfter(rowAfter), m_show(std::move(show))
{
    switch (edit.kind) {
    case CatalogueEdit::Kind::Insert:
        setText(QStringLiteral("Add"));
        break;
    case CatalogueEdit::Kind::Remove:
        setText(QStringLiteral("Delete"));
        break;
    case CatalogueEdit::Kind::SwapWithNext:
        setText(rowAfter < rowBefore ? QStringLiteral("Up") : QStringLiteral("Down"));
        break;
    case CatalogueEdit::Kind::SetField:
        setText(QStringLiteral("Edit"));
        break;
    }
}

void CatalogueStep::undo()
{
    if (m_document.undo(m_edit))
        m_show(m_rowBefore);
    else
        setObsolete(true);
}

void CatalogueStep::redo()
{
    // Pushed once done: the first redo is the push itself.
    if (std::exchange(m_done, false))
        return;
    if (m_document.redo(m_edit))
        m_show(m_rowAfter);
    else
        setObsolete(true);
}

qint64 CatalogueStep::heldBytes() const
{
    // The step, its command's private part and a heap block for each text.
    constexpr qint64 Overhead = 512;
    const ProjectInfo &p = m_edit.project;
    const qsizetype characters = p.Name.size() + p.Location.size() + p.ShortDesc.size() + p.LongDesc.size()
        + m_edit.key.size() + m_edit.before.size() + m_edit.after.size();
    return Overhead + qint64(characters) * qint64(sizeof(QChar));
}

CatalogueStep *CatalogueStep::copy() const
{
    // The texts are shared, not copied.
    return new CatalogueStep(m_document, m_edit, m_rowBefore, m_rowAfter, m_show);
}
