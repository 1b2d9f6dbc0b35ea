#include "dialogs/frmAbout.h"

#include "dialogs/DesignedControls.h"
#include "platform/DesignScale.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

frmAbout::frmAbout(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    setWindowTitle(caption());
    const DesignScale at(font());

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAutoFillBackground(true);

    lblAbout = new QLabel(aboutText(), this);
    lblAbout->setObjectName(QStringLiteral("lblAbout"));
    lblAbout->setGeometry(at.rect(600, 120, 4335, 1695));
    lblAbout->setWordWrap(true);
    lblAbout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    DesignedControls::growToText(lblAbout);

    // A text longer than its designed box pushes the button down; the button keeps
    // its designed gap below the text and its right edge under the text's.
    cmdOk = new QPushButton(QStringLiteral("&OK"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    const QRect designedOk = at.rect(4080, 1920, 855, 375);
    cmdOk->setGeometry(designedOk.translated(0, lblAbout->height() - at.y(1695)));
    DesignedControls::growToText(cmdOk);
    cmdOk->move(designedOk.right() + 1 - cmdOk->width(), cmdOk->y());
    setFixedSize(at.x(5100), std::max(at.y(2430), cmdOk->geometry().bottom() + 1 + at.y(2430 - 1920 - 375)));

    // The strip runs down the whole window, as tall as the window has become.
    Picture1->setGeometry(0, 0, at.x(495), height() - at.y(2430 - 2415));
    QPalette strip = Picture1->palette();
    QLinearGradient gradient(0, 0, 0, Picture1->height());
    gradient.setColorAt(0, QColor(0, 40, 0));
    gradient.setColorAt(1, QColor(0, 200, 0));
    strip.setBrush(QPalette::Window, gradient);
    Picture1->setPalette(strip);

    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
}

QString frmAbout::caption()
{
    return QStringLiteral("About Zandrel (%1.%2.%3)")
        .arg(ZANDREL_VERSION_MAJOR)
        .arg(ZANDREL_VERSION_MINOR)
        .arg(ZANDREL_VERSION_PATCH);
}

QString frmAbout::aboutText()
{
    return QStringList{
        QStringLiteral("Zandrel is a small Macro/Script editing tool for Anarchy Online. It has a simple interface "
                       "with buttons and quick links to insert common commands."),
        QString(),
        QStringLiteral("Please report bugs, errors and wishes for new features, and fetch updates, at "
                       "https://zandrel.example.org or by mail to zandrel@example.org."),
        QString(),
        QStringLiteral("https://zandrel.example.org - made for the players of the Zandrel Scripters' Guild."),
    }
        .join(QStringLiteral("\r\n"));
}
