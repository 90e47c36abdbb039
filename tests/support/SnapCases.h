#pragma once

#include "core/edit/EditBuffer.h"

#include <QTest>

// Selections that begin or end inside one character, for every EditBuffer:
// the text, the offsets asked for, the selection that results.
inline void AddSnapRows()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("wantStart");
    QTest::addColumn<int>("wantEnd");
    const QString kanji = QStringLiteral("𠮷野家");  // 𠮷 is a surrogate pair
    QTest::newRow("start inside a pair") << kanji << 1 << 3 << 0 << 3;
    QTest::newRow("caret inside a pair") << kanji << 1 << 1 << 0 << 0;
    QTest::newRow("end inside a pair") << QStringLiteral("a😀b") << 0 << 2 << 0 << 1;
    QTest::newRow("inside a line end") << QStringLiteral("a\r\nb") << 2 << 4 << 1 << 4;
    QTest::newRow("around a pair") << kanji << 0 << 2 << 0 << 2;
    // A surrogate without its partner is one character: both sides of it
    // are boundaries.
    const QString lowAfterLetter = QStringLiteral("a") + QChar(0xDC80) + QStringLiteral("b");
    QTest::newRow("lone low surrogate") << lowAfterLetter << 1 << 2 << 1 << 2;
    const QString twoLows = QString(QChar(0xDC80)) + QChar(0xDCFF);
    QTest::newRow("two lone low surrogates") << twoLows << 1 << 1 << 1 << 1;
    const QString highAlone = QString(QChar(0xD842)) + QStringLiteral("x");
    QTest::newRow("lone high surrogate") << highAlone << 1 << 2 << 1 << 2;
}

inline void CheckSnap(EditBuffer& buffer)
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, wantStart);
    QFETCH(int, wantEnd);
    buffer.SetText(text);
    buffer.SetSel(start, end);
    int s = -1, e = -1;
    buffer.GetSel(s, e);
    QCOMPARE(s, wantStart);
    QCOMPARE(e, wantEnd);
    QCOMPARE(buffer.GetText(), text);
}
