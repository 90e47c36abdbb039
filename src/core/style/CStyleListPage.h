#pragma once

#include "core/style/CStylePage.h"

// "リスト他": list markers and the cursor.
class CStyleListPage : public CStylePage {
public:
    CStyleListPage();

    int type = 0;
    int position = 0;
    QString image;
    int cursor = 0;  // 0 = not specified ("auto")

    static const QStringList& Types();
    static const QStringList& Positions();
    static const QStringList& Cursors();  // entry 0 is "auto"

    void Read(const CStyleDeclList& decls) override;
    void Write(CStyleDeclList& decls) const override;
    void Update(CStyleDeclList& decls, const QStringList& changed) const override;
    void AddFields(FormModel& form, const StylePageContext& context) override;
    void StoreFields(const FormModel& form) override;
};
