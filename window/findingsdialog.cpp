#include "findingsdialog.h"

#include "printabletext.h"
#include "workingfolder.h"

#include <QAction>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int RowRole = Qt::UserRole;
constexpr int LineRole = Qt::UserRole + 1;
// A finding shown longer than this is cut, with an ellipsis: wrapping a megabyte name would take
// the dialog many seconds. The line copied is whole.
constexpr qsizetype LongestShownLine = 2000;

// A list view asks its rows' heights without their width: each row is measured as wide as the
// view, so that its text wraps there.
class WrappingDelegate : public QStyledItemDelegate
{
public:
    explicit WrappingDelegate(QListWidget *view) : QStyledItemDelegate(view), m_view(view) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem wrapped = option;
        initStyleOption(&wrapped, index);
        wrapped.features |= QStyleOptionViewItem::WrapText;
        wrapped.rect = QRect(0, 0, std::max(1, m_view->viewport()->width() - 2 * m_view->spacing()), 1);
        return m_view->style()->sizeFromContents(QStyle::CT_ItemViewItem, &wrapped, QSize(), m_view);
    }

private:
    QListWidget *m_view;
};

} // namespace

FindingsDialog::FindingsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("checkPicturesDialog"));
    setWindowTitle(tr("Check Pictures"));
    setSizeGripEnabled(true);

    m_folder = new QLabel(this);
    m_folder->setObjectName(QStringLiteral("checkFolder"));
    m_folder->setTextFormat(Qt::PlainText);
    m_folder->setWordWrap(true);
    m_folder->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_findings = new QListWidget(this);
    m_findings->setObjectName(QStringLiteral("checkFindings"));
    m_findings->setAccessibleName(tr("Findings"));
    m_findings->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_findings->setWordWrap(true);
    m_findings->setAlternatingRowColors(true);
    m_findings->setTextElideMode(Qt::ElideNone);
    m_findings->setResizeMode(QListView::Adjust);
    m_findings->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_findings->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_findings->setItemDelegate(new WrappingDelegate(m_findings));
    connect(m_findings, &QListWidget::itemActivated, this, [this](const QListWidgetItem *item) {
        if (const int row = item->data(RowRole).toInt(); row >= 0)
            emit projectActivated(row);
    });

    auto *copy = new QAction(tr("&Copy"), m_findings);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, [this] { copyLines(false); });
    auto *copyAll = new QAction(tr("Copy &All"), m_findings);
    connect(copyAll, &QAction::triggered, this, [this] { copyLines(true); });
    m_findings->addActions({copy, copyAll});
    m_findings->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("checkButtons"));
    QPushButton *copyButton = buttons->addButton(tr("Copy &All"), QDialogButtonBox::ActionRole);
    copyButton->setAutoDefault(false);
    connect(copyButton, &QPushButton::clicked, this, [this] { copyLines(true); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_folder);
    layout->addWidget(m_findings);
    layout->addWidget(buttons);
    resize(640, 360);
}

QString FindingsDialog::line(const CheckFinding &finding, qsizetype fileRecord)
{
    if (finding.record == 0 || fileRecord > 0) {
        CheckFinding inFile = finding;
        inFile.record = finding.record == 0 ? 0 : fileRecord;
        return printableText(CatalogueCheck::formatFinding(inFile));
    }
    return printableText(tr("Row %1, not saved: %2: %3").arg(finding.record).arg(finding.name, finding.message));
}

QString FindingsDialog::folderName(const QString &pictureFolder)
{
    QByteArray folder = QFile::encodeName(QDir::cleanPath(pictureFolder));
    if (QDir::isRelativePath(pictureFolder))
        folder = WorkingFolder::current() + '/' + folder;
    return QDir::toNativeSeparators(printableFileName(folder));
}

void FindingsDialog::showFindings(const QList<CheckFinding> &findings, const QList<qsizetype> &fileRecords,
                                  const QString &pictureFolder)
{
    m_folder->setText(tr("Pictures looked for in %1").arg(pictureFolder));
    m_findings->clear();
    for (const CheckFinding &finding : findings) {
        const int row = int(finding.record) - 1;
        const QString text = line(finding, fileRecords.value(row));
        auto *item = new QListWidgetItem(
            text.size() > LongestShownLine ? text.left(LongestShownLine) + QChar(0x2026) : text, m_findings);
        item->setData(RowRole, row);
        item->setData(LineRole, text);
        if (row >= 0)
            item->setToolTip(tr("Double-click or press Enter to select the project"));
    }
    if (findings.isEmpty()) {
        const QString nothing = tr("Nothing found: every picture the pages show is in place, and every picture "
                                   "count agrees with the pictures found.");
        auto *item = new QListWidgetItem(nothing, m_findings);
        item->setData(RowRole, -1);
        item->setData(LineRole, nothing);
    }
    m_findings->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    show();
    raise();
    activateWindow();
    m_findings->setFocus(Qt::OtherFocusReason);
}

void FindingsDialog::copyLines(bool all) const
{
    QStringList lines;
    for (int i = 0; i < m_findings->count(); ++i) {
        const QListWidgetItem *item = m_findings->item(i);
        if (all || item->isSelected())
            lines.append(item->data(LineRole).toString());
    }
    if (!lines.isEmpty())
        QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}
