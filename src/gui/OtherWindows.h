#pragma once

#include <QString>
#include <QStringList>

class Ui;

// The program shows one document a window: further files open in windows
// of their own, each a run of the program of its own, with the caret on
// the line given (0: where the program puts it). A file that could not be
// given to a new run is named in one message.
void OpenInOtherWindows(const QStringList& files, int line, Ui& ui);

// The program those runs start: this one's executable unless set (tests
// set the editor's own).
void SetEditorProgram(const QString& path);
