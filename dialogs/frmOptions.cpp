#include "dialogs/frmOptions.h"


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

frmOptions::frmOptions(AppState& state, QWidget* owner) : QDialog(owner), m_state(state)
{
    setObjectName(QStringLiteral("frmOptions"));
    const DesignScale at(font());

    lblDescription = named(new QLabel(QStringLiteral("The path to your anarchy.exe file. This tool needs this path to "
                                                     "load a list of available scripts in the quick bar."),
                                      this),
                           "lblDescription");
    lblDescription->setGeometry(at.rect(240, 120, 4095, 495));
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    DesignedControls::growToText(lblDescription);
    // Whatever the description needs beyond its designed lines moves the rest down.
    const int below = lblDescription->height() - at.y(495);
    lblAoPath = named(new QLabel(QStringLiteral("AO path:"), this), "lblAoPath");
    lblAoPath->setGeometry(at.rect(240, 720, 855, 255).translated(0, below));
    DesignedControls::growToText(lblAoPath);
    txtPath = named(new QLineEdit(this), "txtPath");
    txtPath->setGeometry(at.rect(1080, 720, 2775, 285).translated(0, below));
    txtPath->setEnabled(false);
    // A tool button: a push button's least width would make "..." as wide as "Cancel".
    cmdBrowse = named(new QToolButton(this), "cmdBrowse");
    cmdBrowse->setText(QStringLiteral("..."));
    cmdBrowse->setGeometry(at.rect(3960, 720, 375, 255).translated(0, below));
    DesignedControls::growToText(cmdBrowse);
    cmdOK = button(QStringLiteral("OK"), "cmdOK", this, at.rect(480, 2280, 1095, 375).translated(0, below));
    cmdApply = button(QStringLiteral("Apply"), "cmdApply", this, at.rect(1680, 2280, 1095, 375).translated(0, below));
    cmdCancel = button(QStringLiteral("Cancel"), "cmdCancel", this, at.rect(3120, 2280, 1095, 375).translated(0, below));
    DesignedControls::makeFixedToolWindow(*this, QStringLiteral("Options"),
                                          DesignedControls::grownAround(this, at.size(4440, 2760) + QSize(0, below),
                                                                        QSize(at.x(105), at.y(105))));

    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdApply);
    setTabOrder(cmdApply, txtPath);
    setTabOrder(txtPath, cmdBrowse);

    connect(cmdBrowse, &QToolButton::clicked, this, &frmOptions::cmdBrowse_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);

    Form_Load();
}

void frmOptions::Form_Load()
{
    if (const QScreen* where = screen())
        move(GamePathChoice::centredOn(where->geometry(), frameGeometry().size()));
    txtPath->setText(m_state.gamePath);
}

void frmOptions::cmdBrowse_Click()
{
    FileDialogSpec dialog;
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
    txtPath->setText(*folder);
    m_state.gamePath = *folder;
}

void frmOptions::savesettings()
{
    m_state.settings.write(QStringLiteral("AOPath"), txtPath->text());
}

void frmOptions::cmdApply_Click()
{
    savesettings();
}

void frmOptions::cmdOK_Click()
{
    savesettings();
    accept();
}

void frmOptions::cmdCancel_Click()
{
    reject();
}
