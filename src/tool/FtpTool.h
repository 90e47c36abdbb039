#pragma once

#include <QStringList>
#include <QTextStream>

// "kelvo-tool ftp" (one operation on a server) and "kelvo-tool ftp-parse"
// (a saved listing through the listing parser). Exit status as the tool's:
// 0 done, 1 the operation failed (its message printed), 2 bad arguments.
int RunFtpTool(const QStringList& args, QTextStream& out, QTextStream& err);
int RunFtpParseTool(const QStringList& args, QTextStream& out, QTextStream& err);

// The usage lines of both commands, part of the tool's usage text.
#define KELVO_FTP_USAGE                                                                          \
    "       kelvo-tool ftp [--site NAME [--config DIR]] [--host HOST[:PORT]] [--user U]\n"         \
    "                      [--password P | --password-file F] [--active] [--ascii] [--root DIR]\n" \
    "                      [--timeout SECONDS] [--protocol ftp|ftps|sftp]\n"                    \
    "                      [--encoding auto|utf8|sjis] [--trust SHA256:FINGERPRINT]\n"           \
    "                      ls | pwd | put LOCAL | get NAME LOCALDIR\n"         \
    "                      | mkdir NAME | rmdir NAME | rm NAME | mv OLD NEW | chmod NAME MODE\n"   \
    "       kelvo-tool ftp-parse FILE\n"
