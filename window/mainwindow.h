#pragma once

#include "publishmessages.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class Catalogue;
class LongTextEdit;
class MessageService;
class PicturePreview;
class ProjectList;
class ProjectListModel;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace MainMessages {
inline const QString NothingToDelete = QStringLiteral("Please Select a Project to Delete");
inline const QString CatalogueFull =
    QStringLiteral("Not possible to Add a Project\rThe catalogue already holds 32767 projects");
using PublishMessages::PagesBuilt;
using PublishMessages::PagesFailed;
} // namespace MainMessages

// The one window: the project list, the editor of the selected project, its pictures and the
// commands. The list's selected row is the only record of which project is current.
class Main : public QWidget
{
    Q_OBJECT

public:
    Main(Catalogue &catalogue, MessageService &messages, const QString &pictureFolder,
         QWidget *parent = nullptr);
    ~Main() override;

    // Loads the catalogue and shows its first project; runs once, before the window is shown.
    void StartUp();

    void LoadProjects();
    void SaveProjects();
    void UpdateListBox();
    void UpdateText();
    void UpdatePicture();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createList();
    void createButtons();
    void createPictures();
    void createEditors();
    void setTabOrder();
    void centreOnScreen();

    void StoreField(const QString &key);
    void onListSelectionChanged();
    void onEditorFocusLost(QObject *editor);

    void addProject();
    void deleteProject();
    void moveProjectUp();
    void moveProjectDown();
    void saveAll();
    void buildPages();

    Catalogue &m_catalogue;
    MessageService &m_messages;

    ProjectListModel *m_model = nullptr;
    ProjectList *m_list = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_up = nullptr;
    QPushButton *m_down = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_buildPages = nullptr;
    QFrame *m_pictureFrame = nullptr;
    QLabel *m_image = nullptr;
    QLabel *m_noPicture = nullptr;
    QFrame *m_smallFrame = nullptr;
    std::array<QLabel *, 8> m_small{};
    QLineEdit *m_name = nullptr;
    QLineEdit *m_location = nullptr;
    QLineEdit *m_short = nullptr;
    LongTextEdit *m_long = nullptr;

    std::unique_ptr<PicturePreview> m_preview;
};
