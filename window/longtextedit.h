#pragma once

#include <QPlainTextEdit>

// The multi-line box. Records keep line breaks as CR LF while the editor works with paragraphs,
// so the text is converted both ways; every other character stays as it is, and a text the user
// did not touch comes back exactly as it was given, whatever line breaks it held.
class LongTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit LongTextEdit(QWidget *parent = nullptr);

    void setRecordText(const QString &text);
    QString recordText() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_given;
    QString m_shown;
};
