#include "cataloguestep.h"

#include "cataloguedocument.h"

#include <QCoreApplication>

#include <utility>

namespace {

QString fieldCaption(Field field)
{
    static const char *const Captions[] = {QT_TRANSLATE_NOOP("CatalogueStep", "Typing in TIP or Project Name"),
                                           QT_TRANSLATE_NOOP("CatalogueStep", "Typing in Location"),
                                           QT_TRANSLATE_NOOP("CatalogueStep", "Typing in Short Description"),
                                           QT_TRANSLATE_NOOP("CatalogueStep", "Typing in Long Description")};
    return QCoreApplication::translate("CatalogueStep", Captions[int(field)]);
}

// The words Undo and Redo name the step by, as the command was called.
QString stepCaption(const CatalogueEdit &edit, int rowBefore, int rowAfter)
{
    switch (edit.kind) {
    case CatalogueEdit::Kind::Insert:
        return QCoreApplication::translate("CatalogueStep", "Add Project");
    case CatalogueEdit::Kind::Remove:
        return QCoreApplication::translate("CatalogueStep", "Delete Project");
    case CatalogueEdit::Kind::SwapWithNext:
        return rowAfter < rowBefore ? QCoreApplication::translate("CatalogueStep", "Move Up")
                                    : QCoreApplication::translate("CatalogueStep", "Move Down");
    case CatalogueEdit::Kind::SetField:
        break;
    }
    return fieldCaption(edit.field);
}

} // namespace

CatalogueStep::CatalogueStep(CatalogueDocument &document, const CatalogueEdit &edit, int rowBefore, int rowAfter,
                             Show show, const QDateTime &madeAt)
    : m_document(document), m_edit(edit), m_rowBefore(rowBefore), m_rowAfter(rowAfter), m_show(std::move(show)),
      m_madeAt(madeAt)
{
    setText(stepCaption(edit, rowBefore, rowAfter));
}

void CatalogueStep::undo()
{
    if (!m_document.undo(m_edit)) {
        setObsolete(true);
        return;
    }
    if (m_show)
        m_show(m_edit, false, m_rowBefore);
}

void CatalogueStep::redo()
{
    bool done = false;
    if (!made())
        done = m_document.perform(m_edit, m_madeAt.isValid() ? m_madeAt : QDateTime::currentDateTimeUtc());
    else if (m_document.state() == m_edit.stateBefore)
        done = m_document.redo(m_edit);
    else
        // Pushed again by the history that keeps its budget: the document already stands past it.
        return;
    if (!done) {
        setObsolete(true);
        return;
    }
    if (m_show)
        m_show(m_edit, true, m_rowAfter);
}

qint64 CatalogueStep::heldBytes() const
{
    // The step, its command's private part and a heap block for each text.
    constexpr qint64 Overhead = 512;
    const ProjectInfo &p = m_edit.project;
    const qsizetype characters = p.Name.size() + p.Location.size() + p.ShortDesc.size() + p.LongDesc.size()
        + m_edit.before.size() + m_edit.after.size();
    return Overhead + qint64(characters) * qint64(sizeof(QChar));
}

CatalogueStep *CatalogueStep::copy() const
{
    // The texts are shared, not copied.
    return new CatalogueStep(m_document, m_edit, m_rowBefore, m_rowAfter, m_show, m_madeAt);
}
