#include "core/doc/CodeKinds.h"

namespace {

const char* const kCodeNames[] = {"ShiftJis", "Jis", "Euc", "Utf8", "Ascii", "Unknown"};
const char* const kLineEndNames[] = {"None", "CrLf", "Lf", "Cr", "Unknown"};

} // namespace

QString CodeKindName(CodeKind kind)
{
    const int i = static_cast<int>(kind);
    return i >= 0 && i <= 5 ? QString::fromLatin1(kCodeNames[i]) : QString();
}

std::optional<CodeKind> CodeKindFromName(const QString& name)
{
    for (int i = 0; i <= 5; ++i)
        if (name.compare(QLatin1String(kCodeNames[i]), Qt::CaseInsensitive) == 0)
            return static_cast<CodeKind>(i);
    return std::nullopt;
}

QString LineEndKindName(LineEndKind kind)
{
    const int i = static_cast<int>(kind) + 1;
    return i >= 0 && i <= 4 ? QString::fromLatin1(kLineEndNames[i]) : QString();
}

std::optional<LineEndKind> LineEndKindFromName(const QString& name)
{
    for (int i = 0; i <= 4; ++i)
        if (name.compare(QLatin1String(kLineEndNames[i]), Qt::CaseInsensitive) == 0)
            return static_cast<LineEndKind>(i - 1);
    return std::nullopt;
}

QByteArrayView LineEndSeparator(LineEndKind kind)
{
    switch (kind) {
    case LineEndKind::Lf:
        return QByteArrayView("\n", 1);
    case LineEndKind::Cr:
        return QByteArrayView("\r", 1);
    default:
        return QByteArrayView("\r\n", 2);
    }
}

QStringList CodeKindCaptions()
{
    return {QStringLiteral("シフトJIS"), QStringLiteral("JIS"), QStringLiteral("EUC"),
            QStringLiteral("UTF-8"), QStringLiteral("ASCII"), QStringLiteral("不明")};
}

QStringList LineEndKindCaptions()
{
    return {QStringLiteral("CR+LF"), QStringLiteral("LF"), QStringLiteral("CR"),
            QStringLiteral("不明")};
}
