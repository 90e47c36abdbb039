#pragma once

#include "core/style/CStylePage.h"

// "フォント": family, size, line height, bold, italic, decoration; reads
// the "font" shorthand as well as the longhands.
class CStyleFontPage : public CStylePage {
public:
    CStyleFontPage();

    QString family;
    QString size;        // a number or a size keyword
    int sizeUnit = -1;
    QString lineHeight;
    int lineHeightUnit = -1;
    bool bold = false;
    bool italic = false;
    int decoration = 0;  // 0 = not specified, else an entry of Decorations()

    static const QStringList& SizeKeywords();
    static const QStringList& Decorations();
    static const QStringList& DecorationLabels();
    static const QStringList& SizeList();

    void Read(const CStyleDeclList& decls) override;
    void Write(CStyleDeclList& decls) const override;
    void Update(CStyleDeclList& decls, const QStringList& changed) const override;
    void AddFields(FormModel& form, const StylePageContext& context) override;
    void StoreFields(const FormModel& form) override;

private:
    QString SizeText() const;
    // The fields as longhands (font-style, font-weight, font-size,
    // line-height, font-family), those given.
    std::vector<CStyleDecl> Longhands() const;
};
