#include "dialogs/frmAbout.h"

#include "platform/Twips.h"

#include <QLabel>
#include <QPushButton>

frmAbout::frmAbout(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    setWindowTitle(caption());
    setFixedSize(twipsToPixels(5100), twipsToPixels(2430));

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(0, 0, 495, 2415));
    Picture1->setAutoFillBackground(true);
    QPalette strip = Picture1->palette();
    QLinearGradient gradient(0, 0, 0, Picture1->height());
    gradient.setColorAt(0, QColor(0, 40, 0));
    gradient.setColorAt(1, QColor(0, 200, 0));
    strip.setBrush(QPalette::Window, gradient);
    Picture1->setPalette(strip);

    lblAbout = new QLabel(aboutText(), this);
    lblAbout->setObjectName(QStringLiteral("lblAbout"));
    lblAbout->setGeometry(twipsRect(600, 120, 4335, 1695));
    lblAbout->setWordWrap(true);
    lblAbout->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cmdOk = new QPushButton(QStringLiteral("&OK"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setGeometry(twipsRect(4080, 1920, 855, 375));
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
