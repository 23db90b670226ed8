#pragma once
// Whether another window holds the user's input now: a modal window other
// than the widget's own, or an open popup. A control that repeats while the
// mouse button is held ends its hold then, since the release will go to
// that window and never reach the control (the old platform's controls
// lost their mouse capture at this point).
class QWidget;

bool IsInputTakenFrom(const QWidget* widget);
