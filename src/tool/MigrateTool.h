#pragma once

#include <QStringList>
#include <QTextStream>

// kelvo-tool migrate SITE: the site moved to UTF-8. Prints the plan, one
// "convert PATH: CODE -> Utf8", "declare PATH: LINE: DECLARATION" or
// "skip PATH: REASON" line each, and then (unless --dry-run) runs it; the
// lines are the same either way. Status 1 when a planned file could not be
// written (its reason on stderr), 2 for bad arguments.
int MigrateCommand(const QStringList& args, QTextStream& out, QTextStream& err);

#define KELVO_MIGRATE_USAGE                                                                        \
    "       kelvo-tool migrate [--to utf8] [--dry-run] [--backup DIR] [--include GLOB]...\n"      \
    "                          [--code FILE=CODE]... [--htaccess] SITE\n"
