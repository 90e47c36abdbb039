#pragma once

#include "core/ftp/CFtpSetList.h"

#include <QString>

#include <optional>

class FormModel;
class Ui;

namespace platform {
class SettingsStore;
}

// The behaviour the three FTP set forms share: a drop-down list of the sets,
// fields bound to the shown set, and the buttons 新規設定, 削除 and 変更.
// The forms differ only in the fields they show. The list is loaded when
// the form opens and written when it closes, with OK or with Cancel.
//
// The form's actions refer to this object: it must outlive the form's run.
class CFtpSetForm {
public:
    enum class Kind {
        Page,     // FTP page of the settings sheet: host, user, password,
                  // remote folder, ASCII, local folder
        Connect,  // connect dialog of the FTP window: host, user, password
        Upload,   // upload dialog: host, user, password, upload folder, ASCII
    };

    CFtpSetForm(Kind kind, Ui& ui, platform::SettingsStore& store);
    virtual ~CFtpSetForm() = default;

    // Loads the list; the connect form shows the set of the document.
    void Open(const QString& documentPath = QString());
    // Adds the fields; with a page title they go on that page.
    virtual void AddTo(FormModel& form, const QString& page = QString());
    // OK: the shown set becomes the selected one; the list is saved.
    virtual void Ok(const FormModel& form);
    // Cancel: the list is saved with the selected index unchanged.
    void Cancel(const FormModel& form);

    // The connect and upload dialogs: the set with the values confirmed,
    // or nullopt when the dialog was closed.
    std::optional<CFtpSet> Run(const QString& documentPath = QString());

    int ShownIndex() const { return m_shown; }
    const CFtpSet& Shown() const { return m_list.At(m_shown); }
    const CFtpSetList& List() const { return m_list; }

protected:
    Ui& m_ui;
    platform::SettingsStore& m_store;

private:
    void StoreFields(const FormModel& form);
    void ShowSet(FormModel& form) const;
    void NewSet(FormModel& form);
    void DeleteSet(FormModel& form);
    void RenameSet(FormModel& form);

    Kind m_kind;
    CFtpSetList m_list;
    int m_shown = 0;
};

// The FTP page of the settings sheet: the set form, plus the switches that
// hold for every connection: passive mode and the time-out.
class CFtpPage : public CFtpSetForm {
public:
    CFtpPage(Ui& ui, platform::SettingsStore& store);

    static QString PageTitle();
    void AddTo(FormModel& form, const QString& page = QString()) override;
    void Ok(const FormModel& form) override;
};
