#pragma once

#include "BenchmarkBaseline.h"
#include "state/AppState.h"
#include "platform/Settings.h"
#include "catalogue/Catalogue.h"
#include "editor/ScriptWindow.h"
#include "platform/Prompt.h"
#include "platform/RichTextControl.h"
#include "platform/ScriptCodec.h"

#include <QFile>
#include <QTemporaryDir>

// A script window of the program, shown, with its file actions answered by a fixed path,
// and the scripts the benchmarks open.

// Answers every file dialog with one path and every question with No; counts the boxes.
class FixedPrompt : public Prompt {
public:
    QString path;
    int boxes = 0;
    PromptAnswer message(const MessageBoxRequest&) override
    {
        ++boxes;
        return PromptAnswer::No;
    }
    QString chooseFile(const FileDialogRequest&) override { return path; }
};

// Line counts of the scripts: about 10 MB (some 20 bytes a line) and a million.
inline constexpr int kTenMegabyteLines = 10 * 1024 * 1024 / 20;
inline constexpr int kMillionLines = 1000000;

// A script of commands with and without values, chat lines, and a slash mid-line.
inline QString generatedScript(int lines)
{
    static const char* const kLines[] = {"/tell Someone hello there", "/afk", "say /wave now", "/macro heal /assist %t",
                                         "just some chat text", "/pet attack", "/org kick Nobody"};
    QString text;
    text.reserve(qsizetype(lines) * 26);
    for (int i = 0; i < lines; ++i) {
        text += QLatin1String(kLines[i % 7]);
        text += QString::number(i % 1000);
        text += u'\n';
    }
    return text;
}

// One line of 20 MB without a space or a line break.
inline QString oneLongLine()
{
    return QString(20 * 1024 * 1024, u'x');
}

inline bool writeScript(const QString& path, const QString& text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(ScriptCodec::encode(text)) >= 0;
}

// A script file of the given lines (0: the one long line) in a folder of its own, written
// once and kept for the run.
inline QString scriptFile(int lines)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("script%1").arg(lines));
    if (!QFile::exists(path))
        writeScript(path, lines > 0 ? generatedScript(lines) : oneLongLine());
    return path;
}

class ShownScript {
public:
    ShownScript() : m_catalogue(m_prompt, QString()), m_app(m_prompt, m_catalogue, m_settings), m_window(m_app)
    {
        m_app.setFreeType(true);
        showEditor(m_window);
    }
    ::ScriptWindow& window() { return m_window; }
    RichTextControl& editor() { return *m_window.editor(); }
    FixedPrompt& prompt() { return m_prompt; }

    // The Open action on a file, then what the player waits for.
    void open(const QString& path)
    {
        m_prompt.path = path;
        m_window.setChanged(false);
        m_window.runToolbarKey(ToolbarKey::Open);
        settle(editor(), *editor().document());
    }

private:
    FixedPrompt m_prompt;
    Catalogue m_catalogue;
    Settings m_settings;
    AppState m_app;
    ::ScriptWindow m_window;
};
