#include "publishdialog.h"

#include "askpass.h"
#include "cataloguedocument.h"
#include "messageservice.h"
#include "printabletext.h"
#include "publisher.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QInputDialog>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QThread>
#include <QVBoxLayout>

namespace {

QString settingsKey(const QString &folder)
{
    return QStringLiteral("publish/") + QString::fromLatin1(folder.toUtf8().toHex());
}

QString bytes(qint64 size)
{
    return QLocale().formattedDataSize(size);
}

} // namespace

PublishDialog::PublishDialog(QWidget *parent, CatalogueDocument &document, MessageService &messages)
    : QObject(parent), m_parent(parent), m_document(document), m_messages(messages)
{}

QString PublishDialog::rememberedDestination(const QString &folder)
{
    return QSettings().value(settingsKey(folder)).toString();
}

void PublishDialog::rememberDestination(const QString &folder, const QString &destination)
{
    QSettings settings;
    if (settings.value(settingsKey(folder)).toString() != destination)
        settings.setValue(settingsKey(folder), destination);
}

void PublishDialog::whileShowing(const QString &label, const std::function<void()> &work,
                                 const std::function<void()> &cancel)
{
    QProgressDialog dialog(label, tr("Cancel"), 0, 0, m_parent);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    QThread *thread = QThread::create(work);
    QEventLoop loop;
    connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    connect(&dialog, &QProgressDialog::canceled, &dialog, [&] {
        dialog.setLabelText(tr("Cancelling\u2026"));
        cancel();
    });
    thread->start();
    dialog.show();
    loop.exec();
    thread->wait();
    delete thread;
}

bool PublishDialog::confirmList(const QStringList &lines, const QString &summary, const QString &action)
{
    QDialog dialog(m_parent);
    dialog.setWindowTitle(tr("Publish"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *label = new QLabel(summary, &dialog);
    label->setWordWrap(true);
    layout->addWidget(label);
    auto *list = new QPlainTextEdit(lines.join(QLatin1Char('\n')), &dialog);
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(list);
    auto *buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(action, QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel)->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.resize(560, 360);
    return dialog.exec() == QDialog::Accepted;
}

void PublishDialog::run(const QList<CheckFinding> &fileFindings)
{
    const QString folder = m_document.journalFolder();
    bool given = false;
    const QString text = QInputDialog::getText(
        m_parent, tr("Publish"),
        tr("Publish the pages and their pictures to a folder, [user@]host:path or ssh://user@host:port/path:"),
        QLineEdit::Normal, rememberedDestination(folder), &given);
    if (!given || text.trimmed().isEmpty())
        return;
    const Destination destination = Destination::parse(text.trimmed());
    const QString pictureFolder = m_document.pictureFolder();
    if (const PublishError refused = Publisher::refusal(destination, m_document.folder(), pictureFolder);
        !refused.ok()) {
        m_messages.showMessage(refused.reason);
        return;
    }
    if (!findingsAccepted(fileFindings + m_document.check()))
        return;
    // The pages sent are those Build Pages writes, built now from the catalogue as it is.
    const PublishResult built = m_document.publish();
    if (!built.built) {
        m_messages.showMessage(built.message);
        return;
    }
    rememberDestination(folder, destination.text());
    publish(destination, pictureFolder);
}

bool PublishDialog::findingsAccepted(const QList<CheckFinding> &findings)
{
    if (findings.isEmpty())
        return true;
    QStringList lines;
    for (const CheckFinding &finding : findings)
        lines.append(printableText(CatalogueCheck::formatFinding(finding)));
    return m_messages.askToGoAhead(lines.join(QLatin1Char('\r')) + QLatin1Char('\r') + tr("Publish anyway?"),
                                   tr("Publish Anyway"));
}

void PublishDialog::publish(const Destination &destination, const QString &pictureFolder)
{
    // ssh asks for a password or an unknown host key through this very program, in a dialog.
    qputenv("SSH_ASKPASS", QCoreApplication::applicationFilePath().toLocal8Bit());
    qputenv("SSH_ASKPASS_REQUIRE", "force");
    qputenv(Askpass::Variable, "1");
    Publisher publisher(destination, m_document.folder(), pictureFolder);
    const QList<PublishItem> plan =
        PublishPlan::make(m_document.catalogue().Projects(), m_document.folder(), pictureFolder);
    PublishError prepared;
    whileShowing(
        tr("Comparing with %1\u2026").arg(printableText(destination.text())),
        [&] { prepared = publisher.prepare(plan); }, [&] { publisher.cancel(); });
    if (!prepared.ok()) {
        if (prepared.failure != PublishFailure::Cancelled)
            m_messages.showMessage(prepared.reason);
        return;
    }
    UploadResult result;
    result.method = publisher.method();
    result.outcome = UploadResult::Outcome::NothingToSend;
    const QList<PublishItem> toSend = publisher.toSend();
    if (!toSend.isEmpty()) {
        if (!sendConfirmed(toSend, result.method))
            return;
        result = sendWithProgress(publisher);
    }
    m_messages.showMessage(result.message());
    const bool sent =
        result.outcome == UploadResult::Outcome::Published || result.outcome == UploadResult::Outcome::NothingToSend;
    if (sent && !publisher.unlinked().isEmpty())
        offerToDeleteUnlinked(publisher, destination);
}

bool PublishDialog::sendConfirmed(const QList<PublishItem> &toSend, const QString &method)
{
    QStringList lines;
    qint64 total = 0;
    for (const PublishItem &item : toSend) {
        lines << QStringLiteral("%1\t%2\t%3")
                     .arg(item.change == PublishItem::Change::New ? tr("new") : tr("changed"), bytes(item.size),
                          printableText(item.name));
        total += item.size;
    }
    return confirmList(lines,
                       tr("%1 files (%2) will be sent through %3, the pictures first and the pages last:")
                           .arg(toSend.size())
                           .arg(bytes(total), method),
                       tr("Publish"));
}

UploadResult PublishDialog::sendWithProgress(Publisher &publisher)
{
    UploadResult result;
    QProgressDialog progress(tr("Sending\u2026"), tr("Cancel"), 0, 1000, m_parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    QPointer<QProgressDialog> shown(&progress);
    QThread *thread = QThread::create([&] {
        result = publisher.send([&](const PublishProgress &step) {
            QMetaObject::invokeMethod(&progress, [shown, step] {
                if (!shown)
                    return;
                shown->setValue(step.totalBytes > 0 ? int(step.bytes * 1000 / step.totalBytes) : 0);
                shown->setLabelText(tr("%1 of %2 files, %3 of %4\n%5")
                                        .arg(step.files)
                                        .arg(step.totalFiles)
                                        .arg(bytes(step.bytes), bytes(step.totalBytes), printableText(step.current)));
            });
        });
    });
    QEventLoop loop;
    connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    connect(&progress, &QProgressDialog::canceled, &progress, [&] { publisher.cancel(); });
    thread->start();
    loop.exec();
    thread->wait();
    delete thread;
    progress.reset();
    return result;
}

void PublishDialog::offerToDeleteUnlinked(Publisher &publisher, const Destination &destination)
{
    const QStringList unlinked = publisher.unlinked();
    QStringList lines;
    for (const QString &name : unlinked)
        lines << printableText(name);
    if (!confirmList(
            lines,
            tr("No page links these %1 files on the destination any more. They were left there.").arg(unlinked.size()),
            tr("Delete These Files\u2026")))
        return;
    if (!m_messages.askToGoAhead(tr("Delete %1 files from %2? They cannot be brought back.")
                                     .arg(unlinked.size())
                                     .arg(printableText(destination.text())),
                                 tr("Delete")))
        return;
    UploadResult removed;
    whileShowing(
        tr("Deleting\u2026"), [&] { removed = publisher.removeUnlinked(); }, [] {});
    m_messages.showMessage(removed.outcome == UploadResult::Outcome::Failed
                               ? removed.error.reason
                               : tr("%1 files were deleted from the destination.").arg(removed.removed.size()));
}
