#pragma once

#include "core/style/CStylePage.h"

// "色・背景": the text colour and the background, read from the longhands
// or from the "background" shorthand and written as the shorthand.
class CStyleColorPage : public CStylePage {
public:
    CStyleColorPage();

    QString color;       // RRGGBB, or a name or other form as written
    QString background;  // likewise, from the longhand or the shorthand
    QString image;
    int repeat = 0;
    bool fixed = false;
    int horizontal = 0;
    int vertical = 0;

    static const QStringList& Repeats();
    static const QStringList& Horizontals();
    static const QStringList& Verticals();

    void Read(const CStyleDeclList& decls) override;
    void Write(CStyleDeclList& decls) const override;
    void Update(CStyleDeclList& decls, const QStringList& changed) const override;
    void AddFields(FormModel& form, const StylePageContext& context) override;
    void StoreFields(const FormModel& form) override;

private:
    // "left top", "center", ""...: the position fields as written.
    QString PositionText() const;
};
