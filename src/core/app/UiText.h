#pragma once

#include <QString>

// The program's texts are written in Japanese, the source language of its
// translations. They are translated where they reach the screen (menus,
// rendered forms, the Ui's messages and questions, status texts), so the
// code that makes them keeps the Japanese and compares, stores and logs it
// unchanged. A text completed with values (a file name, a count) is
// translated before the values go in: UiText(u"%1 個").arg(n).
//
// All texts share one context and are found by their Japanese source, so a
// caption used in several places is translated once.
inline constexpr char kUiTextContext[] = "kelvo";

// The text in the interface's language; the text itself when no
// translation is installed or it has none.
QString UiText(const QString& japanese);
