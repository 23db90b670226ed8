#pragma once
// The system's own message box behind SystemMessageBox: a standard dialog
// with the caption, the text, the icon of the type's icon bits and an OK
// button (OK and Cancel, Yes and No as the type's button set asks).
class QWidget;

// Makes every SystemMessageBox call show the standard dialog, modal to
// parent (null: application modal). The program's main calls it once.
void InstallSystemMessageBoxHandler(QWidget* parent = nullptr);
