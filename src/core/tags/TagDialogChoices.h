#pragma once

#include <QStringList>

// Choice lists shared by several tag dialogs: what the dialog shows ("指定なし"
// first) and the attribute values behind the entries after it.
namespace tagdlg {

inline const QStringList& ImageAlign()
{
    static const QStringList l{QStringLiteral("指定なし"), QStringLiteral("上"),
                               QStringLiteral("中央"), QStringLiteral("下"),
                               QStringLiteral("左"), QStringLiteral("右")};
    return l;
}

inline const QStringList& ImageAlignValues()
{
    static const QStringList l{QStringLiteral("top"), QStringLiteral("middle"),
                               QStringLiteral("bottom"), QStringLiteral("left"),
                               QStringLiteral("right")};
    return l;
}

} // namespace tagdlg
