#pragma once

#include <QString>
#include <QStringList>

class CKelvoApp;
class CKelvoView;
class FormModel;

// Find, replace and go to line on the view's edit buffer. The search text
// and the match-case flag live in the view between commands; the search and
// replacement histories live in the settings section "Find".
class FindCommands {
public:
    explicit FindCommands(CKelvoView& view);

    // The dialogs, filled from the settings.
    FormModel FindForm() const;
    FormModel ReplaceForm() const;
    FormModel GoToLineForm() const;

    // Searches from the selection (from one past its start when something
    // is selected) towards the end, without wrapping; selects the hit and
    // scrolls to it. False when there is none, or nothing to look for.
    bool FindNext();
    // Searches backwards for the last hit that ends before the selection
    // (one character before its start when something is selected).
    bool FindPrevious();
    // Replaces every hit in the whole text as one undoable edit and tells
    // how many there were. The caret moves by the length difference of
    // each replacement.
    int ReplaceAll(const QString& replacement);
    // Puts the caret at the start of the line (numbered from 1; 0 means the
    // caret's own line). False when there is no such line.
    bool GoToLine(int number);

    // The commands.
    void OnEditFind();
    void OnEditRepeat();
    void OnFindPrevious();
    void OnEditReplace();
    void OnGoToLine();

    // A history list as stored under "<prefix>00".."<prefix>09": read up to
    // the first empty or missing entry.
    static QStringList LoadHistory(const CKelvoApp& app, const QString& prefix);
    // Makes the text the first entry, moving an equal older entry up rather
    // than keeping it twice; at most ten entries stay. An empty text leaves
    // the list as it is.
    static void SaveHistory(CKelvoApp& app, const QString& prefix, const QStringList& shown,
                            const QString& entered);
    static constexpr int kHistorySize = 10;

private:
    CKelvoApp& App();
    void TakeSearchFrom(const FormModel& form);

    CKelvoView& m_view;
};

// Registers find (57636), find next (57640, enabled with a search text),
// find previous (33035), replace (57641) and go to line (33024).
void RegisterFindCommands(CKelvoApp& app);
