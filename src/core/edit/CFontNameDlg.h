#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class CKelvoApp;
class FormModel;

// The font-name chooser "フォント名": a fixed list of font names and a
// result field that collects one name or several joined by ",". The name
// chosen last is remembered in "FontFace"/"Init" and selected next time.
// The FONT tag dialog and the style sheet's font page put its result into
// their own font-name field.
class CFontNameDlg {
public:
    explicit CFontNameDlg(CKelvoApp& app);

    // The form, with the result field starting with the caller's text.
    FormModel Form(const QString& initialResult) const;
    // The result of a confirmed form: the result field, or the name
    // selected in the list when the field is empty.
    static QString Result(const FormModel& form);
    // Runs the chooser; nullopt on cancel.
    std::optional<QString> Run(const QString& initialResult);

    static const QStringList& FontNames();

private:
    CKelvoApp& m_app;
};
