#pragma once

#include "core/app/Ui.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What the open and save chooser shows and decides, without a widget: the
// entries of one folder read by their bytes, the file types of the
// dialog's filter, and what a typed name means. Names and paths are text
// as platform::DecodePath makes them, so a name that is not UTF-8 (CP932
// bytes from a Windows archive) can be shown, typed and chosen and still
// names the same file.
class FileChooserModel {
public:
    struct Entry {
        QString name;   // the name itself, bytes kept
        QString shown;  // as the user reads it (platform::DisplayPath)
        bool folder = false;
    };

    // What the name field, or the current entry, chooses.
    struct Choice {
        enum class Kind {
            None,      // nothing typed or selected
            File,      // the chooser's answer
            Folder,    // a folder to show instead
            Filter,    // patterns typed ("*.txt") to list by
            Missing,   // an open chooser's file that is not there
            NoFolder,  // the folder of the typed name is not there
        };
        Kind kind = Kind::None;
        QString path;      // File, Folder, Missing, NoFolder
        QString patterns;  // Filter
        bool exists = false;  // File: something is there (a save would replace it)
    };

    explicit FileChooserModel(Ui::FileDialog dialog);

    const Ui::FileDialog& Dialog() const { return m_dialog; }

    // The folder shown: the dialog's initial folder when it can be read,
    // else the home folder, else "/".
    const QString& Folder() const { return m_folder; }
    // Lists another folder; false (and the folder unchanged) when it
    // cannot be read.
    bool SetFolder(const QString& path);
    // The folder above the one shown; empty at "/".
    QString ParentFolder() const;

    // The file types of the filter, as shown ("HTMLﾌｧｲﾙ (*.htm *.html)");
    // empty when the dialog has no filter.
    QStringList TypeNames() const;
    void SetTypeIndex(int index);
    // Lists by typed patterns ("*.txt;*.csv" or "*.txt *.csv") until a
    // type is chosen again.
    void SetPatterns(const QString& patterns);

    // The entries shown: folders first, then files of the type, each group
    // by name; names beginning with "." only while the typed name does.
    const std::vector<Entry>& Visible() const { return m_visible; }
    // The name field's text changed; true when that changed Visible().
    bool SetTypedName(const QString& text);
    // The first entry shown whose name starts with the text (letter case
    // ignored), -1 when none does.
    int FirstStartingWith(const QString& text) const;

    // The name the field starts with: the dialog's initial name as shown,
    // or empty when that is only patterns.
    QString InitialName() const;

    // What the typed text chooses; `current` is the entry selected in the
    // list, which a text equal to its shown name means.
    Choice Resolve(const QString& typed, int current) const;

    // Creates a folder of that name in the folder shown and lists it; its
    // path, or nothing when the name is not one name or it cannot be made.
    std::optional<QString> CreateFolder(const QString& name);

    // The name with ".extension" added when it has none (a name beginning
    // with "." has one).
    static QString WithDefaultExtension(const QString& path, const QString& extension);
    // The patterns of a filter type as a list ("*.*" is every file).
    static QStringList SplitPatterns(const QString& patterns);

private:
    void Rebuild();
    bool MatchesType(const QString& name) const;
    // The entry of `name` in `folder` (listing it unless it is the folder
    // shown): the very name first, else one shown as that name.
    std::optional<Entry> Find(const QString& folder, const QString& name) const;
    QString Join(const QString& folder, const QString& name) const;

    Ui::FileDialog m_dialog;
    std::vector<std::pair<QString, QStringList>> m_types;  // shown name, patterns
    QString m_folder;
    std::vector<Entry> m_entries;  // sorted
    std::vector<Entry> m_visible;
    QList<QRegularExpression> m_patterns;  // empty: every file
    QStringList m_suffixes;  // of each pattern that is "*" and an ending, else empty
    bool m_showHidden = false;
};
