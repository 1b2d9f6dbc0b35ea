#pragma once

#include <QList>
#include <QString>

class QWidget;

// Checks shared by the tests of fixed-size dialogs laid out in twips.

// The order in which `among` come in the focus chain that starts at `root`,
// read from the first of `among`.
QList<QWidget*> focusOrder(QWidget* root, const QList<QWidget*>& among);
