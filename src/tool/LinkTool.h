#pragma once

#include <QStringList>
#include <QTextStream>

// kelvo-tool image-size FILE...: one line per file, in order: "FILE: WIDTH
// HEIGHT", or "FILE: " and the image dialog's message when the file cannot
// be read or holds no image it knows. Status 1 when any failed.
int ImageSizeCommand(const QStringList& files, QTextStream& out, QTextStream& err);

// kelvo-tool links [--root DIR] [--config DIR] FILE...: the link check of
// the editor. One FILE gives one "missing: TARGET" line per missing target;
// several, or a folder (walked for .htm, .html, .shtml and .php pages),
// "FILE: missing: TARGET" lines. Root-relative links start from --root,
// else from the local folder of the FTP site set (in the settings of
// --config) that holds the page; without either they are counted in a last
// "skipped=N" line. Status 1 when any target is missing.
int LinksCommand(const QStringList& args, QTextStream& out, QTextStream& err);
