#include "DialogLayout.h"

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
