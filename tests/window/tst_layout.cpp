#include "windowfixture.h"

#include "messageboxservice.h"
#include "messages.h"
#include "translations.h"

#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScopeGuard>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QTranslator>

class LayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void controlsSitAtTheirPlaces_data();
    void controlsSitAtTheirPlaces();
    void captionsAndNames_data();
    void captionsAndNames();
    void tabVisitsControlsInOrder();
    void shiftTabAndTabAroundTheEditors();
    void enterNeitherInsertsNorPressesAButton();
    void messageBoxShowsALineBreakAndOnlyOk();
};

void LayoutTest::controlsSitAtTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("maximised");
    const QList<QPair<const char *, QRect>> table = {
        {"list_projects", {8, 16, 177, 251}},   {"cmd_add", {200, 16, 65, 20}},
        {"cmd_delete", {200, 48, 65, 20}},      {"cmd_up", {200, 80, 25, 25}},
        {"cmd_down", {200, 104, 25, 25}},       {"cmd_save", {200, 144, 65, 20}},
        {"cmd_all", {200, 192, 73, 28}},        {"picframe1", {288, 16, 180, 120}},
        {"Image1", {296, 24, 182, 122}},        {"image_nopicture", {312, 8, 180, 120}},
        {"Shape2", {496, 16, 225, 289}},        {"Image_small1", {512, 24, 90, 60}},
        {"Image_small2", {512, 96, 90, 60}},    {"Image_small3", {512, 168, 90, 60}},
        {"Image_small4", {512, 240, 90, 60}},   {"Image_small5", {616, 24, 90, 60}},
        {"Image_small6", {616, 96, 90, 60}},    {"Image_small7", {616, 168, 90, 60}},
        {"Image_small8", {616, 240, 90, 60}},   {"Label1", {8, 288, 97, 17}},
        {"text_name", {112, 288, 161, 19}},     {"Label6", {8, 312, 97, 17}},
        {"text_location", {112, 312, 161, 19}}, {"Label9", {8, 336, 97, 17}},
        {"text_short", {112, 336, 609, 19}},    {"Label2", {8, 360, 97, 17}},
        {"text_long", {112, 360, 609, 99}},
    };
    for (bool maximised : {false, true})
        for (const auto &[name, geometry] : table)
            QTest::addRow("%s%s", name, maximised ? " maximised" : "")
                << QString::fromLatin1(name) << geometry << maximised;
}

void LayoutTest::controlsSitAtTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(bool, maximised);
    // With an empty catalogue nothing is selected, so the picture controls keep their places and
    // visibility from before the first selection.
    WindowFixture fixture(QList<ProjectInfo>{});
    // The area below the menu bar is the whole window of old; the window is taller by the bar.
    QWidget *area = fixture.window->centralWidget();
    const int bar = fixture.window->menuBar()->height();
    QVERIFY(bar > 0);
    QCOMPARE(fixture.window->size(), QSize(745, 469 + bar));
    QCOMPARE(area->geometry(), QRect(0, bar, 745, 469));
    if (maximised)
        fixture.window->resize(1400, 1000);
    QWidget *control = fixture.find(name.toLatin1().constData());
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->parentWidget(), area);
    QCOMPARE(control->isVisible(), name != QLatin1String("image_nopicture"));
}

void LayoutTest::captionsAndNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<int>("role"); // as a screen reader is told
    QTest::addColumn<QKeySequence>("mnemonic"); // a button's Alt and letter
    const int button = QAccessible::Button, label = QAccessible::StaticText, box = QAccessible::EditableText;
    QTest::newRow("cmd_add") << "cmd_add"
                             << "Add"
                             << "" << button << QKeySequence(Qt::ALT | Qt::Key_A);
    QTest::newRow("cmd_delete") << "cmd_delete"
                                << "Delete"
                                << "" << button << QKeySequence(Qt::ALT | Qt::Key_D);
    QTest::newRow("cmd_save") << "cmd_save"
                              << "Save All"
                              << "" << button << QKeySequence(Qt::ALT | Qt::Key_S);
    QTest::newRow("cmd_all") << "cmd_all"
                             << "Build Pages"
                             << "" << button << QKeySequence(Qt::ALT | Qt::Key_B);
    QTest::newRow("cmd_up") << "cmd_up" << QString(QChar(0x25B2)) << "Up" << button << QKeySequence();
    QTest::newRow("cmd_down") << "cmd_down" << QString(QChar(0x25BC)) << "Down" << button << QKeySequence();
    QTest::newRow("Label1") << "Label1"
                            << "TIP or Project Name"
                            << "" << label << QKeySequence();
    QTest::newRow("Label6") << "Label6"
                            << "Location"
                            << "" << label << QKeySequence();
    QTest::newRow("Label9") << "Label9"
                            << "Short Description"
                            << "" << label << QKeySequence();
    QTest::newRow("Label2") << "Label2"
                            << "Long Description"
                            << "" << label << QKeySequence();
    QTest::newRow("text_name") << "text_name"
                               << ""
                               << "TIP or Project Name" << box << QKeySequence();
    QTest::newRow("text_location") << "text_location"
                                   << ""
                                   << "Location" << box << QKeySequence();
    QTest::newRow("text_short") << "text_short"
                                << ""
                                << "Short Description" << box << QKeySequence();
    QTest::newRow("text_long") << "text_long"
                               << ""
                               << "Long Description" << box << QKeySequence();
    // A list of as many entries as projects, the selected one named.
    QTest::newRow("list_projects") << "list_projects"
                                   << ""
                                   << "Projects" << int(QAccessible::List) << QKeySequence();
    // Under a German locale (de_AT, which falls back to de): the longer captions still fit.
    QTest::newRow("de: cmd_add") << "cmd_add"
                                 << "Hinzufügen"
                                 << "" << button << QKeySequence(Qt::ALT | Qt::Key_Z);
    QTest::newRow("de: cmd_save") << "cmd_save"
                                  << "Alle speichern"
                                  << "" << button << QKeySequence(Qt::ALT | Qt::Key_S);
    QTest::newRow("de: cmd_all") << "cmd_all"
                                 << "Seiten erstellen"
                                 << "" << button << QKeySequence(Qt::ALT | Qt::Key_E);
    QTest::newRow("de: Label1") << "Label1"
                                << "TIP oder Projektname"
                                << "" << label << QKeySequence();
    QTest::newRow("de: text_short") << "text_short"
                                    << ""
                                    << "Kurzbeschreibung" << box << QKeySequence();
    QTest::newRow("de: menuFile") << "menuFile"
                                  << "&Datei"
                                  << "" << int(QAccessible::PopupMenu) << QKeySequence();
}

void LayoutTest::captionsAndNames()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, accessibleName);
    QFETCH(int, role);
    QFETCH(QKeySequence, mnemonic);
    const auto english = qScopeGuard([] { qDeleteAll(qApp->findChildren<QTranslator *>()); });
    const bool german = QByteArray(QTest::currentDataTag()).startsWith("de: ");
    if (german)
        QVERIFY(Translations::install(*qApp, QLocale(QStringLiteral("de_AT"))));
    WindowFixture fixture(projectsNamed({"Harbour Bridge", "Mill Lane", "Old Station"}));
    fixture.clickRow(1);
    // The catalogue's folder as a desktop names a document; no unsaved mark after a selection.
    QCOMPARE(
        fixture.window->windowHandle()->title(),
        QFileInfo(fixture.folder()).fileName()
            + (german ? QStringLiteral(" \u2014 Projektverwaltung") : QStringLiteral(" \u2014 Project Management")));
    QWidget *control = fixture.find(name.toLatin1().constData());
    if (auto *menu = qobject_cast<QMenu *>(control)) {
        QCOMPARE(menu->title(), caption);
        return;
    }
    if (auto *button = qobject_cast<QPushButton *>(control)) {
        QCOMPARE(QString(button->text()).remove(QLatin1Char('&')), caption);
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
        QCOMPARE(button->shortcut(), mnemonic);
        if (button->text().size() == 1) {
            QVERIFY(button->font().bold());
            QVERIFY(QFontMetrics(button->font()).inFont(button->text().at(0)));
        } else {
            const auto fits = [&caption](QPushButton *shown) {
                QStyleOptionButton option;
                option.initFrom(shown);
                const QRect room = shown->style()->subElementRect(QStyle::SE_PushButtonContents, &option, shown);
                return QFontMetrics(shown->font()).horizontalAdvance(caption) <= room.width();
            };
            QVERIFY(fits(button));
            // Also under the larger font a desktop theme may set.
            const auto restore = qScopeGuard([font = QApplication::font()] { QApplication::setFont(font); });
            QApplication::setFont(QFont(QApplication::font().family(), 11));
            WindowFixture themed(QList<ProjectInfo>{});
            QVERIFY(fits(themed.find<QPushButton>(name.toLatin1().constData())));
        }
    } else if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), caption);
        QVERIFY(!label->buddy());
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        // The label is shown whole, not cut off at its box.
        QVERIFY(QFontMetrics(label->font()).horizontalAdvance(caption) <= label->width());
    }
    if (!accessibleName.isEmpty())
        QCOMPARE(control->accessibleName(), accessibleName);

    QAccessibleInterface *announced = QAccessible::queryAccessibleInterface(control);
    QVERIFY(announced);
    QCOMPARE(int(announced->role()), role);
    QCOMPARE(announced->text(QAccessible::Name), accessibleName.isEmpty() ? caption : accessibleName);
    if (role == QAccessible::List) {
        QCOMPARE(announced->childCount(), 3);
        QStringList entries, selected;
        for (int i = 0; i < announced->childCount(); ++i) {
            QAccessibleInterface *entry = announced->child(i);
            QCOMPARE(entry->role(), QAccessible::ListItem);
            QCOMPARE(announced->indexOfChild(entry), i);
            entries.append(entry->text(QAccessible::Name));
            if (entry->state().selected)
                selected.append(entry->text(QAccessible::Name));
        }
        QCOMPARE(entries, fixture.names());
        QCOMPARE(selected, QStringList{"Mill Lane"});
    }
}

void LayoutTest::tabVisitsControlsInOrder()
{
    WindowFixture fixture(projectsNamed({QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(QApplication::focusWidget(), fixture.list());
    QStringList visited;
    for (int i = 0; i < 11; ++i) {
        fixture.pressTab();
        visited.append(QApplication::focusWidget()->objectName());
    }
    const QStringList expected = {"text_name", "text_location", "text_short", "text_long", "cmd_delete",   "cmd_add",
                                  "cmd_save",  "cmd_all",       "cmd_up",     "cmd_down",  "list_projects"};
    QCOMPARE(visited, expected);
    // Tabbing through the list and the buttons presses nothing and changes nothing.
    QCOMPARE(fixture.names(), QStringList({"A", "B"}));
    QCOMPARE(fixture.selectedRow(), 0);
}

void LayoutTest::shiftTabAndTabAroundTheEditors()
{
    WindowFixture fixture(projectsNamed({QStringLiteral("A")}));
    fixture.click("text_name");
    QTest::keyClick(fixture.line("text_name"), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), fixture.list());

    fixture.click("text_long");
    fixture.pressTab();
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmd_delete"));
    QCOMPARE(fixture.longText()->toPlainText(), QStringLiteral("A long"));
}

void LayoutTest::enterNeitherInsertsNorPressesAButton()
{
    WindowFixture fixture(projectsNamed({QStringLiteral("A"), QStringLiteral("B")}));
    for (const char *name : {"text_name", "text_location", "text_short"}) {
        fixture.click(name);
        QTest::keyClick(fixture.find(name), Qt::Key_Return);
        QTest::keyClick(fixture.find(name), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(name));
        QVERIFY(!fixture.line(name)->text().contains(QLatin1Char('\n')));
    }
    QCOMPARE(fixture.names(), QStringList({"A", "B"}));
    QVERIFY(fixture.messages.texts.isEmpty());
}

void LayoutTest::messageBoxShowsALineBreakAndOnlyOk()
{
    QApplication::setApplicationDisplayName(QStringLiteral("Project Management"));
    QString shownText, shownTitle;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::Warning;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        shownText = box->text();
        shownTitle = box->windowTitle();
        buttons = box->standardButtons();
        icon = box->icon();
        modal = box->isModal();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    MessageBoxService service;
    service.showMessage(QStringLiteral("First sentence\rSecond sentence"));
    QCOMPARE(shownText, QStringLiteral("First sentence\nSecond sentence"));
    QCOMPARE(shownTitle, QStringLiteral("Project Management"));
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QVERIFY(modal);

    // A question offers Replace and Cancel, Cancel the default; Replace answers yes.
    QStringList captions;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        for (const QAbstractButton *button : box->buttons())
            captions.append(button->text());
        captions.append(box->defaultButton()->text());
        QTest::mouseClick(box->buttons().at(int(captions.indexOf(QStringLiteral("Replace")))), Qt::LeftButton);
    });
    QVERIFY(service.askToReplace(QStringLiteral("Lost\rReally")));
    QCOMPARE(captions, QStringList({"Replace", "Cancel", "Cancel"}));

    // In German, Qt's own standard buttons too.
    const auto english = qScopeGuard([] { qDeleteAll(qApp->findChildren<QTranslator *>()); });
    QVERIFY(Translations::install(*qApp, QLocale(QStringLiteral("de_AT"))));
    captions.clear();
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        shownText = box->text();
        for (const QAbstractButton *button : box->buttons())
            captions.append(button->text());
        QTest::mouseClick(box->button(QMessageBox::Discard), Qt::LeftButton);
    });
    QCOMPARE(service.askToSave(Messages::UnsavedChanges), MessageService::Answer::Discard);
    QCOMPARE(shownText,
             QStringLiteral("Der Katalog enthält nicht gespeicherte Änderungen.\nSollen sie zuerst in "
                            "projects.txt gespeichert werden?"));
    captions.sort(); // in the desktop's order
    QCOMPARE(captions, QStringList({"Abbrechen", "Speichern", "Verwerfen"}));
}

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
