#include "app/RecoveryOffer.h"

#include "editor/ScriptArea.h"
#include "editor/ScriptWindow.h"
#include "platform/Prompt.h"
#include "platform/RecoveryStore.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

void RecoveryOffer::offer(Prompt& prompt, ScriptArea& area)
{
    for (const RecoveryStore::Entry& kept : RecoveryStore::leftBehind()) {
        const QString name =
            kept.scriptFile.isEmpty() ? QStringLiteral("a new script") : QStringLiteral("'%1'").arg(QFileInfo(kept.scriptFile).fileName());
        const QString where = kept.scriptFile.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(kept.scriptFile);
        const QString text =
            QStringLiteral("Zandrel ended before %1%2 was saved. Its text as it was at %3 has been kept.\n\n"
                           "Restore opens it in a window, marked as not saved; the file itself is written only "
                           "when you save. Discard deletes the kept text.")
                .arg(name, where, QLocale().toString(kept.changed, QLocale::ShortFormat));
        switch (prompt.message({QStringLiteral("Restore Unsaved Script"), text, PromptIcon::Question,
                                PromptButtons::RestoreDiscard, {}})) {
        case PromptAnswer::Restore:
            if (ScriptWindow* window = area.untouchedOrNewWindow())
                window->restore(kept.recoveryFile, kept.scriptFile, kept.text);
            break;
        case PromptAnswer::Discard:
            QFile::remove(kept.recoveryFile);
            break;
        default:
            break;
        }
    }
}
