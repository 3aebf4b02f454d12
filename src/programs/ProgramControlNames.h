#pragma once

#include <QStringList>

// The controls of the program windows by name. Each window is built under
// the names of its list, its logic and its test view reach nothing else,
// and a test checks that every name of a list is built.

// The frames the editor and the viewer share: the battery, the program
// (without the frame's own name, which only the editor's carries) and the
// self-discharge test.
const QStringList& programFormControlNames();
// The editor: the shared frames, the named programs, the charger's buttons
// and the dialog itself (its caption is set by its name).
const QStringList& programEditorControlNames();
// The viewer: the shared frames, the extended options and Cancel.
const QStringList& programViewerControlNames();
// The extended options dialog: seven choices of two and the charge end.
const QStringList& extendedOptionsControlNames();
