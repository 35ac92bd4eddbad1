#pragma once

#include "picturestep.h"
#include "stephistory.h"

#include <functional>
#include <memory>

class CatalogueStep;

// A change to a project's pictures as one step of the window's history: add, replace, remove or
// move, or the renaming that goes with a stored name, in which case the name's own step is part of
// it. Pushed once done; undo and redo go through the picture step, which puts back every file byte
// for byte, or does nothing and says why when a file was changed behind it.
class PictureCommand : public HistoryStep
{
public:
    using Show = std::function<void(int row)>;
    using Report = std::function<void(const QString &reason)>;

    PictureCommand(const QString &text, const PictureStep &step, int row, Show show, Report report);
    // The pictures renamed with the name `nameStep` stored; the command takes it over.
    PictureCommand(CatalogueStep *nameStep, const PictureStep &step, int row, Show show, Report report);
    ~PictureCommand() override;

    void undo() override;
    void redo() override;
    qint64 heldBytes() const override;
    PictureCommand *copy() const override;

private:
    std::unique_ptr<CatalogueStep> m_nameStep;
    PictureStep m_step;
    int m_row;
    Show m_show;
    Report m_report;
    bool m_done = true;
};
