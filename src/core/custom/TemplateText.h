#pragma once

#include <QString>

#include <optional>

// The text of a template or component file as it enters the editor: UTF-8
// when the whole file is well-formed UTF-8, else the device code page, with
// every line end made CR LF as the editor holds them. nullopt when the file
// cannot be read.
std::optional<QString> ReadTemplateFile(const QString& path);

// Where the caret goes in a new document made from a template: on the first
// empty line (two characters after the first CR LF CR LF), else at 0.
int TemplateCaret(const QString& text);
