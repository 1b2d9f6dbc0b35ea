#include "dialogs/OptionsDialog.h"


#include "state/AppState.h"
#include "dialogs/DesignedControls.h"
#include "platform/Settings.h"
#include "dialogs/GamePathChoice.h"
#include "platform/Prompt.h"
#include "platform/DesignScale.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

using DesignedControls::button;
using DesignedControls::named;

OptionsDialog::OptionsDialog(AppState& state, QWidget* owner) : QDialog(owner), m_state(state)
{
    setObjectName(QStringLiteral("OptionsDialog"));
    const DesignScale at(font());

    descriptionLabel = named(new QLabel(QStringLiteral("The path to your anarchy.exe file. This tool needs this path to "
                                                     "load a list of available scripts in the quick bar."),
                                      this),
                           "descriptionLabel");
    descriptionLabel->setGeometry(at.rect(240, 120, 4095, 495));
    descriptionLabel->setWordWrap(true);
    descriptionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    DesignedControls::growToText(descriptionLabel);
    // Whatever the description needs beyond its designed lines moves the rest down.
    const int below = descriptionLabel->height() - at.y(495);
    pathLabel = named(new QLabel(QStringLiteral("AO path:"), this), "pathLabel");
    pathLabel->setGeometry(at.rect(240, 720, 855, 255).translated(0, below));
    DesignedControls::growToText(pathLabel);
    pathField = named(new QLineEdit(this), "pathField");
    pathField->setGeometry(at.rect(1080, 720, 2775, 285).translated(0, below));
    pathField->setEnabled(false);
    // A tool button: a push button's least width would make "..." as wide as "Cancel".
    browseButton = named(new QToolButton(this), "browseButton");
    browseButton->setText(QStringLiteral("..."));
    browseButton->setGeometry(at.rect(3960, 720, 375, 255).translated(0, below));
    DesignedControls::growToText(browseButton);
    okButton = button(QStringLiteral("&OK"), "okButton", this, at.rect(480, 2280, 1095, 375).translated(0, below));
    applyButton = button(QStringLiteral("&Apply"), "applyButton", this, at.rect(1680, 2280, 1095, 375).translated(0, below));
    cancelButton = button(QStringLiteral("&Cancel"), "cancelButton", this, at.rect(3120, 2280, 1095, 375).translated(0, below));
    DesignedControls::makeFixedToolWindow(*this, QStringLiteral("Options"),
                                          DesignedControls::grownAround(this, at.size(4440, 2760) + QSize(0, below),
                                                                        QSize(at.x(105), at.y(105))));

    setTabOrder(okButton, cancelButton);
    setTabOrder(cancelButton, applyButton);
    setTabOrder(applyButton, pathField);
    setTabOrder(pathField, browseButton);

    connect(browseButton, &QToolButton::clicked, this, &OptionsDialog::browse);
    connect(okButton, &QPushButton::clicked, this, &OptionsDialog::confirm);
    connect(applyButton, &QPushButton::clicked, this, &OptionsDialog::apply);
    connect(cancelButton, &QPushButton::clicked, this, &OptionsDialog::cancel);

    loadSettings();
}

void OptionsDialog::loadSettings()
{
    if (const QScreen* where = screen())
        move(GamePathChoice::centredOn(where->geometry(), frameGeometry().size()));
    pathField->setText(m_state.gamePath());
}

void OptionsDialog::browse()
{
    FileDialogRequest dialog;
    dialog.kind = FileDialogKind::Open;
    dialog.title = GamePathChoice::browseTitle();
    dialog.filter = GamePathChoice::browseFilter();
    const QString chosen = m_state.prompt.chooseFile(dialog);
    if (chosen.isEmpty())
        return;
    // A typed name that is not the game's executable says nothing about the folder.
    const std::optional<QString> folder = GamePathChoice::folderOfChosenFile(chosen);
    if (!folder)
        return;
    pathField->setText(*folder);
    m_state.setGamePath(*folder);
}

void OptionsDialog::saveSettings()
{
    m_state.settings.write(QStringLiteral("AOPath"), pathField->text());
}

void OptionsDialog::apply()
{
    saveSettings();
}

void OptionsDialog::confirm()
{
    saveSettings();
    accept();
}

void OptionsDialog::cancel()
{
    reject();
}
