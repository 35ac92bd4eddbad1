#pragma once

#include "catalogue.h"
#include "folderchooser.h"
#include "cataloguedocument.h"
#include "catalogueformat.h"
#include "mainwindow.h"
#include "recordingmessages.h"
#include "sampleprojects.h"
#include "testfiles.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

inline QList<ProjectInfo> projectsNamed(const QStringList &names)
{
    QList<ProjectInfo> projects;
    for (const QString &name : names)
        projects.append(project(name));
    return projects;
}

// Answers the folder questions in turn; an empty answer, or none left, is Cancel.
class ScriptedFolders : public FolderChooser
{
public:
    QString chooseFolder(QWidget *, const QString &) override
    {
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QStringList answers;
};

// The window on a catalogue file in a fresh working directory, started up, shown and active.
class WindowFixture
{
    QString m_previous = QDir::currentPath();
    QTemporaryDir m_dir;

public:
    // Without a file the start-up takes the first-run path.
    explicit WindowFixture(std::optional<QList<ProjectInfo>> projects)
    {
        if (projects)
            writeCatalogueFile(*projects);
        start();
    }

    explicit WindowFixture(const QByteArray &fileContent)
    {
        writeRaw(fileContent);
        start();
    }

    ~WindowFixture()
    {
        window.reset();
        QDir::setCurrent(m_previous);
    }

    template <typename T = QWidget>
    T *find(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    QAbstractItemView *list() const { return find<QAbstractItemView>("list_projects"); }
    QLineEdit *line(const char *name) const { return find<QLineEdit>(name); }
    QPlainTextEdit *longText() const { return find<QPlainTextEdit>("text_long"); }

    int selectedRow() const
    {
        const QModelIndexList rows = list()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    QStringList rows() const
    {
        QStringList shown;
        for (int row = 0; row < list()->model()->rowCount(); ++row)
            shown.append(list()->model()->index(row, 0).data().toString());
        return shown;
    }

    QStringList names() const
    {
        QStringList stored;
        for (const ProjectInfo &info : catalogue.Projects())
            stored.append(info.Name);
        return stored;
    }

    void clickRow(int row) const
    {
        const QRect rect = list()->visualRect(list()->model()->index(row, 0));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
    }

    void click(const char *name) const
    {
        QWidget *control = find(name);
        QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    }

    // Clicks into the box, replaces its whole text by typing, and leaves the focus there.
    void type(const char *name, const QString &text) const
    {
        click(name);
        QWidget *box = find(name);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }

    void pressTab() const { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }

    QString projectsPath() const { return m_dir.filePath(QStringLiteral("projects.txt")); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // The catalogue folder as the messages name it.
    QString folder() const { return QDir::toNativeSeparators(m_dir.path()); }
    // What Build Pages tells when it built the pages here.
    QString pagesBuilt() const
    {
        return QStringLiteral("Pages Built\r") + folder()
            + QStringLiteral("\rWritten there: projects_index.htm, projects_short.htm and projects_long.htm.");
    }

    CatalogueDocument document{QStringLiteral("."), m_dir.filePath(QStringLiteral("Thumbs"))};
    Catalogue &catalogue = document.catalogue();
    RecordingMessages messages;
    ScriptedFolders folders;
    std::unique_ptr<Main> window;

private:
    void writeCatalogueFile(const QList<ProjectInfo> &projects) { writeRaw(CatalogueFormat::write(projects)); }

    void writeRaw(const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(QStringLiteral("projects.txt")));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the catalogue file");
    }

    void start()
    {
        QDir::setCurrent(m_dir.path());
        window = std::make_unique<Main>(document, messages);
        window->setFolderChooser(folders);
        window->StartUp();
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qFatal("the window did not become active");
    }
};
