#include "gui/preview/PreviewGuard.h"

#include "core/preview/PreviewServer.h"

void PreviewGuard::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    // Qt 6 calls this on the thread of the profile, the window's.
    switch (ClassifyPreviewRequest(info.requestUrl())) {
    case PreviewRequestKind::Local:
    case PreviewRequestKind::Inline:
        return;
    case PreviewRequestKind::Remote:
        if (m_remoteAllowed)
            return;
        info.block(true);
        Q_EMIT RemoteBlocked(info.requestUrl());
        return;
    case PreviewRequestKind::Other:
        info.block(true);
        return;
    }
}
