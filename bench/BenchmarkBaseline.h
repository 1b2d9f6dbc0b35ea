#pragma once

#include <QAbstractScrollArea>
#include <QAbstractEventDispatcher>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QString>
#include <QTextDocument>
#include <QtTest/QTest>
#include <benchmark/benchmark.h>

// What the benchmarks share. Every benchmark that times text shows its editor and waits
// until the text is laid out and painted, as a player waits for it; the baseline they
// compare with is Qt's own QPlainTextEdit, shown the same way, in the same run.

// The size every shown editor gets.
inline constexpr int kEditorWidth = 900;
inline constexpr int kEditorHeight = 700;

// Lets a shown editor finish what the player waits for: the layout of the document
// (Qt's rich-text layout finishes the whole of it here, as it does in the background on
// screen) and one paint of what the editor shows. Work an editor leaves for later, while
// it already takes keys, is not waited for; finishIdleWork() does that.
inline void settle(QAbstractScrollArea& editor, QTextDocument& document)
{
    benchmark::DoNotOptimize(document.documentLayout()->documentSize());
    editor.viewport()->repaint();
}

// Runs the event loop until nothing is left to do in it.
inline void finishIdleWork()
{
    QCoreApplication::sendPostedEvents();
    while (QCoreApplication::eventDispatcher()->processEvents(QEventLoop::AllEvents))
        ;
}

inline void showEditor(QWidget& window)
{
    window.resize(kEditorWidth, kEditorHeight);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qWarning("the editor was never shown");
}

// The baseline: a shown QPlainTextEdit taking the text.
class PlainEditor {
public:
    PlainEditor() { showEditor(m_edit); }
    QPlainTextEdit& edit() { return m_edit; }
    void setText(const QString& text)
    {
        m_edit.setPlainText(text);
        settle(m_edit, *m_edit.document());
    }
    // A script file read the plain Qt way (the code page is Latin-1's close cousin).
    bool load(const QString& path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        setText(QString::fromLatin1(f.readAll()));
        return true;
    }

private:
    QPlainTextEdit m_edit;
};

inline void runSetPlainText(benchmark::State& state, const QString& text)
{
    PlainEditor editor;
    for (auto _ : state)
        editor.setText(text);
}

// A value of a process's /proc status, in kB ("VmRSS:", "VmHWM:"); 0 when unknown.
inline long processStatusKb(const char* key, const QString& pid = QStringLiteral("self"))
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toLong();
    return 0;
}

// Runs the benchmarks named on the command line; an unknown option is an error.
inline int runRegisteredBenchmarks(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// main() of a benchmark that needs widgets: an offscreen QApplication around the
// registered benchmarks.
inline int runOffscreenBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return runRegisteredBenchmarks(argc, argv);
}
