#pragma once

#include "core/style/CStylePage.h"

#include <array>

// "ボックス": the border for all sides and for each side, read from every
// shorthand form and written in the shortest of them that holds the values.
class CStyleBoxPage : public CStylePage {
public:
    struct Side {
        int style = 0;  // 0 = not specified, else an entry of Styles()
        QString color;
        QString width;  // a number, or a width keyword or its label
        int unit = -1;
        friend bool operator==(const Side&, const Side&) = default;
    };

    CStyleBoxPage();

    Side all;
    std::array<Side, 4> sides;  // top, right, bottom, left

    static const QStringList& Styles();
    static const QStringList& StyleLabels();
    static const StyleKeywords& WidthKeywords();
    static const QStringList& SideNames();

    void Read(const CStyleDeclList& decls) override;
    void Write(CStyleDeclList& decls) const override;
    void Update(CStyleDeclList& decls, const QStringList& changed) const override;
    void AddFields(FormModel& form, const StylePageContext& context) override;
    void StoreFields(const FormModel& form) override;

    // The side dialog "枠線" for one side; OK copies its values back.
    static FormModel SideForm(const Side& side);
    static Side SideFromForm(const FormModel& form);

protected:
    // The four sides are edited in their own dialogs, outside the form:
    // their style, colour, width and unit follow the form's fields.
    QStringList FieldValues(const FormModel& form) const override;

private:
    // A part (style, colour, width) of the all-sides fields or of a side
    // as written.
    QString AllText(int part) const;
};
