#include "dialogs/FindDialog.h"


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

FindDialog::FindDialog(Prompt& prompt, RichTextControl* target, QWidget* owner)
    : QDialog(owner), m_prompt(prompt), m_target(target)
{
    setObjectName(QStringLiteral("FindDialog"));
    const DesignScale at(font());

    findLabel = named(new QLabel(QStringLiteral("Find:"), this), "findLabel");
    findLabel->setGeometry(at.rect(120, 120, 495, 255));
    findField = named(new QLineEdit(this), "findField");
    findField->setGeometry(at.rect(840, 120, 2175, 285));
    findButton = button(QStringLiteral("&Find Next"), "findButton", this, at.rect(3120, 120, 1215, 375));
    findButton->setEnabled(false);

    replacePanel = named(new QWidget(this), "replacePanel");
    replacePanel->setGeometry(at.rect(120, kReplacePanelTop, 4215, kReplacePanelHeight));
    replacePanel->hide();
    replaceLabel = named(new QLabel(QStringLiteral("Replace:"), replacePanel), "replaceLabel");
    replaceLabel->setGeometry(at.rect(0, 0, 735, 255));
    replaceField = named(new QLineEdit(replacePanel), "replaceField");
    replaceField->setGeometry(at.rect(720, 0, 2175, 285));
    replaceAllButton = button(QStringLiteral("Replace &All"), "replaceAllButton", replacePanel, at.rect(3000, 480, 1215, 375));
    replaceAllButton->setEnabled(false);

    replaceButton = button(QStringLiteral("&Replace"), "replaceButton", this, at.rect(3120, 600, 1215, 375));

    optionsPanel = named(new QWidget(this), "optionsPanel");
    optionsPanel->setGeometry(at.rect(120, 840, 4215, kOptionsPanelHeight));
    wholeWordBox = named(new QCheckBox(QStringLiteral("Match on &whole word only."), optionsPanel), "wholeWordBox");
    wholeWordBox->setGeometry(at.rect(0, 0, 2535, 375));
    matchCaseBox = named(new QCheckBox(QStringLiteral("&Match case."), optionsPanel), "matchCaseBox");
    matchCaseBox->setGeometry(at.rect(0, 360, 2535, 375));
    cancelButton = button(QStringLiteral("&Cancel"), "cancelButton", optionsPanel, at.rect(3000, 240, 1215, 375));

    for (QWidget* text : std::initializer_list<QWidget*>{findLabel, replaceLabel, wholeWordBox, matchCaseBox})
        DesignedControls::growToText(text);
    for (QWidget* panel : {replacePanel, optionsPanel})
        panel->resize(DesignedControls::grownAround(panel, panel->size()));
    DesignedControls::makeFixedToolWindow(*this, QStringLiteral("Find"),
                                          DesignedControls::grownAround(this, at.size(kClientWidth, kClientHeight),
                                                                        QSize(at.x(120), at.y(90))));

    // The Replace button sits over the right end of the replace row once it shows.
    replaceButton->raise();
    // A book to read (the command book) is searched, never changed.
    if (target && target->isBook())
        replaceButton->hide();

    setTabOrder(findField, findButton);
    setTabOrder(findButton, replaceField);
    setTabOrder(replaceField, replaceAllButton);
    setTabOrder(replaceAllButton, replaceButton);
    setTabOrder(replaceButton, cancelButton);
    setTabOrder(cancelButton, wholeWordBox);
    setTabOrder(wholeWordBox, matchCaseBox);

    connect(findButton, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(replaceButton, &QPushButton::clicked, this, &FindDialog::replace);
    connect(replaceAllButton, &QPushButton::clicked, this, &FindDialog::replaceAll);
    connect(cancelButton, &QPushButton::clicked, this, &FindDialog::cancel);
    connect(findField, &QLineEdit::textChanged, this, &FindDialog::findTextChanged);
    // Enter in the find field searches on; no button is the dialog's default, so
    // Enter anywhere else presses nothing. Escape closes the dialog as Cancel does.
    connect(findField, &QLineEdit::returnPressed, this, [this] {
        if (findButton->isEnabled())
            findNext();
    });
    connect(replaceField, &QLineEdit::textChanged, this, &FindDialog::replaceTextChanged);
}

int FindDialog::findFlags() const
{
    return FindStepping::options(wholeWordBox->isChecked(), matchCaseBox->isChecked());
}

bool FindDialog::replaceShown() const
{
    return !replacePanel->isHidden();
}

int FindDialog::unfoldedOuterHeightTwips()
{
    return kReplacePanelTop + kReplacePanelHeight + kOptionsPanelHeight + kTitleAllowance;
}

QString FindDialog::findText() const
{
    return findField->text();
}

void FindDialog::setSearch(const QString& findText, int options)
{
    findField->setText(findText);
    findField->selectAll();
    wholeWordBox->setChecked(options & FindStepping::WholeWord);
    matchCaseBox->setChecked(options & FindStepping::MatchCase);
}

FindDialog::FindResult FindDialog::findNextIn(RichTextControl& target, const QString& findText, int options)
{
    const int from = FindStepping::nextSearchStart(*target.document(), target.SelStart(), target.SelLength(), findText,
                                                   options);
    if (target.find(findText, from, options) >= 0)
        return FindResult::Found;
    // Past the end the search goes on from the top, as far as where it started.
    if (from > 0 && target.find(findText, 0, options) >= 0)
        return FindResult::Wrapped;
    return FindResult::None;
}

QString FindDialog::statusFor(FindResult result)
{
    return result == FindResult::Wrapped ? QStringLiteral("Passed the end of the script") : QString();
}

void FindDialog::findNext()
{
    RichTextControl* target = m_target;
    if (!target)
        return;
    const FindResult result = findNextIn(*target, findField->text(), findFlags());
    emit statusMessage(statusFor(result));
    if (result == FindResult::None)
        m_prompt.notify(QStringLiteral("Find"), QStringLiteral("No matches"), PromptIcon::Information);
}

void FindDialog::replace()
{
    if (!replaceShown()) {
        unfold();
        return;
    }
    RichTextControl* target = m_target;
    if (!target)
        return;
    if (FindStepping::selectionIsMatch(*target->document(), target->SelStart(), target->SelLength(), findField->text(),
                                       findFlags())) {
        RichTextControl::UndoStep step(*target);
        target->setSelText(replaceField->text());
    }
}

void FindDialog::unfold()
{
    replacePanel->show();
    replaceButton->setEnabled(false);
    // The player unfolded the row to type the replacement next.
    replaceField->setFocus();
    // The options panel goes right under the replace panel.
    optionsPanel->move(optionsPanel->x(), replacePanel->geometry().bottom() + 1);
    // The outer height is given; the client area is what the frame leaves of it, but
    // never less than the options panel needs (a tall title bar would cut it off).
    const DesignScale at(font());
    const int decoration = std::max(0, frameGeometry().height() - height());
    const int client = std::max(optionsPanel->geometry().bottom() + 1, at.y(unfoldedOuterHeightTwips()) - decoration);
    setFixedSize(width(), client);
}

void FindDialog::replaceAll()
{
    RichTextControl* target = m_target;
    if (!target)
        return;
    // Every match of the script, wherever the caret stands: the name says all.
    QTextCursor cursor(target->document());
    const int count = FindStepping::replaceAll(cursor, findField->text(), replaceField->text(), findFlags());
    if (count > 0)
        target->setTextCursor(cursor);
    emit statusMessage(count == 0   ? QStringLiteral("No matches")
                       : count == 1 ? QStringLiteral("Replaced 1 match")
                                    : QStringLiteral("Replaced %1 matches").arg(count));
}

void FindDialog::cancel()
{
    reject();
}

void FindDialog::findTextChanged()
{
    findButton->setEnabled(!findField->text().isEmpty());
}

void FindDialog::replaceTextChanged()
{
    const bool any = !replaceField->text().isEmpty();
    replaceButton->setEnabled(any);
    replaceAllButton->setEnabled(any);
}
