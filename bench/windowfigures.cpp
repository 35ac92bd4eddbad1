#include "catalogue.h"
#include "cataloguedocument.h"
#include "catalogueformat.h"
#include "figure.h"
#include "mainwindow.h"
#include "measure.h"
#include "messageservice.h"
#include "workload.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

extern char **environ;

namespace {

// The started program's peak resident size must not include the bench's own pages: the kernel
// counts the memory of the process that forks (and of the one that execs) in the child's peak. So
// a helper forked while the bench is still small starts the program and reports on it.
struct LaunchRequest
{
    char folder[4096];
    int undoSteps;
};

struct LaunchResult
{
    double milliseconds;
    long peakKilobytes;
    int status;
};

int g_requests = -1;
int g_results = -1;

bool readFully(int fd, void *data, size_t size)
{
    auto *bytes = static_cast<char *>(data);
    while (size > 0) {
        const ssize_t got = read(fd, bytes, size);
        if (got <= 0)
            return false;
        bytes += got;
        size -= size_t(got);
    }
    return true;
}

bool writeFully(int fd, const void *data, size_t size)
{
    const auto *bytes = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t put = write(fd, bytes, size);
        if (put <= 0)
            return false;
        bytes += put;
        size -= size_t(put);
    }
    return true;
}

double seconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

[[noreturn]] void serveLaunches(int requests, int results)
{
    std::vector<std::string> variables;
    for (char **variable = environ; *variable; ++variable) {
        if (std::strncmp(*variable, "QT_QPA_PLATFORM=", 16) != 0
            && std::strncmp(*variable, "XDG_CONFIG_HOME=", 16) != 0)
            variables.emplace_back(*variable);
    }
    variables.emplace_back("QT_QPA_PLATFORM=offscreen");
    std::vector<char *> environment;
    environment.reserve(variables.size() + 1);
    for (std::string &variable : variables)
        environment.push_back(variable.data());
    environment.push_back(nullptr);
    char program[] = CATALOGUE_LAUNCHER;
    char *arguments[] = {program, nullptr};

    LaunchRequest request{};
    while (readFully(requests, &request, sizeof request)) {
        LaunchResult result{};
        const double start = seconds();
        const pid_t child = fork();
        if (child == 0) {
            const int quiet = open("/dev/null", O_WRONLY);
            if (chdir(request.folder) != 0 || quiet < 0 || dup2(quiet, STDOUT_FILENO) < 0
                || dup2(quiet, STDERR_FILENO) < 0)
                _exit(126);
            // Only the child changes: the helper is single-threaded, so it may allocate here.
            std::string steps = "CATALOGUE_BENCH_STEPS=" + std::to_string(request.undoSteps);
            environment.insert(environment.end() - 1, steps.data());
            // The folders it opens are remembered in the bench's own settings, not the user's.
            std::string settings = std::string("XDG_CONFIG_HOME=") + request.folder + "/settings";
            environment.insert(environment.end() - 1, settings.data());
            execve(program, arguments, environment.data());
            _exit(127);
        }
        rusage usage{};
        if (child < 0 || wait4(child, &result.status, 0, &usage) != child)
            result.status = -1;
        result.milliseconds = (seconds() - start) * 1000.0;
        result.peakKilobytes = usage.ru_maxrss;
        if (!writeFully(results, &result, sizeof result))
            break;
    }
    _exit(0);
}

LaunchResult launchProgram(const QString &folder, int undoSteps = 0)
{
    if (g_requests < 0)
        qFatal("the program launcher was not started");
    LaunchRequest request{};
    const QByteArray path = QFile::encodeName(folder);
    if (size_t(path.size()) >= sizeof request.folder)
        qFatal("folder path too long");
    std::memcpy(request.folder, path.constData(), size_t(path.size()));
    request.undoSteps = undoSteps;
    LaunchResult result{};
    if (!writeFully(g_requests, &request, sizeof request) || !readFully(g_results, &result, sizeof result))
        qFatal("the program launcher is gone");
    if (!WIFEXITED(result.status) || WEXITSTATUS(result.status) != 0)
        qFatal("the launched window did not end normally (status %d)", result.status);
    return result;
}

class SilentMessages : public MessageService
{
public:
    void showMessage(const QString &text) override { shown.append(text); }
    void showSkippedFiles(const QString &heading, const QStringList &reasons) override
    {
        shown.append(heading + QLatin1Char('\n') + reasons.join(QLatin1Char('\n')));
    }
    bool askToReplace(const QString &text) override
    {
        shown.append(text);
        return false;
    }
    bool askToGoAhead(const QString &text, const QString &) override
    {
        shown.append(text);
        return false;
    }
    Answer askToSave(const QString &text) override
    {
        shown.append(text);
        return Answer::Cancel;
    }
    Recovery askToRestore(const QString &text) override
    {
        shown.append(text);
        return Recovery::Discard;
    }
    bool askToSaveAnyway(const QString &text) override
    {
        shown.append(text);
        return false;
    }
    NewCatalogue askToStartCatalogue(const QString &text) override
    {
        shown.append(text);
        return NewCatalogue::Cancel;
    }
    bool offerToShowPages(const QString &text) override
    {
        shown.append(text);
        return false;
    }
    QStringList shown;
};

void writeCatalogue(const QString &folder, const QList<ProjectInfo> &projects)
{
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/projects.txt"));
    const QByteArray bytes = CatalogueFormat::write(projects);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
}

// Pictures 1 to 9 for each named project, copied from the demo's GIFs.
void writePictures(const QString &thumbs, const QStringList &names)
{
    QDir().mkpath(thumbs);
    const QDir demo(QStringLiteral(CATALOGUE_SOURCE_DIR "/demo/Thumbs"));
    const QStringList gifs = demo.entryList({QStringLiteral("*.gif")}, QDir::Files, QDir::Name);
    if (gifs.isEmpty())
        qFatal("no demo pictures in %s", qPrintable(demo.path()));
    int next = 0;
    for (const QString &name : names) {
        for (int k = 1; k <= 9; ++k) {
            const QString target = thumbs + QLatin1Char('/') + name + QStringLiteral("_p%1.gif").arg(k);
            QFile::remove(target);
            if (!QFile::copy(demo.filePath(gifs.at(next++ % gifs.size())), target))
                qFatal("cannot copy a demo picture to %s", qPrintable(target));
        }
    }
}

// The program's window started up on `workload`, shown and active, as the program runs it. Rows 0
// and 1 have all nine pictures; row 2 has none.
class BenchWindow
{
public:
    BenchWindow(const QList<ProjectInfo> &workload, const QString &folder)
        : document(QStringLiteral("."), folder + QStringLiteral("/Thumbs"))
    {
        writeCatalogue(folder, workload);
        writePictures(folder + QStringLiteral("/Thumbs"), {workload.at(0).Name, workload.at(1).Name});
        m_name = workload.at(2).Name;

        const QString previous = QDir::currentPath();
        QDir::setCurrent(folder);
        window = std::make_unique<Main>(document, messages);
        window->StartUp();
        QDir::setCurrent(previous);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()) || !messages.shown.isEmpty())
            qFatal("the window did not start");
        list = window->findChild<QAbstractItemView *>(QStringLiteral("list_projects"));
        name = window->findChild<QLineEdit *>(QStringLiteral("text_name"));
        if (!list || !name)
            qFatal("controls not found");
    }

    // Types a new name for row 2 into text_name, untimed; focusLeavesName() then stores it.
    void editName()
    {
        selectRow(2);
        name->setFocus(Qt::MouseFocusReason);
        m_renamed = !m_renamed;
        name->setText(m_renamed ? m_name + QStringLiteral(" renamed") : m_name);
    }

    // Types `text` as the name of `row` into text_name, untimed.
    void editNameOf(int row, const QString &text)
    {
        selectRow(row);
        name->setFocus(Qt::MouseFocusReason);
        name->setText(text);
    }

    void focusLeavesName()
    {
        QTest::keyClick(name, Qt::Key_Tab);
        settle();
    }

    void selectRow(int row)
    {
        if (currentRow() == row)
            return;
        list->setFocus(Qt::MouseFocusReason);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
        settle();
        if (currentRow() != row)
            qFatal("row %d not selected", row);
    }

    // Moves the selection between the two rows with pictures by the arrow keys.
    void stepSelection()
    {
        QTest::keyClick(list, currentRow() == 0 ? Qt::Key_Down : Qt::Key_Up);
        settle();
    }

    int currentRow() const
    {
        const QModelIndexList rows = list->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    // What the user waits for: layout and painting that the change queued.
    static void settle() { QCoreApplication::processEvents(); }

    CatalogueDocument document;
    const Catalogue &catalogue = document.catalogue();
    SilentMessages messages;
    std::unique_ptr<Main> window;
    QAbstractItemView *list = nullptr;
    QLineEdit *name = nullptr;

private:
    QString m_name;
    bool m_renamed = false;
};

struct WindowTimes
{
    double nameStore;
    double rename; // a name store whose project has nine pictures, renamed with it
    double select;
    double undo;
};

WindowTimes measureInProcess(int projects, int samples, const QString &folder)
{
    BenchWindow bench(benchmarkWorkload(projects), folder);
    WindowTimes times{};
    bench.editName();
    bench.focusLeavesName();
    times.nameStore = medianMilliseconds(
        samples, [&] { bench.editName(); }, [&] { bench.focusLeavesName(); });
    if (bench.catalogue.at(2).Name != bench.name->text())
        qFatal("the name was not stored");

    // Row 0 has nine pictures, which follow each new name: back and forth between two names.
    const QString first = bench.catalogue.at(0).Name;
    const QString names[] = {first + QStringLiteral(" renamed"), first};
    int renames = 0;
    times.rename = medianMilliseconds(
        samples, [&] { bench.editNameOf(0, names[renames++ % 2]); }, [&] { bench.focusLeavesName(); });
    const QString thumbs = folder + QStringLiteral("/Thumbs/");
    if (!bench.messages.shown.isEmpty() || !QFileInfo::exists(thumbs + bench.catalogue.at(0).Name + "_p9.gif")
        || QFileInfo::exists(thumbs + names[renames % 2] + "_p1.gif"))
        qFatal("the pictures did not follow the name: %s", qPrintable(bench.messages.shown.join(' ')));

    bench.selectRow(0);
    bench.list->setFocus(Qt::MouseFocusReason);
    bench.stepSelection();
    times.select = medianMilliseconds(samples, [&] { bench.stepSelection(); });
    if (bench.catalogue.at(0).Pics != 9 || bench.catalogue.at(1).Pics != 9)
        qFatal("the pictures were not found");

    // Undoing a Delete of a middle project, until the window shows it again.
    const int middle = projects / 2;
    const ProjectInfo restored = bench.catalogue.at(qint16(middle));
    auto *deleteButton = bench.window->findChild<QWidget *>(QStringLiteral("cmd_delete"));
    times.undo = medianMilliseconds(
        samples,
        [&] {
            bench.selectRow(middle);
            QTest::mouseClick(deleteButton, Qt::LeftButton, {}, deleteButton->rect().center());
            bench.settle();
        },
        [&] {
            QTest::keySequence(QApplication::focusWidget(), QKeySequence::Undo);
            bench.settle();
        });
    if (bench.catalogue.at(qint16(middle)) != restored || bench.currentRow() != middle
        || bench.name->text() != restored.Name)
        qFatal("the deleted project was not shown again");
    return times;
}

// This process's resident size or its peak since resetPeakResident(), in bytes.
double residentBytes(const char *field)
{
    return double(statusKilobytes(field)) * 1024;
}

void resetPeakResident()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        qFatal("cannot reset the peak resident size");
}

// A project whose name is `characters` long and whose long description is one line of as many
// characters without a single break opportunity.
ProjectInfo longTextProject(qsizetype characters)
{
    ProjectInfo project = benchmarkWorkload(1).first();
    const QString words = project.Name + QLatin1Char(' ');
    project.Name.clear();
    while (project.Name.size() < characters)
        project.Name += words;
    project.Name.truncate(characters);
    project.LongDesc.resize(characters);
    for (qsizetype i = 0; i < characters; ++i)
        project.LongDesc[i] = QLatin1Char(char('a' + i % 26));
    return project;
}

struct LongTextFigures
{
    double milliseconds;
    double peakBytes;
};

// Selecting such a project: the time until the window has shown it, and the peak memory it adds
// over what the process held just before.
LongTextFigures measureLongText(qsizetype characters, int runs, const QString &folder)
{
    const int longRow = 3;
    QList<ProjectInfo> workload = benchmarkWorkload(10);
    workload[longRow] = longTextProject(characters);
    BenchWindow bench(workload, folder);
    auto *longBox = bench.window->findChild<QPlainTextEdit *>(QStringLiteral("text_long"));
    if (!longBox)
        qFatal("controls not found");
    QList<double> times, peaks;
    for (int i = 0; i < runs; ++i) {
        bench.selectRow(0);
        // Memory freed earlier and kept by the allocator would hide what the selection takes.
        malloc_trim(0);
        const double before = residentBytes("VmRSS");
        resetPeakResident();
        QElapsedTimer timer;
        timer.start();
        bench.selectRow(longRow);
        times.append(double(timer.nsecsElapsed()) / 1e6);
        peaks.append(residentBytes("VmHWM") - before);
        if (bench.name->text() != workload.at(longRow).Name || longBox->toPlainText() != workload.at(longRow).LongDesc)
            qFatal("the long texts were not shown");
    }
    std::sort(times.begin(), times.end());
    std::sort(peaks.begin(), peaks.end());
    return {times.at(runs / 2), peaks.at(runs / 2)};
}

} // namespace

void startProgramLauncher()
{
    int requests[2];
    int results[2];
    if (pipe(requests) != 0 || pipe(results) != 0)
        qFatal("cannot make the launcher's pipes");
    const pid_t launcher = fork();
    if (launcher < 0)
        qFatal("cannot start the program launcher");
    if (launcher == 0) {
        close(requests[1]);
        close(results[0]);
        serveLaunches(requests[0], results[1]);
    }
    close(requests[0]);
    close(results[1]);
    g_requests = requests[1];
    g_results = results[0];
}

QList<Figure> measureWindow(int projects, int runs, const QString &folder, double loadMilliseconds)
{
    // One in-process sample is a few milliseconds: take more of them than launches.
    const int samples = std::max(runs, 3) * 5;
    const WindowTimes small = measureInProcess(10, samples, folder + QStringLiteral("/window-10"));
    const WindowTimes full = measureInProcess(projects, samples, folder + QStringLiteral("/window-full"));
    // A megabyte each at full size; the smoke run only checks that the figure can be taken.
    const qsizetype longCharacters = projects == Catalogue::MaxProjects ? 1 << 20 : 1 << 14;
    const LongTextFigures longText = measureLongText(longCharacters, runs, folder + QStringLiteral("/window-long"));

    const QString oneFolder = folder + QStringLiteral("/launch-1");
    const QString fullFolder = folder + QStringLiteral("/launch-full");
    writeCatalogue(oneFolder, benchmarkWorkload(1));
    writeCatalogue(fullFolder, benchmarkWorkload(projects));
    const double fileMegabytes = double(QFile(fullFolder + QStringLiteral("/projects.txt")).size()) / (1 << 20);

    launchProgram(oneFolder); // the first start also warms the font and library caches
    // The memory figure holds as many steps on the undo stack, each a deleted project.
    const int undoSteps = 1000;
    QList<double> oneTimes, fullTimes, oneBytes, fullBytes;
    for (int i = 0; i < runs; ++i) {
        const LaunchResult one = launchProgram(oneFolder);
        const LaunchResult full = launchProgram(fullFolder);
        const LaunchResult withSteps = launchProgram(fullFolder, undoSteps);
        oneTimes.append(one.milliseconds);
        fullTimes.append(full.milliseconds);
        oneBytes.append(double(one.peakKilobytes) / 1024);
        fullBytes.append(double(withSteps.peakKilobytes) / 1024);
    }
    auto median = [](QList<double> values) {
        std::sort(values.begin(), values.end());
        return values.at(values.size() / 2);
    };

    return {
        {"namestore", "focus leaves text_name (store, rebuild, show)", full.nameStore, small.nameStore, 2.0},
        {"rename", "namestore of a project with 9 pictures, files renamed / namestore", full.rename, full.nameStore,
         1.5},
        {"select", "select a row with 9 pictures", full.select, small.select, 1.5},
        {"startup", "launch to first shown window", median(fullTimes), median(oneTimes) + loadMilliseconds, 1.3},
        {"undo", "undo Delete of a middle project / namestore 10", full.undo, small.nameStore, 2.0},
        {"memory", "peak MB with 1000 undo steps minus 1 project", median(fullBytes) - median(oneBytes),
         3 * fileMegabytes, 1.0},
        {"longtext", "select 1 MB name + 1 MB line / load", longText.milliseconds, loadMilliseconds, 4.0},
        {"longmemory", "peak MB it adds / 20 B per character", longText.peakBytes / (1 << 20),
         20.0 * 2 * double(longCharacters) / (1 << 20), 3.0},
    };
}
