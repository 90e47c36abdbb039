#include "core/tables/TableOptions.h"

#include "core/app/CKelvoApp.h"

using namespace table_settings;

TableOptions::TableOptions(CKelvoApp& app) : m_app(app)
{
    enable = m_app.GetProfileInt(Table, Enable, 1) != 0;
    classes = m_app.GetProfileInt(Table, Class, 0) != 0;
    space = m_app.GetProfileInt(Table, Space, 0) != 0;
    item = m_app.GetProfileInt(Table, Item, 0) != 0;
}

TableOptions::~TableOptions()
{
    m_app.WriteProfileInt(Table, Enable, enable ? 1 : 0);
}

bool TableOptions::SplitEach() const
{
    return m_app.GetProfileInt(Table, Split, 1) != 0;
}

TableStyle TableOptions::Style() const
{
    TableStyle s;
    s.enable = enable;
    s.classes = classes;
    s.space = space;
    s.item = item;
    s.color1 = m_app.GetProfileString(Table, Color1, White);
    s.color2 = m_app.GetProfileString(Table, Color2, White);
    s.color4 = m_app.GetProfileString(Table, Color4, White);
    s.color5 = m_app.GetProfileString(Table, Color5, White);
    return s;
}

void TableOptions::Save(bool splitEach)
{
    m_app.WriteProfileInt(Table, Enable, enable ? 1 : 0);
    m_app.WriteProfileInt(Table, Item, item ? 1 : 0);
    m_app.WriteProfileInt(Table, Class, classes ? 1 : 0);
    m_app.WriteProfileInt(Table, Space, space ? 1 : 0);
    m_app.WriteProfileInt(Table, Split, splitEach ? 1 : 0);
}
