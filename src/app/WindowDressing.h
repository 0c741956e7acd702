#pragma once

class TMainForm;

// Puts the program's own pictures and glyphs on the main window: the task
// area's background, the welcome panel, the picture behind the Start and
// Stop buttons, the plate behind the preview's position label and the
// glyphs of the command and preview buttons. Runs once, after the window's
// widgets exist.
void DressMainWindow(TMainForm& form);
