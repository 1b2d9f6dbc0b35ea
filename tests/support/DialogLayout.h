#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QWidget;

// Checks shared by the tests of fixed-size dialogs laid out in twips.

// The order in which `among` come in the focus chain that starts at `root`,
// read from the first of `among`.
QList<QWidget*> focusOrder(QWidget* root, const QList<QWidget*>& among);

struct ExpectedControl {
    QWidget* widget;
    QString caption;  // a label's, button's or field's text
    QRect at;
};

// Each control at its place with its caption; fails the running test otherwise.
void checkControls(const QList<ExpectedControl>& controls);
