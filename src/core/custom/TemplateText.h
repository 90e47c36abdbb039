#pragma once

#include "core/doc/CodeKinds.h"
#include "core/doc/FileForms.h"

#include <QString>

#include <optional>

// A template or component file as it enters the editor.
struct TemplateContent {
    // Decoded as a document is (its code detected, every line end CR LF).
    QString text;
    // The code the file's page declares (<meta charset>), when one of ours.
    std::optional<CodeKind> declared;
    // The file's code (the one its text was read in) and first line end,
    // and what its bytes held beyond the text.
    CodeKind code = CodeKind::ShiftJis;
    LineEndKind lineEnd = LineEndKind::None;
    FileForms forms;
};

// nullopt when the file cannot be read. With autoConvert off the bytes are
// read as Shift-JIS, as documents are then.
std::optional<TemplateContent> ReadTemplateFile(const QString& path, bool autoConvert = true);

// Where the caret goes in a new document made from a template: on the first
// empty line (two characters after the first CR LF CR LF), else at 0.
int TemplateCaret(const QString& text);
