#pragma once

#include <QList>
#include <QString>

class QWidget;

// Checks shared by the tests of fixed-size dialogs.

// The order in which `among` come in the focus chain that starts at `root`,
// read from the first of `among`.
QList<QWidget*> focusOrder(QWidget* root, const QList<QWidget*>& among);

struct ExpectedControl {
    QWidget* widget;
    QString caption;  // a label's, button's or field's text
};

// Each control with its caption; fails the running test otherwise.
void checkControls(const QList<ExpectedControl>& controls);
