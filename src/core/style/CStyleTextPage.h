#pragma once

#include "core/style/CStylePage.h"

// "テキスト": indent, alignment, float and clear.
class CStyleTextPage : public CStylePage {
public:
    CStyleTextPage();

    QString indent;
    int indentUnit = -1;
    int align = 0;
    int verticalAlign = 0;
    int floating = 0;
    int clear = 0;

    // Read lists; entry 0 doubles as "not specified" and writes a removal.
    static const QStringList& Aligns();
    static const QStringList& VerticalAligns();
    static const QStringList& Floats();
    static const QStringList& Clears();
    // The page's properties, each one field.
    static const QStringList& Properties();

    void Read(const CStyleDeclList& decls) override;
    void Write(CStyleDeclList& decls) const override;
    void Update(CStyleDeclList& decls, const QStringList& changed) const override;
    void AddFields(FormModel& form, const StylePageContext& context) override;
    void StoreFields(const FormModel& form) override;

private:
    // What the page writes for a property.
    QString Text(const QString& property) const;
};
