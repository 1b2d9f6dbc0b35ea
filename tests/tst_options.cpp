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

    // Browsing sets the game path at once, the folder of the executable whatever its
    // letter case and whatever the folder's name; only OK and Apply store it.
    void buttons_data()
    {
        // B browse to the game, N to another file, Z leave the file dialog; A apply,
        // O ok, C cancel, E escape.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("gamePath");
        QTest::addColumn<bool>("open");
        const QString game = QStringLiteral("/\u0130stanbul/anarchy.exe-old/");  // longer once lower-cased
        QTest::newRow("OK without browsing") << "O" << "/old/" << "/old/" << false;
        QTest::newRow("browse then OK") << "BO" << game << game << false;
        QTest::newRow("browse then Cancel") << "BC" << kUnset << game << false;
        QTest::newRow("browse then Escape") << "BE" << kUnset << game << false;
        QTest::newRow("browse, Apply, stays open") << "BA" << game << game << true;
        QTest::newRow("file dialog left, then OK") << "ZO" << "/old/" << "/old/" << false;
        QTest::newRow("another file, then OK") << "NO" << "/old/" << "/old/" << false;
    }
    void buttons()
    {
        QFETCH(QString, steps);
        QFETCH(QString, stored);
        QFETCH(QString, gamePath);
        QFETCH(bool, open);
        MainWindowFixture f;
        QVERIFY(f.start());
        f.main->state().setGamePath(QStringLiteral("/old/"));
        OptionsDialog d(f.main->state(), f.main.get());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        for (const QChar step : steps) {
            switch (step.toLatin1()) {
            case 'B': f.prompt.choose(QStringLiteral("/\u0130stanbul/anarchy.exe-old/ANARCHY.exe")); child<QToolButton>(d, "browseButton")->click(); break;
            case 'N': f.prompt.choose(QStringLiteral("/new/anarchy.ex")); child<QToolButton>(d, "browseButton")->click(); break;
            case 'Z': f.prompt.cancelDialog(); child<QToolButton>(d, "browseButton")->click(); break;
            case 'A': child<QPushButton>(d, "applyButton")->click(); break;
            case 'O': child<QPushButton>(d, "okButton")->click(); break;
            case 'C': child<QPushButton>(d, "cancelButton")->click(); break;
            case 'E': QTest::keyClick(&d, Qt::Key_Escape); break;
            }
        }
        QCOMPARE(::stored(QStringLiteral("AOPath")), stored);
        QCOMPARE(f.main->state().gamePath(), gamePath);
        QCOMPARE(d.isVisible(), open);
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
