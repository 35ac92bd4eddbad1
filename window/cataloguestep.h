#pragma once

#include "catalogueedit.h"

#include "stephistory.h"

#include <functional>

class CatalogueDocument;

// One command or stored text edit on the undo stack: the edit the document performed, with the
// rows that were selected before and after it. The window has already done the step when it is
// pushed; undo and redo go through the document and then show the row, as the window always
// does.
class CatalogueStep : public HistoryStep
{
public:
    using Show = std::function<void(int row)>;

    CatalogueStep(CatalogueDocument &document, const CatalogueEdit &edit, int rowBefore, int rowAfter, Show show);

    void undo() override;
    void redo() override;

    // What the step holds in memory: its texts and project, and its own overhead.
    qint64 heldBytes() const override;
    // The same step, done, to push again.
    CatalogueStep *copy() const override;

private:
    CatalogueDocument &m_document;
    CatalogueEdit m_edit;
    int m_rowBefore;
    int m_rowAfter;
    Show m_show;
    bool m_done = true;
};
