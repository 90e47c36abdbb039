#include "core/custom/CRegToolList.h"

#include "core/app/CKelvoApp.h"

namespace {
const QString kSection = QStringLiteral("Tool");
}

void CRegToolList::Load(const CKelvoApp& app)
{
    entries = LoadRegisteredTools(app, kMaxEntries);
}

void CRegToolList::Save(CKelvoApp& app) const
{
    app.WriteProfileInt(kSection, QStringLiteral("Count"), static_cast<int>(entries.size()));
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        app.WriteProfileString(kSection, ListKey(QStringLiteral("Name"), i), entries[i].name);
        app.WriteProfileString(kSection, ListKey(QStringLiteral("File"), i), entries[i].file);
    }
}

ToolInvocation ToolInvocationFor(const QString& file, const QString& documentPath)
{
    ToolInvocation run;
    const qsizetype percent = file.indexOf(u'%');
    // The blank that separates the program from its "%" is no part of the
    // program's name.
    run.program = (percent < 0 ? file : file.left(percent)).trimmed();
    if (percent >= 0 && !documentPath.isEmpty())
        run.arguments.append(documentPath);
    return run;
}
