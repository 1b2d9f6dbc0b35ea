#include "DialogLayout.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

QList<QWidget*> focusOrder(QWidget* root, const QList<QWidget*>& among)
{
    QList<QWidget*> out;
    for (QWidget* w = root->nextInFocusChain(); w && w != root; w = w->nextInFocusChain()) {
        if (among.contains(w) && !out.contains(w))
            out << w;
    }
    // The chain is a ring: read it from the first of `among`.
    const qsizetype first = among.isEmpty() ? -1 : out.indexOf(among.constFirst());
    if (first > 0)
        out = out.mid(first) + out.first(first);
    return out;
}

void checkControls(const QList<ExpectedControl>& controls)
{
    for (const ExpectedControl& c : controls) {
        const QString name = c.widget->objectName();
        QString text;
        if (auto* label = qobject_cast<QLabel*>(c.widget))
            text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(c.widget))
            text = button->text();
        else if (auto* field = qobject_cast<QLineEdit*>(c.widget))
            text = field->text();
        QVERIFY2(text == c.caption, qPrintable(name + QStringLiteral(": ") + text));
    }
}
