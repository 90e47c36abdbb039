#pragma once

#include "core/search/FolderSearch.h"

#include <QString>

#include <vector>

class CKelvoApp;
class FormModel;

// Find and replace across the files of a folder: the dialog, the search as
// long work with progress and Cancel, the result list that opens a file at
// its line, and the replacement's preview of every change before anything
// is written. The last search's results stay for the session: the list can
// be shown again, and the next and previous hit opened without it.
class FindInFilesCommands {
public:
    explicit FindInFilesCommands(CKelvoApp& app);

    // The dialog, filled from the settings; the folder is the open
    // document's site folder (the site set's local folder that holds it),
    // else its own folder.
    FormModel SearchForm(bool replacing) const;
    // The options the confirmed form gives; they are remembered.
    FolderSearchOptions TakeOptions(const FormModel& form);
    QString DefaultFolder() const;

    // The result list: one row per line with hits, then the skipped files.
    FormModel ResultForm(const FolderSearchOptions& options, const FolderSearchResult& result) const;
    // The preview: one row per changed line (before and after), then the
    // files that will be left alone.
    FormModel PreviewForm(const FolderSearchOptions& options, const FolderSearchResult& plan) const;

    // Opens the file (asking about unsaved changes first) and selects the
    // first hit of the line.
    bool OpenAt(const FileOutcome& file, const LineHits& line);

    void OnFindInFiles();
    void OnReplaceInFiles();
    // The last results' list again, on the row opened last.
    void OnShowResults();
    // Opens the line after (before) the one opened last, round to the
    // first (last) from the end; skipped files are passed over.
    void OnNextResult();
    void OnPreviousResult();
    // Whether there are results to show, and lines to step through.
    bool HasResults() const { return !m_last.files.empty(); }
    bool HasHits() const { return m_last.HitCount() > 0; }

private:
    // Shows the result list of the last search on the row given and opens
    // the row the user picks.
    void ShowResults(int row);
    // Opens a row of the last results; false when it is a skipped file or
    // the file could not be opened.
    bool OpenRow(int row);
    void Step(int direction);
    // Runs the search as long work; nullopt when it could not start.
    FolderSearchResult RunSearch(const FolderSearchOptions& options, bool replacing);
    ReplaceApplied RunApply(const FolderSearchOptions& options, const FolderSearchResult& plan);
    // The open document's file, when the plan would change it.
    QString OpenDocumentIn(const FolderSearchResult& plan) const;

    CKelvoApp& m_app;
    FolderSearchOptions m_lastOptions;
    FolderSearchResult m_last;
    int m_lastRow = -1;  // the row opened last, -1 before any
};

void RegisterFindInFilesCommands(CKelvoApp& app);
