#pragma once

#include <QStringList>

class QWidget;

// What keeps a person from reading a window as it is shown now: two visible sibling controls
// that overlap, a control that sticks out of its parent, a label, check box, button, date box
// or status panel narrower than its text, a combo box whose field cuts its current entry, a grid
// heading wider than its column, a list entry wider than its list. One line per fault, naming
// the controls; empty when everything fits.
QStringList LayoutFaults(QWidget* window);
