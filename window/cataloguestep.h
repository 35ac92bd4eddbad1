#pragma once

#include "catalogueedit.h"

#include <QDateTime>
#include <QUndoCommand>

#include <functional>

class CatalogueDocument;

// One command or stored text edit on the undo stack. redo() makes the edit through the document,
// which gives it the states it leads from and to; undo() takes it back. After each, the catalogue's
// views are told what changed and which row to show.
class CatalogueStep : public QUndoCommand
{
public:
    // `forward` is false when the edit was taken back.
    using Show = std::function<void(const CatalogueEdit &edit, bool forward, int row)>;

    // `madeAt` is when the edit was first made: a recovered edit keeps its own time.
    CatalogueStep(CatalogueDocument &document, const CatalogueEdit &edit, int rowBefore, int rowAfter, Show show,
                  const QDateTime &madeAt = {});

    void undo() override;
    void redo() override;

    // Whether the document took the edit; a step it refused is dropped by the stack as it is pushed.
    bool made() const { return m_edit.stateAfter != 0; }
    // What the step holds in memory: its texts and project, and its own overhead.
    qint64 heldBytes() const;
    // The same step, made, to push again while the document stands past it.
    CatalogueStep *copy() const;

private:
    CatalogueDocument &m_document;
    CatalogueEdit m_edit;
    int m_rowBefore;
    int m_rowAfter;
    Show m_show;
    QDateTime m_madeAt;
};
