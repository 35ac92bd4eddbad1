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
