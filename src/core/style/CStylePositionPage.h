#pragma once

#include "core/style/CStylePage.h"

#include <array>

// "位置": position, display and the six offsets and sizes.
class CStylePositionPage : public CStylePage {
public:
    CStylePositionPage();

    int position = 0;
    int display = 0;
    // top, bottom, left, right, width, height
    std::array<QString, 6> numbers;
    std::array<int, 6> units{-1, -1, -1, -1, -1, -1};

    static const QStringList& Positions();
    static const QStringList& Displays();  // entry 0 is empty: not specified
    static const QStringList& Properties();

    void Read(const CStyleDeclList& decls) override;
    void Write(CStyleDeclList& decls) const override;
    void Update(CStyleDeclList& decls, const QStringList& changed) const override;
    void AddFields(FormModel& form, const StylePageContext& context) override;
    void StoreFields(const FormModel& form) override;

private:
    QString Text(const QString& property) const;
};
