#include "dialogs/frmFind.h"


#include "state/AppState.h"
#include "dialogs/DesignedControls.h"
#include "dialogs/FindStepping.h"
#include "platform/Prompt.h"
#include "platform/RichTextControl.h"
#include "platform/DesignScale.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>

#include <algorithm>

using DesignedControls::button;
using DesignedControls::named;

namespace {

// Design positions, in twips.
constexpr int kClientWidth = 4455;
constexpr int kClientHeight = 1665;
constexpr int kReplacePanelTop = 600;
constexpr int kReplacePanelHeight = 855;
constexpr int kOptionsPanelHeight = 735;
constexpr int kTitleAllowance = 300;


}

frmFind::frmFind(AppState& state, RichTextControl* target, QWidget* owner)
    : QDialog(owner), m_state(state), m_target(target)
{
    setObjectName(QStringLiteral("frmFind"));
    const DesignScale at(font());

    lbltxtFind = named(new QLabel(QStringLiteral("Find:"), this), "lbltxtFind");
    lbltxtFind->setGeometry(at.rect(120, 120, 495, 255));
    txtFind = named(new QLineEdit(this), "txtFind");
    txtFind->setGeometry(at.rect(840, 120, 2175, 285));
    cmdFind = button(QStringLiteral("&Find Next"), "cmdFind", this, at.rect(3120, 120, 1215, 375));
    cmdFind->setEnabled(false);

    Picture1 = named(new QWidget(this), "Picture1");
    Picture1->setGeometry(at.rect(120, kReplacePanelTop, 4215, kReplacePanelHeight));
    Picture1->hide();
    lbltxtreplace = named(new QLabel(QStringLiteral("Replace:"), Picture1), "lbltxtreplace");
    lbltxtreplace->setGeometry(at.rect(0, 0, 735, 255));
    txtReplace = named(new QLineEdit(Picture1), "txtReplace");
    txtReplace->setGeometry(at.rect(720, 0, 2175, 285));
    cmdRepAll = button(QStringLiteral("&Replace All"), "cmdRepAll", Picture1, at.rect(3000, 480, 1215, 375));
    cmdRepAll->setEnabled(false);

    cmdReplace = button(QStringLiteral("&Replace"), "cmdReplace", this, at.rect(3120, 600, 1215, 375));

    Picture2 = named(new QWidget(this), "Picture2");
    Picture2->setGeometry(at.rect(120, 840, 4215, kOptionsPanelHeight));
    chkWholeWord = named(new QCheckBox(QStringLiteral("Match on whole word only."), Picture2), "chkWholeWord");
    chkWholeWord->setGeometry(at.rect(0, 0, 2535, 375));
    chkMatchCase = named(new QCheckBox(QStringLiteral("Match case."), Picture2), "chkMatchCase");
    chkMatchCase->setGeometry(at.rect(0, 360, 2535, 375));
    cmdCancel = button(QStringLiteral("&Cancel"), "cmdCancel", Picture2, at.rect(3000, 240, 1215, 375));

    for (QWidget* text : std::initializer_list<QWidget*>{lbltxtFind, lbltxtreplace, chkWholeWord, chkMatchCase})
        DesignedControls::growToText(text);
    for (QWidget* panel : {Picture1, Picture2})
        panel->resize(DesignedControls::grownAround(panel, panel->size()));
    DesignedControls::makeFixedToolWindow(*this, QStringLiteral("Find"),
                                          DesignedControls::grownAround(this, at.size(kClientWidth, kClientHeight),
                                                                        QSize(at.x(120), at.y(90))));

    // The Replace button sits over the right end of the replace row once it shows.
    cmdReplace->raise();

    setTabOrder(txtFind, cmdFind);
    setTabOrder(cmdFind, txtReplace);
    setTabOrder(txtReplace, cmdRepAll);
    setTabOrder(cmdRepAll, cmdReplace);
    setTabOrder(cmdReplace, cmdCancel);
    setTabOrder(cmdCancel, chkWholeWord);
    setTabOrder(chkWholeWord, chkMatchCase);

    connect(cmdFind, &QPushButton::clicked, this, &frmFind::cmdFind_Click);
    connect(cmdReplace, &QPushButton::clicked, this, &frmFind::cmdReplace_Click);
    connect(cmdRepAll, &QPushButton::clicked, this, &frmFind::cmdRepAll_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmFind::cmdCancel_Click);
    connect(txtFind, &QLineEdit::textChanged, this, &frmFind::txtFind_Change);
    // Enter in the find field searches on; no button is the dialog's default, so
    // Enter anywhere else presses nothing. Escape closes the dialog as Cancel does.
    connect(txtFind, &QLineEdit::returnPressed, this, [this] {
        if (cmdFind->isEnabled())
            cmdFind_Click();
    });
    connect(txtReplace, &QLineEdit::textChanged, this, &frmFind::txtReplace_Change);
}

int frmFind::FlagMe() const
{
    return FindStepping::options(chkWholeWord->isChecked(), chkMatchCase->isChecked());
}

bool frmFind::replaceShown() const
{
    return !Picture1->isHidden();
}

int frmFind::unfoldedOuterHeightTwips()
{
    return kReplacePanelTop + kReplacePanelHeight + kOptionsPanelHeight + kTitleAllowance;
}

void frmFind::cmdFind_Click()
{
    RichTextControl* target = m_target;
    if (!target)
        return;
    const QString findText = txtFind->text();
    const int from = FindStepping::nextSearchStart(*target->document(), target->SelStart(), target->SelLength(),
                                                   findText, FlagMe());
    if (target->find(findText, from, FlagMe()) >= 0)
        return;
    m_state.prompt.notify(QStringLiteral("Find"), QStringLiteral("No matches"), PromptIcon::Information);
    // The next Find Next starts again from the top of the script.
    target->setSelStart(0);
}

void frmFind::cmdReplace_Click()
{
    if (!replaceShown()) {
        unfold();
        return;
    }
    RichTextControl* target = m_target;
    if (!target)
        return;
    if (FindStepping::selectionIsMatch(*target->document(), target->SelStart(), target->SelLength(), txtFind->text(),
                                       FlagMe())) {
        RichTextControl::UndoStep step(*target);
        target->setSelText(txtReplace->text());
    }
}

void frmFind::unfold()
{
    Picture1->show();
    cmdReplace->setEnabled(false);
    // The options panel goes right under the replace panel.
    Picture2->move(Picture2->x(), Picture1->geometry().bottom() + 1);
    // The outer height is given; the client area is what the frame leaves of it, but
    // never less than the options panel needs (a tall title bar would cut it off).
    const DesignScale at(font());
    const int decoration = std::max(0, frameGeometry().height() - height());
    const int client = std::max(Picture2->geometry().bottom() + 1, at.y(unfoldedOuterHeightTwips()) - decoration);
    setFixedSize(width(), client);
}

void frmFind::cmdRepAll_Click()
{
    RichTextControl* target = m_target;
    if (!target)
        return;
    QTextCursor cursor = target->textCursor();
    if (FindStepping::replaceAll(cursor, txtFind->text(), txtReplace->text(), FlagMe()) > 0)
        target->setTextCursor(cursor);
}

void frmFind::cmdCancel_Click()
{
    reject();
}

void frmFind::txtFind_Change()
{
    cmdFind->setEnabled(!txtFind->text().isEmpty());
}

void frmFind::txtReplace_Change()
{
    const bool any = !txtReplace->text().isEmpty();
    cmdReplace->setEnabled(any);
    cmdRepAll->setEnabled(any);
}
