#pragma once

#include "core/style/CStyleSheet.h"

#include <QString>

class CKelvoApp;
class FormModel;
class Ui;

// "スタイルリスト": the rules of a style sheet by their selectors, with
// add, edit, delete and move. Works on its own copy of the sheet; the caller
// takes `sheet` back when DoModal gives true.
class CStyleListDlg {
public:
    CStyleListDlg(CKelvoApp* app, const QString& documentPath);

    CStyleSheet sheet;

    bool DoModal(Ui& ui);

private:
    void Refresh(FormModel& form, int selected) const;
    void Add(FormModel& form, Ui& ui);
    void Edit(FormModel& form, Ui& ui);
    void Delete(FormModel& form, Ui& ui);
    void Move(FormModel& form, int by);

    CKelvoApp* m_app;
    QString m_documentPath;
};
