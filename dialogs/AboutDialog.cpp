#include "dialogs/AboutDialog.h"

#include "dialogs/DesignedControls.h"
#include "platform/DesignScale.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setModal(true);
    setWindowTitle(caption());
    const DesignScale at(font());

    sideStripe = new QWidget(this);
    sideStripe->setObjectName(QStringLiteral("sideStripe"));
    sideStripe->setAutoFillBackground(true);

    aboutLabel = new QLabel(aboutText(), this);
    aboutLabel->setObjectName(QStringLiteral("aboutLabel"));
    aboutLabel->setGeometry(at.rect(600, 120, 4335, 1695));
    aboutLabel->setWordWrap(true);
    aboutLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    DesignedControls::growToText(aboutLabel);

    // A text longer than its designed box pushes the button down; the button keeps
    // its designed gap below the text and its right edge under the text's.
    okButton = new QPushButton(QStringLiteral("&OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    const QRect designedOk = at.rect(4080, 1920, 855, 375);
    okButton->setGeometry(designedOk.translated(0, aboutLabel->height() - at.y(1695)));
    DesignedControls::growToText(okButton);
    okButton->move(designedOk.right() + 1 - okButton->width(), okButton->y());
    setFixedSize(at.x(5100), std::max(at.y(2430), okButton->geometry().bottom() + 1 + at.y(2430 - 1920 - 375)));

    // The strip runs down the whole window, as tall as the window has become.
    sideStripe->setGeometry(0, 0, at.x(495), height() - at.y(2430 - 2415));
    QPalette strip = sideStripe->palette();
    QLinearGradient gradient(0, 0, 0, sideStripe->height());
    gradient.setColorAt(0, QColor(0, 40, 0));
    gradient.setColorAt(1, QColor(0, 200, 0));
    strip.setBrush(QPalette::Window, gradient);
    sideStripe->setPalette(strip);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

QString AboutDialog::caption()
{
    return QStringLiteral("About Zandrel (%1.%2.%3)")
        .arg(ZANDREL_VERSION_MAJOR)
        .arg(ZANDREL_VERSION_MINOR)
        .arg(ZANDREL_VERSION_PATCH);
}

QString AboutDialog::aboutText()
{
    return QStringList{
        QStringLiteral("Zandrel is a small Macro/Script editing tool for Anarchy Online. It has a simple interface "
                       "with buttons and quick links to insert common commands."),
        QString(),
        QStringLiteral("Every command it knows is described in the program itself: rest the pointer on a command "
                       "in the tree, press F1 on it, or open Help > All Commands."),
    }
        .join(QStringLiteral("\r\n"));
}
