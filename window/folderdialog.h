#pragma once

#include "folderchooser.h"

// The desktop's standard folder dialog.
class FolderDialog : public FolderChooser
{
public:
    QString chooseFolder(QWidget *parent, const QString &start) override;
};
