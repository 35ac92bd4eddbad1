#pragma once

#include <QPlainTextEdit>

// The multi-line box. Records keep line breaks as CR LF while the editor works with bare line
// feeds, so the text is converted both ways; a text the user did not touch comes back exactly as
// it was given, whatever line breaks it held.
class LongTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit LongTextEdit(QWidget *parent = nullptr);

    void setRecordText(const QString &text);
    QString recordText() const;

private:
    QString m_given;
    QString m_shown;
};
