#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

// The findings of Check Pictures, one line each, as --check prints them: text the user can select
// and copy while the window goes on working.
class CheckPicturesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CheckPicturesDialog(QWidget *parent = nullptr);

    // Shows `lines`, or that nothing was found when there is none, and brings the dialog forward.
    void showFindings(const QStringList &lines);

private:
    QPlainTextEdit *m_findings = nullptr;
};
