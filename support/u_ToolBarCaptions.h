#pragma once

class QToolBar;

// A tool bar whose buttons show their commands' captions underlines each
// caption's accelerator and answers Alt+letter while it is shown, as a menu
// entry or a push button does. A tool button shows its action's icon text,
// which by default drops the "&" (and a trailing "..."); the tool bar keeps
// the icon text of every action it holds equal to the action's caption, also
// after the caption changes with the language.
void ShowCaptionAccelerators(QToolBar& bar);
