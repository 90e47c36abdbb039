#pragma once

#include "core/doc/CodeKinds.h"

#include <QByteArray>
#include <QStringView>
#include <QtGlobal>

#include <cstdint>
#include <unordered_map>
#include <vector>

// What a file's bytes held beyond its code and line end, kept by the
// document from load to save so that an unchanged text is written back
// byte for byte: the UTF-8 byte-order mark, the escape sequences of a JIS
// file, and which of two forms the file used for each occurrence of a
// character its code holds twice (CP932's NEC row 13 and IBM extensions,
// EUC's rows 89..92 and their 0x8F forms).
class FileForms {
public:
    bool bom = false;
    // JIS: the final bytes of ESC $ x (kanji) and ESC ( x (ASCII), and
    // whether half-width katakana are shifted with SO/SI or ESC ( I.
    char kanjiFinal = 'B';
    char asciiFinal = 'B';
    bool kanaShift = true;
    // A JIS file's own bytes (with its line ends) and what its text was:
    // an escape the encoder would not write (a redundant one, kanji mode
    // running across a line end, another escape for the same mode) is no
    // part of the text, so while the text is unchanged these bytes are
    // written back; once it changes, its lines that the text still has
    // are, and only the others are written in the style above.
    QByteArray original;
    LineEndKind originalLineEnd = LineEndKind::CrLf;
    size_t textDigest = 0;
    qsizetype textLength = -1;
    bool Unchanged(QStringView text, LineEndKind lineEnd) const;
    // Remembers the bytes of a JIS file (as read or as last written) and
    // the text they hold.
    void KeepOriginal(QByteArray bytes, LineEndKind lineEnd, QStringView text);
    // The alternatives below are EUC bytes (JIS shares them) or Shift-JIS
    // bytes; they apply to the codes of that family only.
    bool eucFamily = false;

    // Notes the form of the next occurrence of a character that has two.
    void NoteForm(char16_t ch, uint32_t code);
    // Drops characters whose every occurrence used the canonical form.
    void DropCanonical(const std::vector<uint32_t>& canonical);
    bool HasAlternatives() const { return !m_runs.empty(); }

    // Walks the remembered forms in the order of the text.
    class Cursor {
    public:
        explicit Cursor(const FileForms* forms) : m_forms(forms) {}
        // The form for the next occurrence of ch; 0 for the canonical one.
        uint32_t Next(char16_t ch);

    private:
        struct Position {
            size_t run = 0;
            uint32_t used = 0;
        };
        const FileForms* m_forms;
        std::unordered_map<char16_t, Position> m_at;
    };

private:
    struct Run {
        uint32_t code;
        uint32_t count;
    };
    std::unordered_map<char16_t, std::vector<Run>> m_runs;
};
