#pragma once

#include "core/style/CStylePage.h"

#include <array>

// "間隔": letter spacing, the four paddings and the four margins.
class CStylePadPage : public CStylePage {
public:
    struct Box {
        std::array<QString, 4> numbers;  // top, right, bottom, left
        std::array<int, 4> units{-1, -1, -1, -1};
    };

    CStylePadPage();

    QString letterSpacing;
    int letterSpacingUnit = -1;
    Box padding;
    Box margin;

    void Read(const CStyleDeclList& decls) override;
    void Write(CStyleDeclList& decls) const override;
    void Update(CStyleDeclList& decls, const QStringList& changed) const override;
    void AddFields(FormModel& form, const StylePageContext& context) override;
    void StoreFields(const FormModel& form) override;
};
