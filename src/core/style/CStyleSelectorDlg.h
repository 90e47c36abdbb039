#pragma once

#include "core/style/CStyleRule.h"

#include <QString>
#include <QStringList>

class CKelvoApp;
class Ui;

// "スタイル対象の設定": the first simple selector of a rule (tag name,
// class or id, pseudo-class), with ways on to the style dialog and to the
// descendant and multiple selector dialogs. Used by another selector dialog
// it edits `simple` alone and those three buttons are off.
class CStyleSelectorDlg {
public:
    CStyleSelectorDlg(CKelvoApp* app, const QString& documentPath);

    CStyleRule rule;
    bool simpleOnly = false;
    CStyleSimpleSelector simple;

    bool DoModal(Ui& ui);

    // The pseudo-class labels offered for a tag name: the link states only
    // for "A".
    static QStringList PseudoLabels(const QString& element);
    // A label becomes its value; other text is used as it is.
    static QString PseudoValue(const QString& text);
    static QString PseudoLabel(const QString& value);
    // The tag names the tag name box offers: those of the tag reference
    // tables.
    QStringList TagNames() const;

private:
    CStyleSimpleSelector FromForm(const class FormModel& form) const;
    void Store(const FormModel& form);
    void Load(FormModel& form) const;

    CKelvoApp* m_app;
    QString m_documentPath;
};
