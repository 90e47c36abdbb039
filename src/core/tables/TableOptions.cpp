#include "core/tables/TableOptions.h"

#include "core/app/CKelvoApp.h"

namespace {

const QString kWhite = QStringLiteral("FFFFFF");

} // namespace

TableOptions::TableOptions(CKelvoApp& app) : m_app(app)
{
    enable = m_app.GetProfileInt(table_settings::Table, QStringLiteral("Enable"), 1) != 0;
    classes = m_app.GetProfileInt(table_settings::Table, QStringLiteral("Class"), 0) != 0;
    space = m_app.GetProfileInt(table_settings::Table, QStringLiteral("Space"), 0) != 0;
    item = m_app.GetProfileInt(table_settings::Table, QStringLiteral("Item"), 0) != 0;
}

TableOptions::~TableOptions()
{
    m_app.WriteProfileInt(table_settings::Table, QStringLiteral("Enable"), enable ? 1 : 0);
}

bool TableOptions::SplitEach() const
{
    return m_app.GetProfileInt(table_settings::Table, QStringLiteral("Split"), 1) != 0;
}

TableStyle TableOptions::Style() const
{
    TableStyle s;
    s.enable = enable;
    s.classes = classes;
    s.space = space;
    s.item = item;
    s.color1 = m_app.GetProfileString(table_settings::Table, QStringLiteral("Color1"), kWhite);
    s.color2 = m_app.GetProfileString(table_settings::Table, QStringLiteral("Color2"), kWhite);
    s.color4 = m_app.GetProfileString(table_settings::Table, QStringLiteral("Color4"), kWhite);
    s.color5 = m_app.GetProfileString(table_settings::Table, QStringLiteral("Color5"), kWhite);
    return s;
}

void TableOptions::Save(bool splitEach)
{
    m_app.WriteProfileInt(table_settings::Table, QStringLiteral("Enable"), enable ? 1 : 0);
    m_app.WriteProfileInt(table_settings::Table, QStringLiteral("Item"), item ? 1 : 0);
    m_app.WriteProfileInt(table_settings::Table, QStringLiteral("Class"), classes ? 1 : 0);
    m_app.WriteProfileInt(table_settings::Table, QStringLiteral("Space"), space ? 1 : 0);
    m_app.WriteProfileInt(table_settings::Table, QStringLiteral("Split"), splitEach ? 1 : 0);
}
