#pragma once

#include "cataloguecheck.h"
#include "publisher.h"

#include <QObject>
#include <QString>

#include <functional>

class CatalogueDocument;
class MessageService;
class QWidget;

// File → Publish…: asks for the destination (the one used last for this catalogue folder is
// proposed), tells the --check findings and asks "Publish anyway?", builds the pages, shows what
// will be sent, sends it with a progress dialog that can cancel, then lists the files no page links
// with a separate choice, confirmed on its own, to delete them. Passwords and unknown host keys are
// asked by the program itself as ssh's askpass helper.
class PublishDialog : public QObject
{
    Q_OBJECT

public:
    PublishDialog(QWidget *parent, CatalogueDocument &document, MessageService &messages);

    // `fileFindings`: what the start-up said about projects.txt, as findings.
    void run(const QList<CheckFinding> &fileFindings);

    // The destination kept for a catalogue folder (its absolute name by its bytes), beside the
    // recent folders in the settings.
    static QString rememberedDestination(const QString &folder);
    static void rememberDestination(const QString &folder, const QString &destination);

private:
    // Whether to publish despite `findings`: asked only when there are any.
    bool findingsAccepted(const QList<CheckFinding> &findings);
    void publish(const Destination &destination, const QString &pictureFolder);
    bool sendConfirmed(const QList<PublishItem> &toSend, const QString &method);
    // Sends on a thread of its own while a progress dialog shows files and bytes and offers Cancel.
    UploadResult sendWithProgress(Publisher &publisher);
    // Lists the files no page links any more; removing them is asked twice.
    void offerToDeleteUnlinked(Publisher &publisher, const Destination &destination);

    // Runs `work` on a thread of its own while a dialog says `label` and offers Cancel.
    void whileShowing(const QString &label, const std::function<void()> &work, const std::function<void()> &cancel);
    bool confirmList(const QStringList &lines, const QString &summary, const QString &action);

    QWidget *m_parent;
    CatalogueDocument &m_document;
    MessageService &m_messages;
};
