#pragma once

#include <QStringList>
#include <QTextStream>

// kelvo-tool image-size FILE...: one line per file, in order: "FILE: WIDTH
// HEIGHT", or "FILE: " and the image dialog's message when the file cannot
// be read or holds no image it knows. Status 1 when any failed.
int ImageSizeCommand(const QStringList& files, QTextStream& out, QTextStream& err);

// kelvo-tool links FILE: the link check of the editor on FILE, one
// "missing: TARGET" line per missing target. Status 1 when any is missing.
int LinksCommand(const QStringList& args, QTextStream& out, QTextStream& err);
