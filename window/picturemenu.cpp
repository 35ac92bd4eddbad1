#include "picturemenu.h"

#include "cataloguedocument.h"
#include "cataloguestep.h"
#include "messages.h"
#include "messageservice.h"
#include "picturecommand.h"
#include "picturemaker.h"
#include "picturenames.h"
#include "picturerename.h"
#include "picturestep.h"
#include "stephistory.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <utility>

namespace {

QStringList localFiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

PictureMenu::PictureMenu(QMainWindow *window, CatalogueDocument &document, MessageService &messages,
                         StepHistory &history, Hooks hooks)
    : QObject(window), m_window(window), m_document(document), m_messages(messages), m_history(history),
      m_hooks(std::move(hooks)), m_menu(new QMenu(tr("&Pictures"), window))
{
    setObjectName(QStringLiteral("pictureMenu"));
    m_menu->setObjectName(QStringLiteral("menuPictures"));
    // Each picture's commands are there too, for the keyboard: the context menu needs a mouse.
    connect(m_menu, &QMenu::aboutToShow, this, [this] {
        qDeleteAll(m_menu->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly));
        m_menu->clear();
        m_hooks.storePendingEdit();
        fillMenu(m_menu, 0, true);
        const int row = m_hooks.selectedRow();
        if (row < 0)
            return;
        m_menu->addSeparator();
        const QList<int> numbers = PictureNames::existingPictures(pictureFolder(), m_document.catalogue().at(row).Name);
        for (const int k : numbers.mid(0, 9))
            fillMenu(m_menu->addMenu(k == 1 ? tr("&Main Picture") : tr("Picture &%1").arg(k)), k, false);
    });

    QWidget *area = window->centralWidget();
    area->setAcceptDrops(true);
    area->installEventFilter(this);
    for (QWidget *control : area->findChildren<QWidget *>()) {
        if (pictureUnder(control) > 0 || control->objectName() == QLatin1String("Shape2"))
            control->installEventFilter(this);
    }
}

QString PictureMenu::pictureFolder() const
{
    return m_document.pictureFolder();
}

int PictureMenu::pictureUnder(QObject *control) const
{
    const QString name = control ? control->objectName() : QString();
    if (name == QLatin1String("Image1") || name == QLatin1String("picframe1"))
        return 1;
    if (name.startsWith(QLatin1String("Image_small"))) {
        const int i = name.mid(11).toInt();
        return i >= 1 && i <= 8 ? i + 1 : 0;
    }
    return 0;
}

bool PictureMenu::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ContextMenu:
        if (watched != m_window->centralWidget()) {
            showContextMenu(static_cast<QWidget *>(watched), static_cast<QContextMenuEvent *>(event)->pos());
            return true;
        }
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (!localFiles(drag->mimeData()).isEmpty() && m_hooks.selectedRow() >= 0) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList files = localFiles(drop->mimeData());
        if (files.isEmpty())
            break;
        drop->acceptProposedAction();
        auto *area = static_cast<QWidget *>(watched);
        QWidget *under = area->childAt(drop->position().toPoint());
        m_hooks.storePendingEdit();
        addPhotos(files, pictureUnder(under));
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void PictureMenu::showContextMenu(QWidget *control, const QPoint &at)
{
    m_hooks.storePendingEdit();
    if (m_hooks.selectedRow() < 0)
        return;
    auto *menu = new QMenu(control);
    menu->setObjectName(QStringLiteral("menuPicture"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    fillMenu(menu, pictureUnder(control), true);
    menu->popup(control->mapToGlobal(at));
}

void PictureMenu::fillMenu(QMenu *menu, int k, bool withAdd)
{
    const int row = m_hooks.selectedRow();
    const QList<int> numbers =
        row < 0 ? QList<int>() : PictureNames::existingPictures(pictureFolder(), m_document.catalogue().at(row).Name);
    const bool exists = numbers.contains(k);
    const int last = numbers.isEmpty() ? 0 : numbers.last();
    const auto item = [&](const char *name, const QString &text, bool enabled, auto done) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, done);
    };
    if (withAdd)
        item("actionAddPictures", tr("&Add Pictures\u2026"), row >= 0, [this] { choose(0); });
    if (k == 0)
        return;
    item("actionReplacePicture", tr("&Replace Picture\u2026"), exists, [this, k] { choose(k); });
    item("actionRemovePicture", tr("Remo&ve Picture"), exists, [this, k] { removePicture(k); });
    menu->addSeparator();
    item("actionMoveEarlier", tr("Move &Earlier"), exists && k > 1, [this, k] { movePicture(k, k - 1); });
    item("actionMoveLater", tr("Move &Later"), exists && k < last, [this, k] { movePicture(k, k + 1); });
    item("actionMakeMain", tr("Make &Main Picture"), exists && k > 1, [this, k] { movePicture(k, 1); });
}

void PictureMenu::choose(int k)
{
    if (m_hooks.selectedRow() < 0)
        return;
    const QStringList files = m_chooser->choosePhotos(m_window, k == 0);
    addPhotos(files, k);
}

void PictureMenu::addPhotos(const QStringList &files, int k)
{
    const int row = m_hooks.selectedRow();
    if (row < 0 || files.isEmpty())
        return;
    QList<QByteArray> gifs;
    QStringList skipped;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const QString &file : files) {
        if (k > 0 && !gifs.isEmpty()) {
            skipped.append(tr("%1: only one file can replace picture %2.").arg(QFileInfo(file).fileName()).arg(k));
            continue;
        }
        const MadePicture made = PictureMaker::make(file);
        if (made.made())
            gifs.append(made.gif);
        else
            skipped.append(made.reason);
    }
    QApplication::restoreOverrideCursor();
    const QString name = m_document.catalogue().at(row).Name;
    if (k > 0 && !gifs.isEmpty())
        perform(tr("Replace Picture"), PictureStep::replace(pictureFolder(), name, k, gifs.first()), row);
    else if (!gifs.isEmpty())
        perform(tr("Add Pictures"), PictureStep::add(pictureFolder(), name, gifs), row);
    if (!skipped.isEmpty())
        m_messages.showSkippedFiles(Messages::photosSkipped(), skipped);
}

void PictureMenu::removePicture(int k)
{
    const int row = m_hooks.selectedRow();
    if (row >= 0)
        perform(tr("Remove Picture"), PictureStep::remove(pictureFolder(), m_document.catalogue().at(row).Name, k),
                row);
}

void PictureMenu::movePicture(int from, int to)
{
    const int row = m_hooks.selectedRow();
    if (row >= 0)
        perform(tr("Move Picture"), PictureStep::move(pictureFolder(), m_document.catalogue().at(row).Name, from, to),
                row);
}

void PictureMenu::perform(const QString &text, PictureStep step, int row)
{
    if (!step.reason().isEmpty()) {
        m_messages.showMessage(step.reason());
        return;
    }
    const StepOutcome outcome = step.redo();
    if (!outcome.done) {
        m_messages.showMessage(outcome.reason);
        return;
    }
    m_history.pushStep(new PictureCommand(
        text, step, row, [this](int shown) { showPictures(shown); },
        [this](const QString &reason) { m_messages.showMessage(reason); }));
    showPictures(row);
    if (!step.warnings().isEmpty())
        m_messages.showMessage(step.warnings().join(QLatin1Char('\n')));
}

void PictureMenu::showPictures(int row)
{
    m_hooks.showRow(row);
    // The count follows the pictures there are now, beyond the ninth too.
    const QList<int> numbers = PictureNames::existingPictures(pictureFolder(), m_document.catalogue().at(row).Name);
    m_document.setShownPictureCount(qint16(row), qint16(numbers.isEmpty() ? 0 : numbers.last()));
}

bool PictureMenu::pushNameStep(CatalogueStep *nameStep, int row, const QString &newName)
{
    // Planned before the name is stored, which the push does; the catalogue is not copied.
    const QList<ProjectInfo> &projects = m_document.catalogue().Projects();
    const QString oldName = projects.at(row).Name;
    const PictureRename plan = PictureRename::plan(pictureFolder(), projects, row, newName);
    if (!plan.moves()) {
        const bool stored = m_history.pushStep(nameStep);
        if (stored && !plan.refusal.isEmpty())
            m_messages.showMessage(plan.refusal);
        return stored;
    }
    PictureStep step = PictureStep::rename(pictureFolder(), plan);
    const StepOutcome outcome = step.reason().isEmpty() ? step.redo() : StepOutcome{false, step.reason()};
    if (!outcome.done) {
        const bool stored = m_history.pushStep(nameStep);
        if (stored)
            m_messages.showMessage(tr("The pictures keep the name %1: %2").arg(oldName, outcome.reason));
        return stored;
    }
    if (!m_history.pushStep(new PictureCommand(
            nameStep, step, row, [this](int shown) { m_hooks.showRow(shown); },
            [this](const QString &reason) { m_messages.showMessage(reason); })))
        return false;
    if (!step.warnings().isEmpty())
        m_messages.showMessage(step.warnings().join(QLatin1Char('\n')));
    return true;
}
