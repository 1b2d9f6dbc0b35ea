#include "DialogLayout.h"
#include "MainWindowFixture.h"
#include "TestFiles.h"

#include "platform/Settings.h"
#include "app/frmMain.h"
#include "app/EditMenuCommands.h"
#include "dialogs/GamePathChoice.h"
#include "dialogs/frmOptions.h"
#include "platform/FileDialogFilter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <optional>

namespace {

const QString kUnset = QStringLiteral("<unset>");

QString stored(const QString& key)
{
    return Settings().read(key, kUnset);
}


}

class tst_options : public QObject {
    Q_OBJECT
private slots:
    void folderOfChosenFile_data();
    void folderOfChosenFile();
    void centring_data();
    void centring();
    void freeTypeTwice_data();
    void freeTypeTwice();
    void unwritableSettingsSaidOnce();
    void dialogDesign();
    void browse_data();
    void browse();
    void buttons_data();
    void buttons();
    void menuShowsTheDialogModally();
    void realDialogShowsTheExecutableInAnyCase();
};

void tst_options::folderOfChosenFile_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("folder");
    QTest::newRow("lower case") << "/games/AO/anarchy.exe" << true << "/games/AO/";
    QTest::newRow("upper case name, folder keeps its case") << "/Games/AO/ANARCHY.EXE" << true << "/Games/AO/";
    QTest::newRow("Wine's spelling") << "/home/p/.wine/drive_c/AO/Anarchy.exe" << true
                                     << "/home/p/.wine/drive_c/AO/";
    QTest::newRow("a folder named like the file above it") << "/x/anarchy.exe-old/Anarchy.exe" << true
                                                           << "/x/anarchy.exe-old/";
    QTest::newRow("bare name: the working folder") << "anarchy.exe" << true << "";
    QTest::newRow("lower-casing would change the length before it")
        << QStringLiteral("/spiel/\u0130stanbul/ANARCHY.exe") << true << QStringLiteral("/spiel/\u0130stanbul/");
    QTest::newRow("another file") << "/games/AO/notes.txt" << false << "";
    QTest::newRow("name cut short") << "/games/AO/anarchy.ex" << false << "";
}

void tst_options::folderOfChosenFile()
{
    QFETCH(QString, chosen);
    QFETCH(bool, found);
    QFETCH(QString, folder);
    const std::optional<QString> result = GamePathChoice::folderOfChosenFile(chosen);
    QCOMPARE(result.has_value(), found);
    if (found)
        QCOMPARE(*result, folder);
}

void tst_options::centring_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("full HD") << QRect(0, 0, 1920, 1080) << QSize(300, 200) << QPoint(810, 440);
    QTest::newRow("odd remainder rounds down") << QRect(0, 0, 801, 601) << QSize(300, 200) << QPoint(250, 200);
    QTest::newRow("second screen to the right") << QRect(1920, 0, 1280, 1024) << QSize(296, 184)
                                                << QPoint(2412, 420);
    QTest::newRow("window larger than the screen") << QRect(0, 0, 200, 100) << QSize(300, 200) << QPoint(-50, -50);
}

void tst_options::centring()
{
    QFETCH(QRect, screen);
    QFETCH(QSize, outer);
    QFETCH(QPoint, topLeft);
    QCOMPARE(GamePathChoice::centredOn(screen, outer), topLeft);
}

void tst_options::freeTypeTwice_data()
{
    QTest::addColumn<QString>("start");  // stored FreeType before start-up
    QTest::addColumn<bool>("flagAfterOne");
    QTest::newRow("off") << "0" << true;
    QTest::newRow("on") << "1" << false;
    QTest::newRow("never stored") << kUnset << true;
    QTest::newRow("nonsense counts as off") << "yes" << true;
}

void tst_options::freeTypeTwice()
{
    QFETCH(QString, start);
    QFETCH(bool, flagAfterOne);
    MainWindowFixture f;
    if (start != kUnset)
        MainWindowFixture::writeSetting(QStringLiteral("FreeType"), start);
    QVERIFY(f.start());
    QAction* item = f.main->findChild<QAction*>(QStringLiteral("mnuFreeType"));
    QVERIFY(item);
    for (bool expected : {flagAfterOne, !flagAfterOne, flagAfterOne}) {
        item->trigger();
        QCOMPARE(f.main->state().freeType(), expected);
        QCOMPARE(item->isChecked(), expected);
        QCOMPARE(stored(QStringLiteral("FreeType")), expected ? QStringLiteral("1") : QStringLiteral("0"));
    }
    // The handler called directly flips from the mark, as the menu does.
    f.main->findChild<EditMenuCommands*>()->mnuFreeType_Click();
    QCOMPARE(f.main->state().freeType(), !flagAfterOne);
    QCOMPARE(item->isChecked(), !flagAfterOne);
    QVERIFY(f.prompt.boxes.isEmpty());
}

void tst_options::unwritableSettingsSaidOnce()
{
    MainWindowFixture f;
    QVERIFY(f.start());
    // A file where the settings folder belongs: no one can write there, not even root.
    const QString config = f.dir.filePath(QStringLiteral("config"));
    QVERIFY(QDir().mkpath(config));
    writeFile(config + QStringLiteral("/Zandrel"), "not a folder");
    const QString previous = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    const auto restore = qScopeGuard([&] { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, previous); });
    QAction* freeType = f.main->findChild<QAction*>(QStringLiteral("mnuFreeType"));

    freeType->trigger();
    frmOptions d(f.main->state(), f.main.get());
    d.cmdApply->click();
    freeType->trigger();

    QCOMPARE(f.prompt.boxes.size(), 1);
    QCOMPARE(f.prompt.boxes.first().icon, PromptIcon::Warning);
    QVERIFY2(f.prompt.boxes.first().text.contains(config + QStringLiteral("/Zandrel/Zandrel.conf")),
             qPrintable(f.prompt.boxes.first().text));
}

void tst_options::dialogDesign()
{
    MainWindowFixture f;
    QVERIFY(f.start());
    frmOptions d(f.main->state(), f.main.get());
    QCOMPARE(d.windowTitle(), QStringLiteral("Options"));
    QVERIFY(d.windowFlags().testFlag(Qt::Tool));
    QVERIFY(d.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QCOMPARE(d.minimumSize(), d.maximumSize());
    QVERIFY(!d.txtPath->isEnabled());
    const QList<QWidget*> order{d.cmdOK, d.cmdCancel, d.cmdApply, d.txtPath, d.cmdBrowse};
    QCOMPARE(focusOrder(&d, order), order);
    QCOMPARE(d.pos(), GamePathChoice::centredOn(d.screen()->geometry(), d.frameGeometry().size()));
}

void tst_options::browse_data()
{
    QTest::addColumn<QString>("chosen");  // "" cancels the file dialog
    QTest::addColumn<QString>("path");    // field and game path afterwards
    QTest::newRow("ANARCHY.EXE") << "/srv/Games/AO/ANARCHY.EXE" << "/srv/Games/AO/";
    QTest::newRow("cancelled") << "" << "/old/";
    QTest::newRow("another file leaves the path") << "/srv/Games/AO/readme.txt" << "/old/";
}

void tst_options::browse()
{
    QFETCH(QString, chosen);
    QFETCH(QString, path);
    MainWindowFixture f;
    QVERIFY(f.start());
    MainWindowFixture::writeSetting(QStringLiteral("AOPath"), QStringLiteral("/old/"));
    f.main->state().gamePath = QStringLiteral("/old/");
    frmOptions d(f.main->state(), f.main.get());
    f.prompt.choose(chosen);
    d.cmdBrowse->click();
    QCOMPARE(f.prompt.dialogs.size(), 1);
    const FileDialogSpec& spec = f.prompt.dialogs.constFirst();
    QCOMPARE(spec.kind, FileDialogKind::Open);
    QCOMPARE(spec.title, QStringLiteral("Locate Anarchy.exe"));
    QCOMPARE(spec.filter, QStringLiteral("Anarchy Online Executable|anarchy.exe"));
    QCOMPARE(d.txtPath->text(), path);
    QCOMPARE(f.main->state().gamePath, path);
    // Browsing alone stores nothing.
    QCOMPARE(stored(QStringLiteral("AOPath")), QStringLiteral("/old/"));
    QVERIFY(f.prompt.boxes.isEmpty());
}

void tst_options::buttons_data()
{
    QTest::addColumn<QString>("steps");  // B browse, A apply, O ok, C cancel, X close box, E escape
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("gamePath");
    QTest::addColumn<bool>("open");
    QTest::newRow("OK without browsing") << "O" << "/old/" << "/old/" << false;
    QTest::newRow("browse then OK") << "BO" << "/new/" << "/new/" << false;
    QTest::newRow("browse then Cancel") << "BC" << kUnset << "/new/" << false;
    QTest::newRow("browse then close box") << "BX" << kUnset << "/new/" << false;
    QTest::newRow("browse then Escape") << "BE" << kUnset << "/new/" << false;
    QTest::newRow("browse, Apply, stays open") << "BA" << "/new/" << "/new/" << true;
    QTest::newRow("browse, Apply, then Cancel") << "BAC" << "/new/" << "/new/" << false;
    QTest::newRow("Cancel alone") << "C" << kUnset << "/old/" << false;
}

void tst_options::buttons()
{
    QFETCH(QString, steps);
    QFETCH(QString, stored);
    QFETCH(QString, gamePath);
    QFETCH(bool, open);
    MainWindowFixture f;
    QVERIFY(f.start());
    f.main->state().gamePath = QStringLiteral("/old/");
    frmOptions d(f.main->state(), f.main.get());
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    for (const QChar step : steps) {
        switch (step.toLatin1()) {
        case 'B':
            f.prompt.choose(QStringLiteral("/new/anarchy.exe"));
            d.cmdBrowse->click();
            break;
        case 'A': d.cmdApply->click(); break;
        case 'O': d.cmdOK->click(); break;
        case 'C': d.cmdCancel->click(); break;
        case 'X': d.close(); break;
        case 'E': QTest::keyClick(&d, Qt::Key_Escape); break;
        }
    }
    QCOMPARE(::stored(QStringLiteral("AOPath")), stored);
    QCOMPARE(f.main->state().gamePath, gamePath);
    QCOMPARE(d.isVisible(), open);
}

void tst_options::menuShowsTheDialogModally()
{
    MainWindowFixture f;
    QVERIFY(f.start());
    f.main->state().gamePath = QStringLiteral("/srv/AO/");
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmOptions*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown = dialog->txtPath->text();
        dialog->cmdOK->click();
    });
    f.main->findChild<QAction*>(QStringLiteral("mnuOptions"))->trigger();
    QCOMPARE(shown, QStringLiteral("/srv/AO/"));
    QCOMPARE(stored(QStringLiteral("AOPath")), QStringLiteral("/srv/AO/"));
    QVERIFY(!f.main->findChild<frmOptions*>());
}

// The filter the real file dialog gets must show the executable whatever the
// letter case of its name, as a game under Wine spells it.
void tst_options::realDialogShowsTheExecutableInAnyCase()
{
    QTemporaryDir dir;
    for (const char* name : {"Anarchy.exe", "ANARCHY.EXE", "anarchy.exe", "readme.txt", "anarchy.exe.bak"})
        writeFile(dir.filePath(QString::fromLatin1(name)), {});
    QFileDialog dialog(nullptr, GamePathChoice::browseTitle(), dir.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setNameFilters(qtNameFilters(GamePathChoice::browseFilter()));
    QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("Anarchy Online Executable (anarchy.exe)")});
    dialog.show();
    auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    QVERIFY(view);
    QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 3);
    QStringList names;
    for (int row = 0; row < 3; ++row)
        names << view->model()->index(row, 0, view->rootIndex()).data().toString();
    names.sort();
    QCOMPARE(names, (QStringList{"ANARCHY.EXE", "Anarchy.exe", "anarchy.exe"}));
}

QTEST_MAIN(tst_options)
#include "tst_options.moc"
