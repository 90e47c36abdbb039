#pragma once

#include "core/tables/TableText.h"

#include <QString>

class CKelvoApp;

// The table options the editor keeps while it runs: "Enable", "Class",
// "Space" and "Item" of the "Table" settings, read when the editor starts.
// "Split" and the colours are read from the settings at each use instead,
// so the colour dialog takes effect at once. "Enable" is written back when
// the options go away.
class TableOptions {
public:
    explicit TableOptions(CKelvoApp& app);
    ~TableOptions();
    TableOptions(const TableOptions&) = delete;
    TableOptions& operator=(const TableOptions&) = delete;

    bool enable = true;
    bool classes = false;
    bool space = false;
    bool item = false;

    // "Split": consecutive separators give empty fields.
    bool SplitEach() const;
    // The options with the stored colours.
    TableStyle Style() const;
    // Writes the four flags and "Split" in the order the options dialog does.
    void Save(bool splitEach);

private:
    CKelvoApp& m_app;
};

// Settings sections and keys the table commands use. The "Tool" section is
// shared with the registered tools, which use other keys.
namespace table_settings {
inline const QString Table = QStringLiteral("Table");
inline const QString Tool = QStringLiteral("Tool");

// Keys of the "Table" section.
inline const QString Enable = QStringLiteral("Enable");
inline const QString Class = QStringLiteral("Class");
inline const QString Space = QStringLiteral("Space");
inline const QString Item = QStringLiteral("Item");
inline const QString Split = QStringLiteral("Split");
inline const QString Color1 = QStringLiteral("Color1");
inline const QString Color2 = QStringLiteral("Color2");
inline const QString Color4 = QStringLiteral("Color4");
inline const QString Color5 = QStringLiteral("Color5");

// Keys of the "Tool" section.
inline const QString RectColor = QStringLiteral("RectColor");
inline const QString LeftMargin = QStringLiteral("LeftMargin");
inline const QString RightMargin = QStringLiteral("RightMargin");

// A colour never set is white.
inline const QString White = QStringLiteral("FFFFFF");
}
