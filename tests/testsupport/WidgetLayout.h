#pragma once

#include <QStringList>

class QWidget;

// Checks of what a user sees of a window: controls cut below the size their
// text needs, controls on top of each other, and accelerator letters that two
// reachable controls share.
namespace widgetlayout {

// Visible controls under root that are smaller than their text needs, or that
// overlap a visible sibling control; each entry names the control and why.
QStringList Faults(const QWidget& root);

// The accelerators of what root shows now: its visible menu bar's menus, its
// buttons, tool buttons, tab titles, group boxes and labels with a buddy.
// Each letter shared by two of them gives an entry naming both texts.
QStringList AcceleratorClashes(const QWidget& root);

}  // namespace widgetlayout
