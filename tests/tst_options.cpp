#include "support/Child.h"
#include "MainWindowFixture.h"
#include "TestFiles.h"

#include "app/MainWindow.h"
#include "dialogs/OptionsDialog.h"
#include "platform/FileDialogFilter.h"
#include "platform/Settings.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QToolButton>
#include <QtTest>

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
    // Free typing comes back from the last run; a click flips the mark, the state and the setting.
    void freeTypeRemembered()
    {
        MainWindowFixture f;
        MainWindowFixture::writeSetting(QStringLiteral("FreeType"), QStringLiteral("1"));
        QVERIFY(f.start());
        QAction* item = f.main->findChild<QAction*>(QStringLiteral("mnuFreeType"));
        QVERIFY(f.main->state().freeType() && item->isChecked());
        item->trigger();
        QVERIFY(!f.main->state().freeType() && !item->isChecked());
        QCOMPARE(stored(QStringLiteral("FreeType")), QStringLiteral("0"));
    }

    void unwritableSettingsSaidOnce()
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
        { OptionsDialog d(f.main->state(), f.main.get()); child<QPushButton>(d, "applyButton")->click(); }
        freeType->trigger();
        QCOMPARE(f.prompt.boxes.size(), 1);
        QCOMPARE(f.prompt.boxes.first().icon, PromptIcon::Warning);
        QVERIFY2(f.prompt.boxes.first().text.contains(config + QStringLiteral("/Zandrel/Zandrel.conf")),
                 qPrintable(f.prompt.boxes.first().text));
    }

    // The game folder is typed (the folder or anarchy.exe, any case) or browsed to,
    // checked as it changes, and taken everywhere on OK or Apply, never on Cancel.
    void gameFolder_data()
    {
        // B browse to the game, T type `typed`, A apply, O ok, C cancel.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("typed");  // "GAME" stands for the game's folder
        QTest::addColumn<bool>("taken");     // stored and made the game path
        QTest::addColumn<bool>("open");
        QTest::newRow("browse, OK") << "BO" << "" << true << false;
        QTest::newRow("browse, Cancel") << "BC" << "" << false << false;
        QTest::newRow("browse, Apply, stays open") << "BA" << "" << true << true;
        QTest::newRow("folder typed without a slash") << "TO" << "GAME" << true << false;
        QTest::newRow("anarchy.exe typed in another case") << "TO" << "GAME/anarchy.EXE" << true << false;
        QTest::newRow("a folder without the game: OK refused") << "TO" << "GAME/.." << false << true;
    }
    void gameFolder()
    {
        QFETCH(QString, steps);
        QFETCH(QString, typed);
        QFETCH(bool, taken);
        QFETCH(bool, open);
        MainWindowFixture f;
        QVERIFY(f.start());
        const QString game = f.dir.filePath(QStringLiteral("drive_c/Program Files/").repeated(4) + "Game Folder");
        QVERIFY(QDir().mkpath(game + QStringLiteral("/.hidden")));
        writeFile(game + QStringLiteral("/Anarchy.exe"), {});
        OptionsDialog d(f.main->state(), f.main.get());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        auto* field = child<QLineEdit>(d, "pathField");
        for (const QChar step : steps) {
            switch (step.toLatin1()) {
            case 'B': f.prompt.choose(game + QStringLiteral("/Anarchy.exe")); child<QToolButton>(d, "browseButton")->click(); break;
            case 'T': field->setFocus(); field->selectAll(); QTest::keyClicks(field, QString(typed).replace(QStringLiteral("GAME"), game)); break;
            case 'A': child<QPushButton>(d, "applyButton")->click(); break;
            case 'O': child<QPushButton>(d, "okButton")->click(); break;
            case 'C': child<QPushButton>(d, "cancelButton")->click(); break;
            }
        }
        QCOMPARE(::stored(QStringLiteral("AOPath")), taken ? game + u'/' : kUnset);
        QCOMPARE(f.main->state().gamePath(), taken ? game + u'/' : QString());
        QCOMPARE(d.isVisible(), open);
        QCOMPARE(child<QPushButton>(d, "okButton")->isEnabled(), taken || !open);
        // A long path shows its start and its end, and whole in the tooltip.
        QVERIFY(field->isHidden() || field->hasFocus() || (field->text().contains(QChar(0x2026)) && field->toolTip() == game + u'/'));
        // Browse starts at home, where a Wine prefix hides, and shows hidden folders.
        if (steps.startsWith(u'B'))
            QVERIFY(f.prompt.dialogs.first().showHidden && f.prompt.dialogs.first().startFolder == QDir::homePath());
        QVERIFY(f.prompt.boxes.isEmpty() && f.prompt.allAnswersUsed());
    }

    // The real file dialog shows the executable whatever its letter case, as a game under Wine spells it.
    void realDialogShowsTheExecutableInAnyCase()
    {
        MainWindowFixture f;
        QVERIFY(f.start());
        { OptionsDialog d(f.main->state(), f.main.get()); child<QToolButton>(d, "browseButton")->click(); }
        for (const char* name : {"ANARCHY.EXE", "anarchy.exe", "anarchy.exe.bak"})
            writeFile(f.dir.filePath(QString::fromLatin1(name)), {});
        QFileDialog dialog(nullptr, {}, f.dir.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setNameFilters(qtNameFilters(f.prompt.dialogs.value(0).filter));
        dialog.show();
        auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
        QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 2);
    }
};

QTEST_MAIN(tst_options)
#include "tst_options.moc"
