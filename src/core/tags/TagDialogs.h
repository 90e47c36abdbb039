#pragma once

#include "core/tags/CStyledTagDlg.h"

#include <QSize>
#include <QStringList>

#include <array>
#include <optional>

// The tag attribute dialogs, one class per element (or per family of INPUT
// tags). Each declares its fields in the order their attributes are
// written; the commands that open them are in TagDialogCommands.cpp.
//
// Labels are addressed by scripts without mnemonic and colon, and every
// attribute field also by its attribute name.

// Tables.
class CTableDlg : public CStyledTagDlg {
public:
    explicit CTableDlg(CKelvoApp& app);

protected:
    void LoadFields(FormModel& form) override;
};

class CRowDlg : public CStyledTagDlg {
public:
    explicit CRowDlg(CKelvoApp& app);
};

// TD and TH.
class CCellDlg : public CStyledTagDlg {
public:
    explicit CCellDlg(CKelvoApp& app);
};

class CCaptionDlg : public CStyledTagDlg {
public:
    explicit CCaptionDlg(CKelvoApp& app);
};

// Page.
class CRuleDlg : public CStyledTagDlg {
public:
    explicit CRuleDlg(CKelvoApp& app);
};

// BODY, with a preview of its colours.
class CBackgroundDlg : public CStyledTagDlg {
public:
    explicit CBackgroundDlg(CKelvoApp& app);
    // The preview as rich text: the four sample texts in the dialog's
    // colours, on its background colour.
    static QString PreviewHtml(const FormModel& form);

protected:
    void BuildForm(FormModel& form) override;
    void LoadFields(FormModel& form) override;
};

// META HTTP-EQUIV="REFRESH": seconds and the page to go to.
class CRefreshDlg : public CAttrTagDlg {
public:
    CRefreshDlg(CKelvoApp& app, const QStringList& history);
};

// H1 to H6: the level is the tag's name; the class list follows the level.
class CHeadingDlg : public CAttrTagDlg {
public:
    explicit CHeadingDlg(CKelvoApp& app);
    // The classes of H1 to H6, indexed by level - 1.
    std::array<QStringList, 6>& LevelClasses() { return m_levelClasses; }
    int Level() const { return m_level; }

protected:
    void BuildForm(FormModel& form) override;
    void LoadFields(FormModel& form) override;
    void StoreFields(const FormModel& form) override;

private:
    std::array<QStringList, 6> m_levelClasses;
    QString m_style;
    int m_level = 1;
};

class CFontDlg : public CStyledTagDlg {
public:
    // baseSize: the size of the document's BASEFONT (3 without one).
    CFontDlg(CKelvoApp& app, int baseSize, bool hasBaseFont);
    static QStringList SizeEntries(int baseSize, bool relative);

private:
    int m_base;
    bool m_hasBaseFont;
    QString m_loadedSize;
};

// Forms.
class CFormDlg : public CStyledTagDlg {
public:
    // defaultAction fills an empty ACTION field.
    CFormDlg(CKelvoApp& app, const QString& defaultAction);

protected:
    void LoadFields(FormModel& form) override;

private:
    QString m_defaultAction;
};

// INPUT TYPE="text" or "password".
class CTextBoxDlg : public CStyledTagDlg {
public:
    explicit CTextBoxDlg(CKelvoApp& app);
};

class CTextAreaDlg : public CStyledTagDlg {
public:
    explicit CTextAreaDlg(CKelvoApp& app);

protected:
    QString CheckFields(const FormModel& form) const override;
};

// INPUT TYPE="checkbox" and "radio".
class CCheckDlg : public CStyledTagDlg {
public:
    explicit CCheckDlg(CKelvoApp& app);
};

// INPUT TYPE="image".
class CImageButtonDlg : public CStyledTagDlg {
public:
    explicit CImageButtonDlg(CKelvoApp& app);
};

// INPUT TYPE="hidden".
class CHiddenDlg : public CStyledTagDlg {
public:
    explicit CHiddenDlg(CKelvoApp& app);
};

// The single-value dialog "タグ編集": a prompt and one attribute. With a
// prefix ("mailto:") the field shows the value without it. fixedType is
// written as TYPE (submit and reset buttons).
class CSingleValueDlg : public CStyledTagDlg {
public:
    CSingleValueDlg(CKelvoApp& app, const QString& attr, const QString& prompt,
                    const QString& prefix = QString(), const QString& fixedType = QString());
    // The value the field starts with when the tag has none.
    void SetInitialValue(const QString& value) { m_initial = value; }

protected:
    void LoadFields(FormModel& form) override;

private:
    QString m_attr;
    QString m_initial;
};

// Links.
class CImageDlg : public CStyledTagDlg {
public:
    explicit CImageDlg(CKelvoApp& app);
    // Fills WIDTH and HEIGHT from the header of the image in the SRC field.
    void InsertSize(FormModel& form);
    // Fills width and height; nullopt leaves them.
    static void ShowSize(FormModel& form, const std::optional<QSize>& size);
};

class CLinkDlg : public CStyledTagDlg {
public:
    explicit CLinkDlg(CKelvoApp& app);
};

// A link to a keyword of the same document: HREF is "#" and the keyword.
class CAnchorLinkDlg : public CStyledTagDlg {
public:
    CAnchorLinkDlg(CKelvoApp& app, const QStringList& keywords);
    // The keyword chosen (without "#").
    QString Keyword() const { return m_keyword; }

private:
    QString m_keyword;
};

class CBaseDlg : public CAttrTagDlg {
public:
    explicit CBaseDlg(CKelvoApp& app);
};

// Multimedia, frames, objects.
class CMarqueeDlg : public CStyledTagDlg {
public:
    explicit CMarqueeDlg(CKelvoApp& app);
};

class CBgmDlg : public CAttrTagDlg {
public:
    explicit CBgmDlg(CKelvoApp& app);
};

class CVideoDlg : public CStyledTagDlg {
public:
    explicit CVideoDlg(CKelvoApp& app);
};

// FRAMESET: a list of sizes for COLS or ROWS.
class CFramesetDlg : public CStyledTagDlg {
public:
    explicit CFramesetDlg(CKelvoApp& app);
};

class CFrameDlg : public CStyledTagDlg {
public:
    explicit CFrameDlg(CKelvoApp& app);
};

class CAppletDlg : public CAttrTagDlg {
public:
    explicit CAppletDlg(CKelvoApp& app);
};

class CParamDlg : public CAttrTagDlg {
public:
    explicit CParamDlg(CKelvoApp& app);
};

class CScriptDlg : public CAttrTagDlg {
public:
    explicit CScriptDlg(CKelvoApp& app);
};

class CPluginDlg : public CStyledTagDlg {
public:
    explicit CPluginDlg(CKelvoApp& app);
};

// "タグの修正": the CLASS and STYLE of an element without a dialog of its
// own (EM, LI, ...); its other attributes stay as they are.
class CTagStyleDlg : public CAttrTagDlg {
public:
    explicit CTagStyleDlg(CKelvoApp& app);

protected:
    void BuildForm(FormModel& form) override;
    void LoadFields(FormModel& form) override;
    void StoreFields(const FormModel& form) override;

private:
    QString m_style;
};
