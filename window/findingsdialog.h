#pragma once

#include "cataloguecheck.h"

#include <QDialog>
#include <QList>

class QLabel;
class QListWidget;

// The findings of Check Pictures, one a row, wrapped to the dialog's width: the user can copy
// them, and a finding about a project, activated (double-click or Enter), selects that project in
// the window, which goes on working meanwhile.
class FindingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FindingsDialog(QWidget *parent = nullptr);

    // Shows `findings`, or that nothing was found, and brings the dialog forward. `fileRecords`
    // gives for each row of the catalogue its record in projects.txt (0 for none): a project that is
    // not saved as it stands is named by its row instead. `pictureFolder` is the folder the pictures
    // were looked for in, as the user reads it.
    void showFindings(const QList<CheckFinding> &findings, const QList<qsizetype> &fileRecords,
                      const QString &pictureFolder);

    // A finding as the dialog lists it: as --check prints it, or by its row for a project that
    // projects.txt does not hold as it stands.
    static QString line(const CheckFinding &finding, qsizetype fileRecord);
    // The picture folder's absolute name, printable; a relative one is in the working folder.
    static QString folderName(const QString &pictureFolder);

signals:
    // The row of the catalogue, counted from 0.
    void projectActivated(int row);

private:
    void copyLines(bool all) const;

    QLabel *m_folder = nullptr;
    QListWidget *m_findings = nullptr;
};
