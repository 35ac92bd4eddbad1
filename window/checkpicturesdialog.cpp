#include "checkpicturesdialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CheckPicturesDialog::CheckPicturesDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("checkPicturesDialog"));
    setWindowTitle(tr("Check Pictures"));

    m_findings = new QPlainTextEdit(this);
    m_findings->setObjectName(QStringLiteral("checkFindings"));
    m_findings->setAccessibleName(tr("Findings"));
    m_findings->setReadOnly(true);
    m_findings->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // One finding a line, as the command line prints them: a long one scrolls rather than wraps.
    m_findings->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("checkButtons"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_findings);
    layout->addWidget(buttons);
    resize(640, 320);
}

void CheckPicturesDialog::showFindings(const QStringList &lines)
{
    m_findings->setPlainText(lines.isEmpty() ? tr("Nothing found: every picture the pages "
                                                  "show is in place, and every picture count "
                                                  "agrees with the pictures found.")
                                             : lines.join(QLatin1Char('\n')));
    show();
    raise();
    activateWindow();
}
