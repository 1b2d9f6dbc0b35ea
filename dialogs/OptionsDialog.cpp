#include "dialogs/OptionsDialog.h"


#include "state/AppState.h"
#include "dialogs/DesignedControls.h"
#include "dialogs/ElidedPathField.h"
#include "platform/PathLookup.h"
#include "platform/Settings.h"
#include "dialogs/GamePathChoice.h"
#include "platform/Prompt.h"
#include "platform/DesignScale.h"

#include <QDir>
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

    descriptionLabel = named(new QLabel(QStringLiteral("The game's folder, or the path of its anarchy.exe: type or paste "
                                                     "it, or choose anarchy.exe with the ... button. The command tree "
                                                     "lists the scripts of its scripts folder."),
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
    pathField = named(new ElidedPathField(this), "pathField");
    pathField->setGeometry(at.rect(1080, 720, 2775, 285).translated(0, below));
    pathField->setAccessibleName(QStringLiteral("Game folder"));
    pathLabel->setBuddy(pathField);
    pathCheckLabel = named(new QLabel(this), "pathCheckLabel");
    pathCheckLabel->setGeometry(at.rect(1080, 1080, 3255, 495).translated(0, below));
    pathCheckLabel->setWordWrap(true);
    pathCheckLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
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
    // Opened, the dialog shows the path whole (its middle left out); a focused field
    // would scroll to its end.
    okButton->setFocus();

    browseButton->setAccessibleName(QStringLiteral("Choose anarchy.exe"));
    browseButton->setToolTip(QStringLiteral("Choose the game's anarchy.exe"));
    connect(browseButton, &QToolButton::clicked, this, &OptionsDialog::browse);
    connect(pathField, &ElidedPathField::pathEdited, this, &OptionsDialog::checkPath);
    connect(okButton, &QPushButton::clicked, this, &OptionsDialog::confirm);
    connect(applyButton, &QPushButton::clicked, this, &OptionsDialog::apply);
    connect(cancelButton, &QPushButton::clicked, this, &OptionsDialog::cancel);

    loadSettings();
}

void OptionsDialog::loadSettings()
{
    if (const QScreen* where = screen())
        move(GamePathChoice::centredOn(where->geometry(), frameGeometry().size()));
    pathField->setPath(m_state.gamePath());
    checkPath();
}

QString OptionsDialog::chosenFolder() const
{
    const QString folder = GamePathChoice::folderOfTyped(pathField->path(), QDir::homePath());
    if (folder.isEmpty() || PathLookup::findFile(folder, QStringLiteral("anarchy.exe")).isEmpty())
        return {};
    return folder;
}

bool OptionsDialog::accepted() const
{
    return pathField->path().trimmed().isEmpty() || !chosenFolder().isEmpty();
}

void OptionsDialog::checkPath()
{
    const bool empty = pathField->path().trimmed().isEmpty();
    const bool found = !chosenFolder().isEmpty();
    pathCheckLabel->setText(empty   ? QStringLiteral("No game folder: the tree lists no scripts.")
                            : found ? QStringLiteral("anarchy.exe is there.")
                                    : QStringLiteral("There is no anarchy.exe there: give the game's folder or the "
                                                     "path of its anarchy.exe."));
    okButton->setEnabled(empty || found);
    applyButton->setEnabled(empty || found);
}

void OptionsDialog::browse()
{
    FileDialogRequest dialog;
    dialog.kind = FileDialogKind::Open;
    dialog.title = GamePathChoice::browseTitle();
    dialog.filter = GamePathChoice::browseFilter();
    // The game folder when there is one, else home, where a Wine prefix lies hidden.
    dialog.startFolder = chosenFolder().isEmpty() ? QDir::homePath() : chosenFolder();
    dialog.showHidden = true;
    const QString chosen = m_state.prompt.chooseFile(dialog);
    if (chosen.isEmpty())
        return;
    // A typed name that is not the game's executable says nothing about the folder.
    const std::optional<QString> folder = GamePathChoice::folderOfChosenFile(chosen);
    if (!folder)
        return;
    pathField->setPath(*folder);
    checkPath();
}

void OptionsDialog::saveSettings()
{
    if (!accepted())
        return;
    const QString folder = chosenFolder();
    m_state.settings.write(QStringLiteral("AOPath"), folder);
    m_state.setGamePath(folder);
    pathField->setPath(folder);
}

void OptionsDialog::apply()
{
    saveSettings();
}

void OptionsDialog::confirm()
{
    if (!accepted())
        return;
    saveSettings();
    accept();
}

void OptionsDialog::cancel()
{
    reject();
}
