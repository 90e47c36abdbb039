#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Writes a document file so that it stays what it was apart from its
// bytes: a symbolic link stays a link (its target is written), a file
// with several hard links is written in place so that every name sees the
// new text, and owner, group and permissions are kept. A new file, or one
// the saver owns with a single link, is replaced only once all of it is
// written; in a folder the saver cannot write, a writable file is written
// in place instead. False when anything failed.
bool WriteDocumentFile(const QString& path, const QByteArray& bytes);

// All of an open file, read into one buffer of its size (large files are
// read into large pages where the system has them). The file's error()
// tells whether reading failed.
QByteArray ReadWholeFile(QFile& file);
